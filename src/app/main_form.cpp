#include "app/main_form.h"

#include "about/about_box.h"
#include "alarm/drop_alarm.h"
#include "autorun/auto_run.h"
#include "common/file_dialog.h"
#include "common/title.h"
#include "common/window_bounds.h"
#include "cpu/cpu_display.h"
#include "docs/help_menu.h"
#include "metrics/drive_combo_box.h"
#include "metrics/refresh_tick.h"
#include "odometer/odometer_scheduler.h"
#include "report/drive_report_command.h"
#include "report/report_pictures.h"
#include "settings/settings_file.h"
#include "widgets/design.h"
#include "widgets/fitted_label.h"
#include "widgets/gauge.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <functional>

namespace {

// Menu check items are program state: a click runs the handler and the
// handler alone decides the mark, so the toolkit's own toggle is undone first.
void On_Click(QAction* action, QObject* context, std::function<void()> handler)
{
    QObject::connect(action, &QAction::triggered, context, [action, handler = std::move(handler)](bool) {
        if (action->isCheckable())
            action->setChecked(!action->isChecked());
        handler();
    });
}

// The drop alarm's indicator shows the detector's state and nothing else:
// a click on it neither checks nor clears it.
class Alarm_Indicator final : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    void nextCheckState() override {}
};

// A caption set on a bevel's top line breaks the line, as a group box's
// caption does: its background is the window's own colour.
void Break_Bevel_Line(QLabel* caption)
{
    caption->setAutoFillBackground(true);
}

} // namespace

template <class T>
T* TMainForm1::Own(T* component, const char* name)
{
    Components.push_back(component);
    return Named(component, name);
}

TMainForm1::TMainForm1()
{
    setObjectName(QStringLiteral("MainForm1"));
    setWindowTitle(QString::fromLatin1(Program_Title));
    setFont(Times(15));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    setPalette(palette);
    setAutoFillBackground(true);

    Client = new QWidget(this);
    Client->setObjectName(QStringLiteral("Client"));
    setCentralWidget(Client);

    Create_Controls();
    Create_Menu();
    Create_Timers_And_Dialogs();
    Create_Placement_And_Scaling();
    Create_Subsystems();
}

TMainForm1::~TMainForm1() = default;

void TMainForm1::Attach_Windows(TAboutBox* about, TCPU_Drop_Form* drop, TSettings_Form* settings,
                                TResults_Form* results)
{
    AboutBox = about;
    CPU_Drop_Form = drop;
    Settings_Form = settings;
    Results_Form = results;
    Create_Subsystems();
    Odometer.Attach_Settings_Form(settings);
}

void TMainForm1::Create_Subsystems()
{
    CPU_Display = std::make_unique<Cpu_Display>(
        Cpu_Display::Controls{CPU_Gauge, Avg_CPU_Gauge, Timer1, Reset_CPU_Monitoring_Timer});
    CPU_Drop_Alarm = std::make_unique<Drop_Alarm>(Drop_Alarm::Controls{
        Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option, CPU_Drop_RadioButton, CPU_Gauge, CPU_Drop_Form,
        [this] { return Refresh && Refresh->Running(); }});
    Refresh = std::make_unique<Refresh_Tick>(
        Refresh_Tick::Controls{Phisical_RAM_Gauge, Swap_File_Gauge, RAM_Label, SWAP_Label, Spinner_Label,
                               DriveComboBox1, Disk_Space_Label, Disk_Used_Gauge},
        *CPU_Display, *CPU_Drop_Alarm);
    Drive_Report = std::make_unique<Drive_Report_Command>(Drive_Report_Command::Controls{DriveComboBox1, Results_Form});
    Help = std::make_unique<Help_Menu>(Help_Menu::Controls{AboutBox});
    Autorun = std::make_unique<Auto_Run>(Auto_Run::Controls{Auto_Run_at_Windows_Startup_Option});
    Attach_Settings_File();
}

// Made once: neither needs the other windows, and placement's watch on the
// screens must not be made twice.
void TMainForm1::Create_Placement_And_Scaling()
{
    Placement = std::make_unique<::Placement>(::Placement::Controls{
        Always_On_Top_Option, Snap_Program_to_Top_Left_of_Screen_Option, Snap_Program_to_Top_Right_of_Screen_Option,
        Snap_Program_to_Bottom_Left_of_Screen_Option, Snap_Program_to_Bottom_Right_of_Screen_Option,
        Keep_Program_Inside_the_Screen_Bounds_Option, Program_Size_Timer, this});
    Layout_Scaling.Attach({Client, Scaling_ListBox, &Components});
}

