// The odometer settings dialog: units, conversions, and the panel command.
#include "common/number_format.h"
#include "odometer/odometer_sampling.h"
#include "odometer/odometer_units.h"
#include "odometer_fixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>
#include <functional>

TEST(Odometer_Units, Distance_Converts_Between_Kilometres_And_Miles)
{
    const double miles = Convert_Distance(100, false);
    EXPECT_EQ(Format_Distance(miles), QStringLiteral("62.13711922"));
    EXPECT_EQ(Format_Distance(Convert_Distance(miles, true)), QStringLiteral("100.00000000"));
    EXPECT_DOUBLE_EQ(Convert_Distance(1, true), 1.609344);
}

// ---- The dialog, opened by the odometer's command.

class Odometer_Settings_Dialog : public Odometer_Fixture {
protected:
    // Opens the dialog by its command, does what the user would while it is
    // open, and closes it with OK.
    void Open_Settings(const std::function<void()>& while_open)
    {
        bool ran = false;
        QTimer::singleShot(0, &settings, [&] {
            EXPECT_TRUE(settings.isVisible());
            EXPECT_FALSE(Timer1->isActive()); // the refresh pauses
            while_open();
            ran = true;
            settings.OKBtn->click();
        });
        odometer.Settings_OptionClick();
        EXPECT_TRUE(ran);
        EXPECT_FALSE(settings.isVisible());
        EXPECT_TRUE(Timer1->isActive());
        Timer1->stop();
    }
    void Click_Unit(int index) { settings.Distance_Travelled_Units_RadioGroup->Button(index)->click(); }
    int Width() const { return settings.Screen_Width_SpinEdit->value(); }
    int Height() const { return settings.Screen_Height_SpinEdit->value(); }
    int Unit() const { return settings.Distance_Travelled_Units_RadioGroup->ItemIndex(); }
};

TEST_F(Odometer_Settings_Dialog, Switching_Units_Converts_Sizes_At_Each_Click_And_The_Distance_Once)
{
    input.screen_width = 1366;
    input.screen_height = 768;
    odometer.Odometer_Distance = 100;
    Open_Settings([&] {
        EXPECT_EQ(settings.Screen_Resolution_X_SpinEdit->value(), 1366);
        EXPECT_EQ(settings.Screen_Resolution_Y_SpinEdit->value(), 768);
        EXPECT_FALSE(settings.Screen_Resolution_X_SpinEdit->isEnabled());
        EXPECT_TRUE(settings.Adjust_Width_and_Height_Fields_CheckBox->isChecked());
        Click_Unit(1);
        EXPECT_EQ(Width(), 11);
        EXPECT_EQ(Height(), 8);
        EXPECT_EQ(settings.Screen_Size_GroupBox->title(), QStringLiteral("Viewable Screen Size (in inches) :"));
        EXPECT_EQ(settings.Screen_Width_Label->text(), QStringLiteral("Width in inches :"));
        EXPECT_EQ(settings.Screen_Height_Label->text(), QStringLiteral("Height in inches :"));
        odometer.Odometer_Distance = 100.5; // the sampling goes on while it is open
    });
    EXPECT_FALSE(settings.Adjust_Width_and_Height_Fields_CheckBox->isChecked());
    EXPECT_EQ(Format_Distance(odometer.Odometer_Distance), QStringLiteral("62.13711922"));
    EXPECT_EQ(Distance_Travelled_GroupBox->title(), QStringLiteral(" Mouse Miles Travelled : "));

    Open_Settings([&] { Click_Unit(0); });
    EXPECT_EQ(Width(), 28);
    EXPECT_EQ(Height(), 20);
    EXPECT_EQ(settings.Screen_Size_GroupBox->title(), QStringLiteral("Viewable Screen Size (in centimeters) :"));
    EXPECT_EQ(settings.Screen_Width_Label->text(), QStringLiteral("Width in cm :"));
    EXPECT_EQ(Format_Distance(odometer.Odometer_Distance), QStringLiteral("100.00000000"));
    EXPECT_EQ(Distance_Travelled_GroupBox->title(), QStringLiteral(" Mouse Kilometers Travelled : "));
}

