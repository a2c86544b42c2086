#include "about/about_box.h"
#include "platform/error.h"
#include "common/message_box.h"
#include "common/number_format.h"
#include "fakes/faked_windows.h"
#include "metrics/refresh_tick.h"
#include "widgets/fitted_label.h"
#include "widgets/gauge.h"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

TEST(Main_Window, Controls_Carry_Their_Design_Names_Geometry_And_Fonts)
{
    Faked_Windows app;
    TMainForm1& form = app.form();
    const struct {
        const char* name;
        QRect geometry;
    } fixed[] = {
        {"Bevel1", {4, 56, 193, 53}},
        {"Phisical_RAM_Gauge", {4, 20, 89, 29}},
        {"Swap_File_Gauge", {108, 20, 89, 29}},
        {"Spinner_Label", {97, 4, 9, 16}},
        {"Bevel2", {4, 116, 193, 63}},
        {"Disk_Used_Gauge", {128, 128, 65, 20}},
        {"Bevel3", {4, 184, 193, 51}},
        {"CPU_Gauge", {52, 188, 140, 20}},
        {"Avg_CPU_Gauge", {52, 211, 140, 20}},
        {"SpeedButton1", {168, 152, 23, 22}},
        {"DriveComboBox1", {12, 128, 113, 25}},
        {"Distance_Travelled_GroupBox", {4, 240, 193, 49}},
        {"Distance_Travelled_Label", {8, 16, 177, 27}},
        {"Left_Right_Clicks_GroupBox", {4, 292, 193, 41}},
        {"Left_Mouse_Label", {4, 18, 95, 15}},
        {"Right_Mouse_Label", {104, 18, 86, 15}},
        {"Scaling_ListBox", {268, 4, 25, 25}},
        {"CPU_Drop_RadioButton", {4, 0, 17, 17}},
        {"Trailcount_Ini_File_Directory_Edit", {212, 196, 121, 25}},
    };
    for (const auto& control : fixed) {
        auto* widget = form.findChild<QWidget*>(QString::fromLatin1(control.name));
        ASSERT_NE(widget, nullptr) << control.name;
        EXPECT_EQ(widget->geometry(), control.geometry) << control.name;
    }
    const struct {
        const char* name;
        const char* text;
        QPoint at;
        int pixels;
    } captions[] = {
        {"Label1", "Swap File", {120, 4}, 12},        {"Label2", "RAM", {32, 4}, 12},
        {"Label5", " Free KB   /  Total KB : ", {45, 50}, 11}, {"Label3", "RAM", {12, 68}, 13},
        {"Label4", "SWAP", {12, 88}, 13},             {"Label6", " Disk Space : ", {69, 110}, 11},
        {"Label7", "CPU:", {12, 191}, 13},            {"Label8", "AVG:", {12, 214}, 13},
        {"Label9", " Left Clicks: ", {15, 0}, 13},    {"Label10", " Right Clicks: ", {111, 0}, 13},
    };
    for (const auto& caption : captions) {
        auto* label = form.findChild<QLabel*>(QString::fromLatin1(caption.name));
        ASSERT_NE(label, nullptr) << caption.name;
        EXPECT_EQ(label->text(), QString::fromLatin1(caption.text)) << caption.name;
        EXPECT_EQ(label->pos(), caption.at) << caption.name;
        EXPECT_EQ(label->font().pixelSize(), caption.pixels) << caption.name;
        EXPECT_EQ(label->font().family(), QStringLiteral("Times New Roman")) << caption.name;
    }
    // The figures stand at their design place inside their bevel, in the
    // design font, and those of a 1 TB machine fit in the size they are drawn
    // at (the drawing test below checks the pixels).
    const QRect inside_bevel = form.Bevel1->contentsRect().translated(form.Bevel1->pos());
    for (const auto& [figures, top] : {std::pair{form.RAM_Label, 67}, std::pair{form.SWAP_Label, 87}}) {
        SCOPED_TRACE(figures->objectName().toStdString());
        EXPECT_EQ(figures->pos(), QPoint(52, top));
        EXPECT_EQ(figures->height(), 16);
        EXPECT_TRUE(inside_bevel.contains(figures->geometry()));
        EXPECT_EQ(figures->font().pixelSize(), 15);
        auto* fitted = qobject_cast<TFitted_Label*>(figures);
        ASSERT_NE(fitted, nullptr);
        fitted->setText(QStringLiteral("1,073,741,823 / 1,073,741,824"));
        EXPECT_LE(QFontMetrics(fitted->Fitted_Font()).horizontalAdvance(fitted->text()), fitted->contentsRect().width());
    }
    EXPECT_EQ(form.Phisical_RAM_Gauge->Kind(), TGauge::gkPie);
    EXPECT_EQ(form.Phisical_RAM_Gauge->BackColor(), QColor(0, 255, 0));
    EXPECT_EQ(form.Phisical_RAM_Gauge->ForeColor(), QColor(255, 0, 0));
    EXPECT_TRUE(form.Phisical_RAM_Gauge->font().bold());
    EXPECT_EQ(form.Phisical_RAM_Gauge->font().pixelSize(), 21);
    EXPECT_EQ(form.CPU_Gauge->Kind(), TGauge::gkHorizontalBar);
    EXPECT_EQ(form.Spinner_Label->font().family(), QStringLiteral("Courier"));
    EXPECT_EQ(form.Spinner_Label->text(), QStringLiteral("|"));
    EXPECT_EQ(form.RAM_Label->toolTip(), QStringLiteral("Available / Total Physical RAM on this PC (in KB)."));
    EXPECT_EQ(form.SWAP_Label->toolTip(), QStringLiteral("Available / Total Swapfile space on this PC (in KB)."));
    EXPECT_EQ(form.Phisical_RAM_Gauge->Hint, QStringLiteral("RAM usage"));
    EXPECT_TRUE(form.Phisical_RAM_Gauge->toolTip().isEmpty());
    EXPECT_EQ(form.Distance_Travelled_GroupBox->title(), QStringLiteral(" Mouse Kilometers Travelled : "));
    EXPECT_TRUE(form.Scaling_ListBox->isHidden());
    EXPECT_TRUE(form.CPU_Drop_RadioButton->isHidden());
    EXPECT_TRUE(form.Trailcount_Ini_File_Directory_Edit->isHidden());
    EXPECT_EQ(form.font().pixelSize(), 15);
}