void TMainForm1::Create_Controls()
{
    auto bevel = [this](const char* name, QFrame::Shape shape, int left, int top, int width, int height) {
        auto* frame = Own(new QFrame(Client), name);
        frame->setFrameShape(shape);
        frame->setFrameShadow(QFrame::Sunken);
        frame->setGeometry(left, top, width, height);
        return frame;
    };
    auto label = [](QWidget* parent, const char* text, const QFont& font, int left, int top) {
        auto* control = new QLabel(QString::fromLatin1(text), parent);
        control->setFont(font);
        control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        control->move(left, top);
        control->adjustSize();
        return control;
    };
    // The labels the ticks write paint their own background: behind a
    // transparent one the window, and the bevel or group box it sits on,
    // would be painted again at every change of its text.
    auto fixed_label = [](QWidget* parent, const QFont& font, QRect geometry, Qt::Alignment alignment) {
        auto* control = new QLabel(parent);
        control->setFont(font);
        control->setAlignment(alignment | Qt::AlignTop);
        control->setGeometry(geometry);
        control->setAutoFillBackground(true);
        return control;
    };
    auto gauge = [this](const char* name, TGauge::TGaugeKind kind, QRect geometry, const QFont& font) {
        auto* control = Own(new TGauge(Client), name);
        control->Set_Kind(kind);
        control->setGeometry(geometry);
        control->setFont(font);
        return control;
    };

    Bevel1 = bevel("Bevel1", QFrame::Box, 4, 56, 193, 53);
    Phisical_RAM_Gauge = gauge("Phisical_RAM_Gauge", TGauge::gkPie, {4, 20, 89, 29}, Times(21, true));
    Phisical_RAM_Gauge->Set_BackColor(QColor(0, 255, 0));
    Phisical_RAM_Gauge->Set_ForeColor(QColor(255, 0, 0));
    Phisical_RAM_Gauge->Hint = QStringLiteral("RAM usage");
    Swap_File_Gauge = gauge("Swap_File_Gauge", TGauge::gkPie, {108, 20, 89, 29}, Times(21, true));
    Swap_File_Gauge->Set_BackColor(QColor(0, 255, 0));
    Swap_File_Gauge->Set_ForeColor(QColor(255, 0, 0));
    Swap_File_Gauge->Hint = QStringLiteral("Swapfile usage.");
    Label1 = Own(label(Client, "Swap File", Times(12), 120, 4), "Label1");
    Label2 = Own(label(Client, "RAM", Times(12), 32, 4), "Label2");
    // The figures reach to the bevel's inner edge and never lose a digit:
    // on a large machine they are drawn a size or two smaller instead.
    auto figures_label = [this](const char* name, int top) {
        auto* control = Own(new TFitted_Label(Client), name);
        control->setFont(Times(15));
        control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        const int left = 52;
        const int inner_right = Bevel1->geometry().right() - Bevel1->frameWidth();
        control->setGeometry(left, top, inner_right - left, 16);
        control->setAutoFillBackground(true); // as the other labels the tick writes
        return control;
    };
    RAM_Label = figures_label("RAM_Label", 67);
    RAM_Label->setToolTip(QStringLiteral("Available / Total Physical RAM on this PC (in KB)."));
    Label5 = Own(label(Client, " Free KB   /  Total KB : ", Times(11), 45, 50), "Label5");
    Break_Bevel_Line(Label5);
    Label3 = Own(label(Client, "RAM", Times(13), 12, 68), "Label3");
    Label4 = Own(label(Client, "SWAP", Times(13), 12, 88), "Label4");
    SWAP_Label = figures_label("SWAP_Label", 87);
    SWAP_Label->setToolTip(QStringLiteral("Available / Total Swapfile space on this PC (in KB)."));
    Spinner_Label = Own(fixed_label(Client, Design_Font("Courier", 16), {97, 4, 9, 16}, Qt::AlignLeft),
                        "Spinner_Label");
    Spinner_Label->setText(QStringLiteral("|"));
    Bevel2 = bevel("Bevel2", QFrame::Box, 4, 116, 193, 63);
    Disk_Used_Gauge = gauge("Disk_Used_Gauge", TGauge::gkHorizontalBar, {128, 128, 65, 20}, Times(17));
    Label6 = Own(label(Client, " Disk Space : ", Times(11), 69, 110), "Label6");
    Break_Bevel_Line(Label6);
    Disk_Space_Label = Own(label(Client, "", Times(13), 12, 156), "Disk_Space_Label");
    Disk_Space_Label->setAutoFillBackground(true);
    Bevel3 = bevel("Bevel3", QFrame::Panel, 4, 184, 193, 51);
    CPU_Gauge = gauge("CPU_Gauge", TGauge::gkHorizontalBar, {52, 188, 140, 20}, Times(17));
    Label7 = Own(label(Client, "CPU:", Times(13), 12, 191), "Label7");
    Label8 = Own(label(Client, "AVG:", Times(13), 12, 214), "Label8");
    Avg_CPU_Gauge = gauge("Avg_CPU_Gauge", TGauge::gkHorizontalBar, {52, 211, 140, 20}, Times(17));

    SpeedButton1 = Own(new QToolButton(Client), "SpeedButton1");
    SpeedButton1->setGeometry(168, 152, 23, 22);
    SpeedButton1->setIcon(Drive_Report_Picture());
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { Drive_Report->SpeedButton1Click(); });

    DriveComboBox1 = Own(new TDriveComboBox(Client), "DriveComboBox1");
    DriveComboBox1->setFont(Times(17));
    DriveComboBox1->setGeometry(12, 128, 113, 25);
    DriveComboBox1->Fill_Drives();

    Distance_Travelled_GroupBox = Own(new QGroupBox(QStringLiteral(" Mouse Kilometers Travelled : "), Client),
                                      "Distance_Travelled_GroupBox");
    Distance_Travelled_GroupBox->setFont(Times(13));
    Distance_Travelled_GroupBox->setGeometry(4, 240, 193, 49);
    Distance_Travelled_Label = Own(fixed_label(Distance_Travelled_GroupBox, Times(24), {8, 16, 177, 27},
                                               Qt::AlignHCenter),
                                   "Distance_Travelled_Label");
    Left_Right_Clicks_GroupBox = Own(new QGroupBox(Client), "Left_Right_Clicks_GroupBox");
    Left_Right_Clicks_GroupBox->setFont(Times(13, true));
    Left_Right_Clicks_GroupBox->setGeometry(4, 292, 193, 41);
    Label9 = Own(label(Left_Right_Clicks_GroupBox, " Left Clicks: ", Times(13), 15, 0), "Label9");
    Label9->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Left_Mouse_Label = Own(fixed_label(Left_Right_Clicks_GroupBox, Times(13), {4, 18, 95, 15}, Qt::AlignHCenter),
                           "Left_Mouse_Label");
    Label10 = Own(label(Left_Right_Clicks_GroupBox, " Right Clicks: ", Times(13), 111, 0), "Label10");
    Label10->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Right_Mouse_Label = Own(fixed_label(Left_Right_Clicks_GroupBox, Times(13), {104, 18, 86, 15},
                                        Qt::AlignHCenter),
                            "Right_Mouse_Label");

    Scaling_ListBox = Own(new QListWidget(Client), "Scaling_ListBox");
    Scaling_ListBox->setGeometry(268, 4, 25, 25);
    Scaling_ListBox->hide();
    CPU_Drop_RadioButton = Own(new Alarm_Indicator(Client), "CPU_Drop_RadioButton");
    CPU_Drop_RadioButton->setGeometry(4, 0, 17, 17);
    CPU_Drop_RadioButton->setAutoExclusive(false);
    CPU_Drop_RadioButton->setFocusPolicy(Qt::NoFocus);
    CPU_Drop_RadioButton->hide();
    Trailcount_Ini_File_Directory_Edit = Own(new QLineEdit(QStringLiteral("Trailcount_Ini_File_Directory_Edit"), Client),
                                             "Trailcount_Ini_File_Directory_Edit");
    Trailcount_Ini_File_Directory_Edit->setGeometry(212, 196, 121, 25);
    Trailcount_Ini_File_Directory_Edit->hide();
}

