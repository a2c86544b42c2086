// Layout scaling: recording the reference and stretching every control to the client size.
#include "app/layout_scaling.h"
#include "app/main_form.h"
#include "app/windows.h"
#include "fakes/fake_disk.h"
#include "fakes/fake_input.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
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

class Layout_Scaling : public ::testing::Test {
protected:
    Layout_Scaling()
    {
        for (QTimer* timer : {form.Timer1, form.Program_Size_Timer, form.Reset_CPU_Monitoring_Timer, form.Trailcount_Timer})
            timer->stop();
        form.Set_Client_Width(201);
        form.Set_Client_Height(239);
    }
    void Scale_To(int width, int height)
    {
        form.Client->resize(width, height);
        form.FormResize();
    }
    struct Look {
        QRect geometry;
        int pixels;
        bool operator==(const Look&) const = default;
    };
    std::map<QString, Look> Snapshot() const
    {
        std::map<QString, Look> looks;
        for (QObject* component : form.Components)
            if (auto* control = qobject_cast<QWidget*>(component); control && form.Client->isAncestorOf(control))
                looks[control->objectName()] = {control->geometry(), control->font().pixelSize()};
        return looks;
    }

    Fake_Input input;
    Fake_Disk disk;
    platform::Scoped_Service<platform::Input_Service> input_guard{input};
    platform::Scoped_Service<platform::Disk_Service> disk_guard{disk};
    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
};

TEST_F(Layout_Scaling, Records_One_Line_Per_Component_In_Creation_Order)
{
    form.Record_Layout();
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

    // Recording again while the list holds lines changes nothing.
    form.Set_Client_Width(300);
    form.Record_Layout();
    EXPECT_EQ(list.item(0)->text(), QStringLiteral("201 239 W/H Mainform1"));
    EXPECT_EQ(list.count(), static_cast<int>(form.Components.size()) + 1);
}

TEST_F(Layout_Scaling, Stretches_Every_Control_From_The_Reference_Without_Drift)
{
    form.Odometer.Trailcount_TimerTimer(); // the odometer has written its label, as it has long before any resize
    const auto design = Snapshot();
    Scale_To(300, 300); // before anything is recorded nothing moves
    EXPECT_EQ(Snapshot(), design);
    form.Set_Client_Width(201);
    form.Set_Client_Height(239);
    form.Record_Layout();

    Scale_To(402, 239);
    EXPECT_EQ(form.Distance_Travelled_GroupBox->geometry(), QRect(8, 240, 386, 49));
    EXPECT_EQ(form.Distance_Travelled_GroupBox->font().pixelSize(), Font_Pixels(10));
    // Controls inside a group box scale within it by the same factors.
    EXPECT_EQ(form.Distance_Travelled_Label->geometry(), QRect(16, 16, 354, 27));

    Scale_To(150, 239);
    EXPECT_EQ(form.Distance_Travelled_GroupBox->geometry(), QRect(2, 240, 144, 49));
    EXPECT_EQ(form.Distance_Travelled_GroupBox->font().pixelSize(), Font_Pixels(7));

    Scale_To(201, 478);
    EXPECT_EQ(form.Distance_Travelled_GroupBox->geometry(), QRect(4, 480, 193, 98));
    EXPECT_EQ(form.Distance_Travelled_Label->font().pixelSize(), Font_Pixels(18));

    // Many odd sizes, then back: every control exactly as recorded.
    for (int size : {333, 177, 1001, 57, 259})
        Scale_To(size, size + 13);
    Scale_To(201, 239);
    EXPECT_EQ(Snapshot(), design);

    // Squeezed until fonts reach nothing: the window stays usable.
    Scale_To(10, 10);
    EXPECT_GE(form.Distance_Travelled_Label->font().pixelSize(), 1);
    Scale_To(201, 239);
    EXPECT_EQ(Snapshot(), design);
}