TEST(Main_Window, Menu_Items_In_Order_Unchecked_Without_Shortcuts)
{
    Faked_Windows app;
    TMainForm1& form = app.form();
    QStringList seen;
    for (QAction* top : form.MainMenu1->actions()) {
        seen << top->objectName() + QLatin1Char('=') + top->text();
        for (QAction* item : top->menu()->actions()) {
            seen << (item->isSeparator() ? QStringLiteral("-") : item->objectName() + QLatin1Char('=') + item->text());
            EXPECT_FALSE(item->isChecked()) << item->objectName().toStdString();
            EXPECT_TRUE(item->shortcut().isEmpty());
        }
    }
    const QStringList expected = {
        "FileMenu=&File",
        "Always_On_Top_Option=Always On Top",
        "Auto_Run_at_Windows_Startup_Option=Auto-Run at Windows Startup",
        "Restore_Factory_Defaults_Option=&Restore Factory Defaults",
        "-",
        "Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option=CPU Usage Drop Alarm",
        "-",
        "Reset_Average_Option=Reset Average CPU Usage",
        "Reset_CPU_Monitoring_Option=Reset CPU Monitoring",
        "-",
        "ExitOption=E&xit",
        "SnapTo1=View",
        "Snap_Program_to_Top_Left_of_Screen_Option=Snap Program to Top Left of Screen",
        "Snap_Program_to_Top_Right_of_Screen_Option=Snap Program to Top Right of Screen",
        "Snap_Program_to_Bottom_Left_of_Screen_Option=Snap Program to Bottom Left of Screen",
        "Snap_Program_to_Bottom_Right_of_Screen_Option=Snap Program to Bottom Right of Screen",
        "-",
        "Keep_Program_Inside_the_Screen_Bounds_Option=Keep Program Inside the Screen Bounds",
        "TrailcountMenu=Trailcount",
        "Show_Trailcount_Option=Show Trailcount",
        "Settings_Option=Settings",
        "-",
        "Load_Settings_from_Trailcount_Option=Load Settings from Trailcount",
        "Save_Settings_to_Trailcount_Option=Save Settings to Trailcount",
        "HelpMenu=&Help",
        "View_Readme_file_Option=&View Readme file",
        "View_Shareware_Catalog_Option=View &Shareware Catalog",
        "-",
        "AboutOption=&About",
    };
    EXPECT_EQ(seen, expected);
}