void TMainForm1::Create_Menu()
{
    MainMenu1 = Own(menuBar(), "MainMenu1");
    MainMenu1->setFont(QApplication::font());
    int separators = 0;
    auto menu = [this](const char* caption, const char* name) {
        auto* created = Own(MainMenu1->addMenu(QString::fromLatin1(caption)), name);
        created->menuAction()->setObjectName(QString::fromLatin1(name));
        return created;
    };
    auto item = [this](QMenu* parent, const char* caption, const char* name, std::function<void()> handler,
                       bool check = false) {
        auto* action = Own(parent->addAction(QString::fromLatin1(caption)), name);
        action->setCheckable(check);
        On_Click(action, this, std::move(handler));
        return action;
    };
    // The window's own handlers, and those of the subsystems, looked up at
    // the click: the subsystems are made again when the windows are attached.
    auto mine = [this](void (TMainForm1::*handler)()) { return [this, handler] { (this->*handler)(); }; };
    auto separator = [this, &separators](QMenu* parent) {
        const std::string name = "N" + std::to_string(++separators);
        Own(parent->addSeparator(), name.c_str());
    };

    FileMenu = menu("&File", "FileMenu");
    Always_On_Top_Option = item(FileMenu, "Always On Top", "Always_On_Top_Option",
                                [this] { Placement->Always_On_Top_OptionClick(); }, true);
    Auto_Run_at_Windows_Startup_Option = item(FileMenu, "Auto-Run at Windows Startup",
                                              "Auto_Run_at_Windows_Startup_Option",
                                              [this] { Autorun->Auto_Run_at_Windows_Startup_OptionClick(); }, true);
    Restore_Factory_Defaults_Option = item(FileMenu, "&Restore Factory Defaults", "Restore_Factory_Defaults_Option",
                                           [this] { Settings->Restore_Factory_Defaults_OptionClick(); });
    separator(FileMenu);
    Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option =
        item(FileMenu, "CPU Usage Drop Alarm", "Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option",
             [this] { CPU_Drop_Alarm->Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_OptionClick(); }, true);
    separator(FileMenu);
    Reset_Average_Option = item(FileMenu, "Reset Average CPU Usage", "Reset_Average_Option",
                                [this] { CPU_Display->Reset_Average_OptionClick(); });
    Reset_CPU_Monitoring_Option = item(FileMenu, "Reset CPU Monitoring", "Reset_CPU_Monitoring_Option",
                                       [this] { CPU_Display->Reset_CPU_Monitoring_OptionClick(); });
    separator(FileMenu);
    ExitOption = item(FileMenu, "E&xit", "ExitOption", mine(&TMainForm1::ExitOptionClick));

    SnapTo1 = menu("View", "SnapTo1");
    Snap_Program_to_Top_Left_of_Screen_Option =
        item(SnapTo1, "Snap Program to Top Left of Screen", "Snap_Program_to_Top_Left_of_Screen_Option",
             [this] { Placement->Snap_Program_to_Top_Left_of_Screen_OptionClick(); }, true);
    Snap_Program_to_Top_Right_of_Screen_Option =
        item(SnapTo1, "Snap Program to Top Right of Screen", "Snap_Program_to_Top_Right_of_Screen_Option",
             [this] { Placement->Snap_Program_to_Top_Right_of_Screen_OptionClick(); }, true);
    Snap_Program_to_Bottom_Left_of_Screen_Option =
        item(SnapTo1, "Snap Program to Bottom Left of Screen", "Snap_Program_to_Bottom_Left_of_Screen_Option",
             [this] { Placement->Snap_Program_to_Bottom_Left_of_Screen_OptionClick(); }, true);
    Snap_Program_to_Bottom_Right_of_Screen_Option =
        item(SnapTo1, "Snap Program to Bottom Right of Screen", "Snap_Program_to_Bottom_Right_of_Screen_Option",
             [this] { Placement->Snap_Program_to_Bottom_Right_of_Screen_OptionClick(); }, true);
    separator(SnapTo1);
    Keep_Program_Inside_the_Screen_Bounds_Option =
        item(SnapTo1, "Keep Program Inside the Screen Bounds", "Keep_Program_Inside_the_Screen_Bounds_Option",
             [this] { Placement->Keep_Program_Inside_the_Screen_Bounds_OptionClick(); }, true);

    TrailcountMenu = menu("Trailcount", "TrailcountMenu");
    Show_Trailcount_Option = item(TrailcountMenu, "Show Trailcount", "Show_Trailcount_Option",
                                  [this] { Odometer.Show_Trailcount_OptionClick(); }, true);
    Settings_Option = item(TrailcountMenu, "Settings", "Settings_Option", [this] { Odometer.Settings_OptionClick(); });
    separator(TrailcountMenu);
    Load_Settings_from_Trailcount_Option =
        item(TrailcountMenu, "Load Settings from Trailcount", "Load_Settings_from_Trailcount_Option",
             [this] { Odometer.Load_Settings_from_Trailcount_OptionClick(); });
    Save_Settings_to_Trailcount_Option =
        item(TrailcountMenu, "Save Settings to Trailcount", "Save_Settings_to_Trailcount_Option",
             [this] { Odometer.Save_Settings_to_Trailcount_OptionClick(); });

    HelpMenu = menu("&Help", "HelpMenu");
    View_Readme_file_Option = item(HelpMenu, "&View Readme file", "View_Readme_file_Option",
                                   [this] { Help->View_Readme_file_OptionClick(); });
    View_Shareware_Catalog_Option = item(HelpMenu, "View &Shareware Catalog", "View_Shareware_Catalog_Option",
                                         [this] { Help->View_Shareware_Catalog_OptionClick(); });
    separator(HelpMenu);
    AboutOption = item(HelpMenu, "&About", "AboutOption", mine(&TMainForm1::AboutOptionClick));
}