TEST_F(Odometer_Settings_Dialog, Back_And_Forth_In_One_Opening_Leaves_The_Distance_As_Sampled)
{
    odometer.Odometer_Distance = 100;
    Open_Settings([&] {
        Click_Unit(1);
        Click_Unit(1); // the selected one again: nothing happens
        EXPECT_EQ(Width(), 11);
        Click_Unit(0);
        odometer.Odometer_Distance = 100.25;
    });
    EXPECT_EQ(Width(), 28);
    EXPECT_EQ(Height(), 20);
    EXPECT_EQ(odometer.Odometer_Distance, 100.25);

    Open_Settings([] {});
    EXPECT_EQ(odometer.Odometer_Distance, 100.25);
    EXPECT_EQ(Width(), 28);
}

TEST_F(Odometer_Settings_Dialog, A_Unit_Set_By_Program_Code_While_Closed_Converts_Nothing)
{
    Set_Sizes(27, 20, 1); // as loading a file does
    EXPECT_EQ(Width(), 27);
    EXPECT_EQ(Height(), 20);
    EXPECT_EQ(settings.Screen_Width_Label->text(), QStringLiteral("Width in cm :"));
    Set_Sizes(1000000, 0, 0);
    EXPECT_EQ(Width(), 999999);
    EXPECT_EQ(Height(), 1);
    settings.Distance_Travelled_Units_RadioGroup->Set_ItemIndex(5);
    EXPECT_EQ(Unit(), 1);
    settings.Distance_Travelled_Units_RadioGroup->Set_ItemIndex(-3);
    EXPECT_EQ(Unit(), -1);
}

TEST_F(Odometer_Settings_Dialog, Opens_With_No_Unit_Selected_And_Converts_Only_What_The_User_Picks)
{
    // No unit (from a loaded file): the sampling counted miles and inches.
    Set_Sizes(25, 10, -1);
    odometer.Odometer_Distance = 10;
    Open_Settings([&] {
        EXPECT_FALSE(settings.Distance_Travelled_Units_RadioGroup->Button(0)->isChecked());
        EXPECT_FALSE(settings.Distance_Travelled_Units_RadioGroup->Button(1)->isChecked());
    });
    EXPECT_EQ(Unit(), -1);
    EXPECT_EQ(odometer.Odometer_Distance, 10);
    EXPECT_EQ(Width(), 25);

    // Imperial is what it was counted in already: nothing converts.
    Open_Settings([&] { Click_Unit(1); });
    EXPECT_EQ(odometer.Odometer_Distance, 10);
    EXPECT_EQ(Width(), 25);
    EXPECT_EQ(settings.Screen_Width_Label->text(), QStringLiteral("Width in inches :"));

    // Metric converts from miles and inches.
    settings.Distance_Travelled_Units_RadioGroup->Set_ItemIndex(-1);
    Open_Settings([&] { Click_Unit(0); });
    EXPECT_EQ(Width(), 64);
    EXPECT_EQ(Height(), 25);
    EXPECT_DOUBLE_EQ(odometer.Odometer_Distance, 16.09344);
}

namespace {
void Press_Key(QWidget* widget, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}
} // namespace