TEST(Main_Window, Timers_As_Designed_And_Windows_Created_In_Order)
{
    Faked_Windows app;
    TMainForm1& form = app.form();
    EXPECT_EQ(form.Timer1->interval(), 500);
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_EQ(form.Program_Size_Timer->interval(), 500);
    EXPECT_FALSE(form.Program_Size_Timer->isActive());
    EXPECT_EQ(form.Reset_CPU_Monitoring_Timer->interval(), 1000);
    EXPECT_TRUE(form.Reset_CPU_Monitoring_Timer->isActive());
    EXPECT_EQ(form.Trailcount_Timer->interval(), 10);
    EXPECT_TRUE(form.Trailcount_Timer->isActive());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Vistrel v4.8f"));
    ASSERT_NE(form.AboutBox, nullptr);
    ASSERT_NE(form.CPU_Drop_Form, nullptr);
    ASSERT_NE(form.Settings_Form, nullptr);
    ASSERT_NE(form.Results_Form, nullptr);
    EXPECT_FALSE(form.AboutBox->isVisible());

    form.FormShow();
    EXPECT_EQ(form.AboutBox->Product_Name_Label->text(), QStringLiteral("Vistrel v4.8f"));
    EXPECT_EQ(form.Client_Size(), QSize(201, 239));
    EXPECT_TRUE(form.Program_Size_Timer->isActive());
}

// Whichever way a launcher asks for a minimized window (a shortcut set to run
// minimized asks one way, other launchers another), the window starts
// minimized; maximized when asked; normal for every other request.
TEST(Main_Window, Start_Up_Takes_The_Show_State_The_Launcher_Asked_For)
{
    const struct {
        int show_state;
        Qt::WindowState expected;
    } requests[] = {
        {SW_HIDE, Qt::WindowNoState},          {SW_SHOWNORMAL, Qt::WindowNoState},
        {SW_SHOWMINIMIZED, Qt::WindowMinimized}, {SW_SHOWMAXIMIZED, Qt::WindowMaximized},
        {SW_SHOWNOACTIVATE, Qt::WindowNoState}, {SW_SHOW, Qt::WindowNoState},
        {SW_MINIMIZE, Qt::WindowMinimized},     {SW_SHOWMINNOACTIVE, Qt::WindowMinimized},
        {SW_SHOWNA, Qt::WindowNoState},         {SW_RESTORE, Qt::WindowNoState},
        {SW_SHOWDEFAULT, Qt::WindowNoState},    {SW_FORCEMINIMIZE, Qt::WindowMinimized},
    };
    for (const auto& request : requests) {
        SCOPED_TRACE(request.show_state);
        Faked_Windows app;
        app.process.show_state = request.show_state;
        app.form().show();
        EXPECT_EQ(app.form().windowState(), request.expected);
        EXPECT_TRUE(app.form().isVisible());
    }
}

namespace {

bool Is_Background(const QImage& image, int x, int y, QColor background)
{
    return image.pixelColor(x, y) == background;
}

// The columns of `area` in which anything but the background is drawn.
std::pair<int, int> Ink_Columns(const QImage& image, const QRect& area, QColor background)
{
    int first = -1;
    int last = -1;
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (!Is_Background(image, x, y, background)) {
                first = first < 0 ? x - area.left() : first;
                last = x - area.left();
                break;
            }
    return {first, last};
}

} // namespace

