// Layout scaling: recording the reference and stretching every control to the client size.
#include "scaling/layout_scaling.h"

#include "app/main_form.h"
#include "app/windows.h"
#include "fakes/fake_disk.h"
#include "fakes/fake_input.h"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QCoreApplication>
#include <QResizeEvent>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>

TEST(Layout_Arithmetic, Fonts_Follow_The_Smaller_Change_And_Every_Field_Is_Cut)
{
    struct Case {
        QSize now;
        const char* scaled; // left width top height points, as a line would hold them
    };
    const QString reference = QStringLiteral("4 193 240 49 10 Distance_Travelled_GroupBox");
    const Case cases[] = {
        {{201, 239}, "4 193 240 49 10"},
        {{402, 239}, "8 386 240 49 10"},
        {{150, 239}, "2 144 240 49 7"},   // rx = 0.746...
        {{201, 478}, "4 193 480 98 10"},  // twice as high: fonts unchanged
        {{402, 478}, "8 386 480 98 20"},
        {{100, 100}, "1 96 100 20 4"},
    };
    for (const Case& c : cases) {
        const Control_Reference scaled = Scale_Control_Line(reference, Scale_Factors({201, 239}, c.now));
        const QRect& r = scaled.geometry;
        EXPECT_EQ(QStringLiteral("%1 %2 %3 %4 %5").arg(r.x()).arg(r.width()).arg(r.y()).arg(r.height()).arg(scaled.font_points),
                  QString::fromLatin1(c.scaled))
            << c.now.width() << "x" << c.now.height();
    }
}

// Layout scaling on its own, over a client area of a few controls as the
// window has them: a bevel, a group box with a label in it, the hidden list
// that holds the reference, and components that are not controls.
class Scaling_On_Its_Own : public ::testing::Test {
protected:
    Scaling_On_Its_Own()
    {
        Client->resize(201, 239);
        Bevel1->setGeometry(4, 56, 193, 53);
        GroupBox->setGeometry(4, 240, 193, 49);
        Label->setGeometry(8, 16, 177, 27);
        Scaling_ListBox->setGeometry(268, 4, 25, 25);
        Scaling_ListBox->hide();
        for (auto [control, pixels] : {std::pair<QWidget*, int>{Bevel1, 15}, {GroupBox, 13}, {Label, 24}, {Scaling_ListBox, 15}}) {
            QFont font = control->font();
            font.setPixelSize(pixels);
            control->setFont(font);
        }
        scaling.Attach({Client, Scaling_ListBox, &Components});
    }
    void Scale_To(int width, int height)
    {
        Client->resize(width, height);
        scaling.FormResize();
    }
    struct Look {
        QRect geometry;
        int pixels;
        bool operator==(const Look&) const = default;
    };
    std::map<QString, Look> Snapshot() const
    {
        std::map<QString, Look> looks;
        for (QWidget* control : {static_cast<QWidget*>(Bevel1), static_cast<QWidget*>(GroupBox), static_cast<QWidget*>(Label)})
            looks[control->objectName()] = {control->geometry(), control->font().pixelSize()};
        return looks;
    }
    template <class T>
    T* Own(T* component, const char* name)
    {
        component->setObjectName(QString::fromLatin1(name));
        Components.push_back(component);
        return component;
    }

    QWidget window;
    QWidget* Client = new QWidget(&window);
    std::vector<QObject*> Components;
    QFrame* Bevel1 = Own(new QFrame(Client), "Bevel1");
    QGroupBox* GroupBox = Own(new QGroupBox(Client), "Distance_Travelled_GroupBox");
    QLabel* Label = Own(new QLabel(GroupBox), "Distance_Travelled_Label");
    QListWidget* Scaling_ListBox = Own(new QListWidget(Client), "Scaling_ListBox");
    QTimer* Timer = Own(new QTimer(&window), "Trailcount_Timer");
    QAction* Item = Own(new QAction(&window), "ExitOption");
    QWidget* Outside = Own(new QWidget(&window), "MainMenu1"); // a widget, but not in the client area
    ::Layout_Scaling scaling;
};

TEST_F(Scaling_On_Its_Own, Records_One_Line_Per_Component_In_Creation_Order)
{
    scaling.Record_Layout();
    QStringList lines;
    for (int i = 0; i < Scaling_ListBox->count(); ++i)
        lines << Scaling_ListBox->item(i)->text();
    EXPECT_EQ(lines, QStringList({"201 239 W/H Mainform1", "4 193 56 53 11 Bevel1",
                                  "4 193 240 49 10 Distance_Travelled_GroupBox",
                                  "8 177 16 27 18 Distance_Travelled_Label", "268 25 4 25 11 Scaling_ListBox", "0",
                                  "0", "0"}));

    // Recording again while the list holds lines changes nothing.
    Client->resize(300, 239);
    scaling.Record_Layout();
    EXPECT_EQ(Scaling_ListBox->item(0)->text(), QStringLiteral("201 239 W/H Mainform1"));
    EXPECT_EQ(Scaling_ListBox->count(), lines.size());
}