void TMainForm1::Create_Timers_And_Dialogs()
{
    auto timer = [this](const char* name, int interval, std::function<void()> handler) {
        auto* created = Own(new QTimer(this), name);
        created->setInterval(interval);
        connect(created, &QTimer::timeout, this, std::move(handler));
        return created;
    };
    Timer1 = timer("Timer1", 500, [this] { Refresh->Timer1Timer(); });
    Program_Size_Timer = timer("Program_Size_Timer", 500, [this] { Placement->Program_Size_TimerTimer(); });
    Program_Size_Timer->setSingleShot(true); // started again by whatever can move the window
    Reset_CPU_Monitoring_Timer = timer("Reset_CPU_Monitoring_Timer", 1000,
                                       [this] { CPU_Display->Reset_CPU_Monitoring_TimerTimer(); });
    Trailcount_Timer = Own(new QTimer(this), "Trailcount_Timer");
    Trailcount_Timer->setInterval(Odometer_Pacer::Tick_Interval_ms);
    connect(Trailcount_Timer, &QTimer::timeout, this, [this] { Odometer.Trailcount_Timer_Fired(); });
    Reset_CPU_Monitoring_Timer->start();

    OpenDialog1 = Own(new TFile_Dialog(TFile_Dialog::Mode::Open, this), "OpenDialog1");
    OpenDialog1->Filter = QStringLiteral("Trailcount INI File|trailcnt.ini|All Files|*.*");
    SaveDialog1 = Own(new TFile_Dialog(TFile_Dialog::Mode::Save, this), "SaveDialog1");

    Attach_Odometer();
    Odometer.Pacing().Start();
}