// The unit group is one tab stop: Tab enters it at the chosen unit and
// leaves it, so Tab then Space cannot switch the unit; the arrow keys pick
// the unit as a click does.
TEST_F(Odometer_Settings_Dialog, The_Units_Are_One_Tab_Stop_And_Arrow_Keys_Pick_As_A_Click_Does)
{
    Open_Settings([&] {
        QRadioButton* const metric = settings.Distance_Travelled_Units_RadioGroup->Button(0);
        QRadioButton* const imperial = settings.Distance_Travelled_Units_RadioGroup->Button(1);
        auto tab = [&](Qt::Key key) {
            QTest::keyClick(settings.focusWidget(), key);
            return settings.focusWidget();
        };
        ASSERT_EQ(settings.focusWidget(), settings.OKBtn);
        EXPECT_EQ(tab(Qt::Key_Backtab), metric);
        EXPECT_EQ(tab(Qt::Key_Backtab), settings.Screen_Height_SpinEdit);
        EXPECT_EQ(tab(Qt::Key_Tab), metric);
        EXPECT_EQ(tab(Qt::Key_Tab), settings.OKBtn);

        Press_Key(metric, Qt::Key_Down);
        EXPECT_EQ(Unit(), 1);
        EXPECT_EQ(Width(), 11);
        EXPECT_EQ(settings.focusWidget(), imperial);
        Press_Key(imperial, Qt::Key_Down); // already last
        EXPECT_EQ(Unit(), 1);
        EXPECT_EQ(Width(), 11);
        EXPECT_EQ(tab(Qt::Key_Tab), settings.OKBtn);
        EXPECT_EQ(tab(Qt::Key_Backtab), imperial);
        Press_Key(imperial, Qt::Key_Up);
        EXPECT_EQ(Unit(), 0);
        EXPECT_EQ(Width(), 28);
    });
}

TEST_F(Odometer_Settings_Dialog, Has_The_Designed_Controls)
{
    EXPECT_EQ(settings.windowTitle(), QStringLiteral("Trailcount Settings :"));
    EXPECT_EQ(settings.size(), QSize(317, 291));
    EXPECT_EQ(settings.OKBtn->geometry(), QRect(120, 260, 77, 27));
    EXPECT_EQ(settings.Distance_Travelled_Units_RadioGroup->geometry(), QRect(4, 180, 309, 73));
    EXPECT_EQ(settings.Distance_Travelled_Units_RadioGroup->title(), QStringLiteral(" Units for Distance : "));
    EXPECT_EQ(settings.Screen_Size_GroupBox->title(), QStringLiteral(" Viewable Screen Size (in centimeters) : "));
    EXPECT_EQ(settings.Label1->text(), QStringLiteral("(Change this setting in Windows' Control Panel."));
    EXPECT_EQ(settings.Screen_Width_SpinEdit->minimum(), 1);
    EXPECT_EQ(settings.Screen_Width_SpinEdit->maximum(), 999999);
    EXPECT_TRUE(settings.Adjust_Width_and_Height_Fields_CheckBox->isHidden());
    EXPECT_EQ(settings.font().pixelSize(), 11);
    EXPECT_TRUE(settings.font().bold());
}

// ---- Showing and hiding the odometer panel.

TEST_F(Odometer_Fixture, Show_Trailcount_Reaches_To_The_Panel_Or_The_CPU_Bevel_And_Back_To_The_Height_It_Found)
{
    odometer.Show_Trailcount_OptionClick();
    EXPECT_TRUE(Show_Trailcount_Option->isChecked());
    EXPECT_EQ(client, QSize(201, 337)); // the clicks group's bottom, 333, and the RAM caption's margin, 4
    odometer.Show_Trailcount_OptionClick();
    EXPECT_FALSE(Show_Trailcount_Option->isChecked());
    EXPECT_EQ(client, QSize(201, 239));

    // Scaled positions are cut to whole pixels, so a height taken from them
    // and back would lose a pixel or two every time: going back, with
    // nothing resized since, gives exactly the height the window had.
    client = QSize(201, 232);
    Left_Right_Clicks_GroupBox->setGeometry(4, 283, 193, 40);
    Bevel3->setGeometry(4, 178, 193, 49);
    for (int round = 0; round < 3; ++round) {
        odometer.Show_Trailcount_OptionClick();
        EXPECT_EQ(client.height(), 327) << round;
        odometer.Show_Trailcount_OptionClick();
        EXPECT_EQ(client.height(), 232) << round;
    }

    // Resized in between, the height comes from the positions again; shown
    // once more, it is the height the resize left.
    odometer.Show_Trailcount_OptionClick();
    client.setHeight(client.height() + 20);
    odometer.Show_Trailcount_OptionClick();
    EXPECT_EQ(client.height(), 178 + 49 + 4);
    odometer.Show_Trailcount_OptionClick();
    EXPECT_EQ(client.height(), 347);
    EXPECT_EQ(heights_set.size(), 11u) << "every command resizes once";
}