// The default window as drawn: the two captions break their bevels' top
// lines, the report button is drawn raised without the pointer over it, and
// the RAM figures are drawn whole on machines up to 1 TB.
TEST(Main_Window, Draws_Captions_Across_Bevels_A_Raised_Report_Button_And_Whole_Figures)
{
    Faked_Windows app;
    const Format_Settings saved = Program_Format();
    Program_Format() = {QLatin1Char('.'), QLatin1Char(',')};
    TMainForm1& form = app.form();
    form.FormShow();
    const QColor window = form.Client->palette().color(QPalette::Window);
    auto drawn = [&form] { return form.Client->grab().toImage(); };

    QImage image = drawn();
    for (const auto& [caption, bevel] : {std::pair{form.Label5, form.Bevel1}, std::pair{form.Label6, form.Bevel2}}) {
        const int line = bevel->y();
        EXPECT_FALSE(Is_Background(image, bevel->x() + 10, line, window)) << "no bevel line to break";
        EXPECT_TRUE(Is_Background(image, caption->x() + 1, line, window))
            << caption->objectName().toStdString() << " is struck through";
    }

    const QRect button = form.SpeedButton1->geometry();
    int framed = 0;
    for (int x = button.left(); x <= button.right(); ++x)
        framed += !Is_Background(image, x, button.top(), window) + !Is_Background(image, x, button.bottom(), window);
    EXPECT_GT(framed, button.width()) << "the report button is drawn flat";

    const struct {
        unsigned long long total_kb;
        const char* shown;
    } machines[] = {{24'683'736, "24,683,735 / 24,683,736"}, {1ull << 30, "1,073,741,823 / 1,073,741,824"}};
    for (const auto& machine : machines) {
        app.memory.status.ullTotalPhys = machine.total_kb * 1024;
        app.memory.status.ullAvailPhys = (machine.total_kb - 1) * 1024;
        form.Refresh->Timer1Timer();
        ASSERT_EQ(form.RAM_Label->text().toStdString(), machine.shown);
        image = drawn();
        const QRect label = form.RAM_Label->geometry();
        const auto [first, last] = Ink_Columns(image, label, window);
        EXPECT_LE(first, 2) << machine.shown; // the first digit's side bearing, which rasterisers round apart
        EXPECT_LT(last, label.width() - 1) << machine.shown << ": cut at the label's edge";
        EXPECT_GT(last, label.width() * 3 / 4) << machine.shown << ": drawn smaller than it needs";
    }
    form.Timer1->stop();
    Program_Format() = saved;
}

TEST(Error_Report, Adds_A_Full_Stop_When_The_Last_Character_Sorts_After_It)
{
    EXPECT_EQ(Error_Report_Text(QStringLiteral("CPU index out of bounds")), QStringLiteral("CPU index out of bounds."));
    EXPECT_EQ(Error_Report_Text(QStringLiteral("Value 5")), QStringLiteral("Value 5."));
    EXPECT_EQ(Error_Report_Text(QStringLiteral("Done.")), QStringLiteral("Done."));
    EXPECT_EQ(Error_Report_Text(QStringLiteral("Oops!")), QStringLiteral("Oops!"));
    EXPECT_EQ(Error_Report_Text(QStringLiteral("Why?")), QStringLiteral("Why?."));
    EXPECT_EQ(Error_Report_Text(QStringLiteral("Unable to write to /x/vistrel.ini")),
              QStringLiteral("Unable to write to /x/vistrel.ini."));
    EXPECT_EQ(Error_Report_Text(QStringLiteral("(none)")), QStringLiteral("(none)"));
    EXPECT_EQ(Error_Report_Text(QString()), QString());
}

TEST(Error_Report, An_Error_Reaching_The_Event_Loop_Ends_Its_Handler_And_Is_Reported_Once)
{
    std::vector<Message_Record> shown;
    Scoped_Message_Answerer answer([&](const Message_Record& record) {
        shown.push_back(record);
        // A second error while this report is on screen is not stacked.
        Show_Error_Report(QStringLiteral("second"));
        return Msg_Result::OK;
    });
    bool after_throw = false;
    QObject receiver;
    QMetaObject::invokeMethod(&receiver, [&] {
        throw Program_Error("Unable to locate the \"Processor\" performance object");
        after_throw = true;
    }, Qt::QueuedConnection);
    QCoreApplication::processEvents();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_FALSE(after_throw);
    EXPECT_EQ(shown[0].caption, QStringLiteral("Vistrel v4.8f"));
    EXPECT_EQ(shown[0].type, Msg_Type::Error);
    EXPECT_EQ(shown[0].text, QStringLiteral("Unable to locate the \"Processor\" performance object."));
}