void TMainForm1::Attach_Odometer()
{
    ::Odometer::Controls controls;
    controls.Distance_Travelled_GroupBox = Distance_Travelled_GroupBox;
    controls.Distance_Travelled_Label = Distance_Travelled_Label;
    controls.Left_Mouse_Label = Left_Mouse_Label;
    controls.Right_Mouse_Label = Right_Mouse_Label;
    controls.Show_Trailcount_Option = Show_Trailcount_Option;
    controls.Trailcount_Timer = Trailcount_Timer;
    controls.Timer1 = Timer1;
    controls.OpenDialog1 = OpenDialog1;
    controls.SaveDialog1 = SaveDialog1;
    controls.Trailcount_Ini_File_Directory_Edit = Trailcount_Ini_File_Directory_Edit;
    controls.Settings_Form = Settings_Form;
    controls.Left_Right_Clicks_GroupBox = Left_Right_Clicks_GroupBox;
    controls.Bevel3 = Bevel3;
    controls.Label2 = Label2;
    controls.Client_Size = [this] { return Client_Size(); };
    // The height changes here by command, not by the user's resize: the
    // layout must not stretch to it, it is recorded afresh at the new size.
    controls.Set_Client_Height_By_Command = [this](int height) {
        Layout_Scaling.Resize_Handler_Attached = false;
        Set_Client_Height(height);
        Scaling_ListBox->clear();
        Layout_Scaling.Record_Layout();
        Layout_Scaling.Resize_Handler_Attached = true;
    };
    Odometer.Attach(controls);
}