TEST_F(Scaling_On_Its_Own, Stretches_Every_Control_From_The_Reference_Without_Drift)
{
    const auto design = Snapshot();
    Scale_To(300, 300); // before anything is recorded nothing moves
    EXPECT_EQ(Snapshot(), design);
    Client->resize(201, 239);
    scaling.Record_Layout();

    Scale_To(402, 239);
    EXPECT_EQ(GroupBox->geometry(), QRect(8, 240, 386, 49));
    EXPECT_EQ(GroupBox->font().pixelSize(), Font_Pixels(10));
    // Controls inside a group box scale within it by the same factors.
    EXPECT_EQ(Label->geometry(), QRect(16, 16, 354, 27));

    Scale_To(150, 239);
    EXPECT_EQ(GroupBox->geometry(), QRect(2, 240, 144, 49));
    EXPECT_EQ(GroupBox->font().pixelSize(), Font_Pixels(7));

    Scale_To(201, 478);
    EXPECT_EQ(GroupBox->geometry(), QRect(4, 480, 193, 98));
    EXPECT_EQ(Label->font().pixelSize(), Font_Pixels(18));

    // Many odd sizes, then back: every control exactly as recorded.
    for (int size : {333, 177, 1001, 57, 259})
        Scale_To(size, size + 13);
    Scale_To(201, 239);
    EXPECT_EQ(Snapshot(), design);

    // Squeezed until fonts reach nothing: the window stays usable.
    Scale_To(10, 10);
    EXPECT_GE(Label->font().pixelSize(), 1);
    Scale_To(201, 239);
    EXPECT_EQ(Snapshot(), design);

    // A control held at a fixed size takes its new size as the fixed one.
    Bevel1->setFixedSize(193, 53);
    Scale_To(402, 478);
    EXPECT_EQ(Bevel1->geometry(), QRect(8, 112, 386, 106));
    EXPECT_EQ(Bevel1->minimumSize(), QSize(386, 106));
}

// The main window: its own components are recorded, and the user's resize
// of the window reaches the scaling.
class Window_Layout : public ::testing::Test {
protected:
    Window_Layout()
    {
        for (QTimer* timer : {form.Timer1, form.Program_Size_Timer, form.Reset_CPU_Monitoring_Timer, form.Trailcount_Timer})
            timer->stop();
        form.Set_Client_Width(201);
        form.Set_Client_Height(239);
    }

    Fake_Input input;
    Fake_Disk disk;
    platform::Scoped_Service<platform::Input_Service> input_guard{input};
    platform::Scoped_Service<platform::Disk_Service> disk_guard{disk};
    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
};

TEST_F(Window_Layout, Records_The_Window_Components_And_Follows_Its_Resize)
{
    form.Layout_Scaling.Record_Layout();
    const QListWidget& list = *form.Scaling_ListBox;
    ASSERT_EQ(list.count(), static_cast<int>(form.Components.size()) + 1);
    EXPECT_EQ(list.item(0)->text(), QStringLiteral("201 239 W/H Mainform1"));
    std::map<QString, QString> lines;
    for (std::size_t i = 0; i < form.Components.size(); ++i)
        lines[form.Components[i]->objectName()] = list.item(static_cast<int>(i) + 1)->text();
    EXPECT_EQ(lines[QStringLiteral("Bevel1")], QStringLiteral("4 193 56 53 11 Bevel1"));
    EXPECT_EQ(lines[QStringLiteral("Distance_Travelled_GroupBox")], QStringLiteral("4 193 240 49 10 Distance_Travelled_GroupBox"));
    EXPECT_EQ(lines[QStringLiteral("Distance_Travelled_Label")], QStringLiteral("8 177 16 27 18 Distance_Travelled_Label"));
    EXPECT_EQ(lines[QStringLiteral("Right_Mouse_Label")], QStringLiteral("104 86 18 15 10 Right_Mouse_Label"));
    EXPECT_EQ(lines[QStringLiteral("Scaling_ListBox")], QStringLiteral("268 25 4 25 11 Scaling_ListBox"));
    // Menus, items, timers and file dialogs are not controls of the layout.
    for (const char* name : {"MainMenu1", "FileMenu", "ExitOption", "N1", "Trailcount_Timer", "OpenDialog1"})
        EXPECT_EQ(lines[QString::fromLatin1(name)], QStringLiteral("0")) << name;

    // The window is not shown (no start-up, no settings file): the resize it
    // would be told of is sent by hand.
    const QSize old_size = form.size();
    form.Set_Client_Width(402);
    QResizeEvent resized(form.size(), old_size);
    QCoreApplication::sendEvent(&form, &resized);
    EXPECT_EQ(form.Distance_Travelled_GroupBox->geometry(), QRect(8, 240, 386, 49));

    // A change of height by command is recorded afresh, not stretched to.
    form.Odometer.Show_Trailcount_OptionClick();
    EXPECT_EQ(list.item(0)->text().section(QLatin1Char(' '), 0, 0), QStringLiteral("402"));
    EXPECT_EQ(form.Distance_Travelled_GroupBox->geometry(), QRect(8, 240, 386, 49));
}