void TMainForm1::Attach_Settings_File()
{
    Settings_File::Controls controls;
    controls.Bevel3 = Bevel3;
    controls.Label2 = Label2;
    controls.Scaling_ListBox = Scaling_ListBox;
    controls.DriveComboBox1 = DriveComboBox1;
    controls.Always_On_Top_Option = Always_On_Top_Option;
    controls.Auto_Run_at_Windows_Startup_Option = Auto_Run_at_Windows_Startup_Option;
    controls.Keep_Program_Inside_the_Screen_Bounds_Option = Keep_Program_Inside_the_Screen_Bounds_Option;
    controls.Snap_Program_to_Bottom_Right_of_Screen_Option = Snap_Program_to_Bottom_Right_of_Screen_Option;
    controls.Snap_Program_to_Bottom_Left_of_Screen_Option = Snap_Program_to_Bottom_Left_of_Screen_Option;
    controls.Snap_Program_to_Top_Left_of_Screen_Option = Snap_Program_to_Top_Left_of_Screen_Option;
    controls.Snap_Program_to_Top_Right_of_Screen_Option = Snap_Program_to_Top_Right_of_Screen_Option;
    controls.Show_Trailcount_Option = Show_Trailcount_Option;
    controls.CPU_Drop_Form = CPU_Drop_Form;
    controls.Odometer = &Odometer;
    controls.Set_Client_Width = [this](int width) { Set_Client_Width(width); };
    controls.Set_Client_Height = [this](int height) { Set_Client_Height(height); };
    controls.Set_Window_Bounds = [this](const QRect& bounds) {
        Set_Outer_Top(this, bounds.top());
        Set_Outer_Left(this, bounds.left());
        Set_Outer_Width(this, bounds.width());
        Set_Outer_Height(this, bounds.height());
        Normal_Bounds = bounds;
    };
    controls.Normal_Bounds = [this] { return In_Normal_State() ? Outer_Bounds(this) : Normal_Bounds; };
    controls.Is_Maximized = [this] { return isMaximized(); };
    controls.Show_Normal = [this] { showNormal(); };
    controls.Start_Up = [this] { FormShow(); };
    controls.Record_Layout = [this] { Layout_Scaling.Record_Layout(); };
    controls.Scale_Layout = [this] { Layout_Scaling.Scale_Layout(); };
    controls.Attach_Resize_Handler = [this](bool attached) { Layout_Scaling.Resize_Handler_Attached = attached; };
    Settings = std::make_unique<Settings_File>(std::move(controls));
}

QSize TMainForm1::Client_Size() const
{
    return Client->size();
}

void TMainForm1::Set_Client_Width(int width)
{
    resize(width, height());
    Client->resize(width, Client->height());
}

void TMainForm1::Set_Client_Height(int height)
{
    const int menu_height = MainMenu1->isVisible() || !isVisible() ? MainMenu1->sizeHint().height() : 0;
    resize(width(), height + menu_height);
    Client->resize(Client->width(), height);
}

void TMainForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_once_ && !event->spontaneous()) {
        shown_once_ = true;
        FormShow();
    }
}

void TMainForm1::closeEvent(QCloseEvent* event)
{
    // Refused until the query has run to its end: an error while saving the
    // settings leaves the window open and the program running.
    event->ignore();
    bool can_close = true;
    FormCloseQuery(can_close);
    event->setAccepted(can_close);
}

void TMainForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (Layout_Scaling.Resize_Handler_Attached)
        Layout_Scaling.FormResize();
    Note_Normal_Bounds();
    if (Placement)
        Placement->Placement_May_Be_Needed();
}

void TMainForm1::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    Note_Normal_Bounds();
    if (Placement)
        Placement->Placement_May_Be_Needed();
}

bool TMainForm1::In_Normal_State() const
{
    return !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

// Only once the window manager has framed the window are its outer bounds
// known; until then they stay as loaded.
void TMainForm1::Note_Normal_Bounds()
{
    const QWindow* native = windowHandle();
    if (isVisible() && In_Normal_State() && native && !native->frameMargins().isNull())
        Normal_Bounds = Outer_Bounds(this);
}

void TMainForm1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && Placement)
        Placement->Placement_May_Be_Needed();
}

void TMainForm1::ExitOptionClick()
{
    close();
}

void TMainForm1::AboutOptionClick()
{
    AboutBox->exec();
}
