// The alarm dialog: its controls, the frequency label, the options group,
// the sound choices and how it closes.
#include "alarm/cpu_drop_form.h"
#include "common/number_format.h"
#include "fakes/fake_clock.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class Scoped_Format {
public:
    explicit Scoped_Format(QChar thousands) : saved_(Program_Format())
    {
        Program_Format().Thousand_Separator = thousands;
    }
    ~Scoped_Format() { Program_Format() = saved_; }

private:
    Format_Settings saved_;
};

struct Control_Row {
    const char* name;
    QString text;
    QRect geometry;
};

// Keys as a user types them, and the focus leaving a control.
void Press(QWidget* control, Qt::Key key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(control, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(control, &release);
}

void Leave(QWidget* control)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(control, &out);
}

QString Text_Of(const QWidget* control)
{
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (auto* box = qobject_cast<const QGroupBox*>(control))
        return box->title();
    return {};
}

} // namespace

TEST(CPU_Drop_Form, Controls_Carry_Their_Names_Texts_Geometry_And_Limits)
{
    TCPU_Drop_Form form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("CPU Usage Drop Adviser :"));
    EXPECT_EQ(form.size(), QSize(504, 415));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());

    const Control_Row rows[] = {
        {"Label7",
         QStringLiteral("This functionality is useful when your PC's CPU is busy doing something (like a Virus "
                        "Scan, Disk Scan, Disk Defragment, or something else), and you want to be informed  - via "
                        "an audiable signal / sound - when the process is finished."),
         {8, 12, 477, 61}},
        {"Label1", QStringLiteral("If CPU Usage drops below :"), {12, 90, 184, 19}},
        {"CPU_Drop_Threshold_SpinEdit", {}, {204, 88, 50, 22}},
        {"Label2", QStringLiteral("%"), {264, 90, 16, 19}},
        {"Label3", QStringLiteral("For at least :"), {12, 130, 85, 19}},
        {"CPU_Drop_Seconds_SpinEdit", {}, {204, 128, 50, 22}},
        {"Label4", QStringLiteral("consecutive Seconds"), {264, 130, 137, 19}},
        {"Label5", QStringLiteral("Then make the PC's Speaker Beep continuously for :"), {12, 170, 353, 19}},
        {"CPU_Drop_Beep_Seconds_SpinEdit", {}, {376, 168, 50, 22}},
        {"Label6", QStringLiteral("Seconds."), {436, 170, 59, 19}},
        {"Other_Options_GroupBox", QStringLiteral(" Other Options (for Windows NT, 2000, XP  users) : "),
         {12, 206, 485, 101}},
        {"Play_Single_Tone_RadioButton", QStringLiteral("Play a single Tone at this frequency :"), {12, 22, 250, 17}},
        {"Sound_Frequency_TrackBar", {}, {256, 20, 125, 27}},
        {"Sound_Frequency_Label", QStringLiteral("400"), {392, 24, 147, 17}},
        {"Play_Wolf_Whistle_RadioButton", QStringLiteral("Play a \"Wolf Whistle\""), {12, 47, 250, 17}},
        {"Play_Sliding_Scale_RadioButton", QStringLiteral("Play a Sliding Scale"), {12, 75, 250, 17}},
        {"Sound_Test_Button", QStringLiteral("Sound Test"), {59, 332, 110, 25}},
        {"OK_Button", QStringLiteral("OK - Do It !"), {195, 332, 110, 25}},
        {"Cancel_Button", QStringLiteral("Cancel"), {335, 332, 110, 25}},
        {"Label8",
         QStringLiteral("N.B.  This will not produce a continuous or repetitive beeping, the beep will occur ONCE "
                        "ONLY as soon as the above criteria are satisfied."),
         {12, 364, 481, 41}},
    };
    for (const Control_Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto* control = form.findChild<QWidget*>(QString::fromLatin1(row.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(Text_Of(control), row.text);
        if (auto* label = qobject_cast<const QLabel*>(control)) {
            // At its design place, grown where needed to show all its text.
            EXPECT_EQ(label->pos(), row.geometry.topLeft());
            EXPECT_GE(label->width(), row.geometry.width());
            EXPECT_GE(label->height(), row.geometry.height());
            if (label->wordWrap()) {
                EXPECT_EQ(label->width(), row.geometry.width());
                EXPECT_GE(label->height(), label->heightForWidth(label->width()));
            } else if (label->parentWidget() == &form) {
                EXPECT_GE(label->width(), label->sizeHint().width());
            }
        } else {
            EXPECT_EQ(control->geometry(), row.geometry);
        }
    }
    EXPECT_EQ(form.Play_Wolf_Whistle_RadioButton->parentWidget(), form.Other_Options_GroupBox);
    EXPECT_TRUE(form.Label7->wordWrap() && form.Label7->alignment().testFlag(Qt::AlignHCenter));

    // Fonts: bold 16 px for the settings' labels and the buttons, regular
    // for the two notices, 15 px inside the options group.
    for (QWidget* bold : {static_cast<QWidget*>(form.Label1), static_cast<QWidget*>(form.Label6),
                          static_cast<QWidget*>(form.OK_Button)}) {
        EXPECT_EQ(bold->font().family(), QStringLiteral("Times New Roman"));
        EXPECT_EQ(bold->font().pixelSize(), 16);
        EXPECT_TRUE(bold->font().bold());
    }
    EXPECT_FALSE(form.Label8->font().bold());
    EXPECT_EQ(form.Label8->font().pixelSize(), 16);
    EXPECT_EQ(form.Play_Sliding_Scale_RadioButton->font().pixelSize(), 15);

    const std::tuple<QSpinBox*, int, int, int> spins[] = {{form.CPU_Drop_Threshold_SpinEdit, 1, 100, 50},
                                                          {form.CPU_Drop_Seconds_SpinEdit, 1, 500, 5},
                                                          {form.CPU_Drop_Beep_Seconds_SpinEdit, 1, 100, 1}};
    for (const auto& [spin, minimum, maximum, value] : spins) {
        SCOPED_TRACE(spin->objectName().toStdString());
        EXPECT_EQ(spin->minimum(), minimum);
        EXPECT_EQ(spin->maximum(), maximum);
        EXPECT_EQ(spin->value(), value);
    }
    QSlider* const trackbar = form.Sound_Frequency_TrackBar;
    EXPECT_EQ(trackbar->minimum(), 37);
    EXPECT_EQ(trackbar->maximum(), 10000);
    EXPECT_EQ(trackbar->value(), 400);
    EXPECT_EQ(trackbar->pageStep(), 1);
    EXPECT_EQ(trackbar->tickInterval(), 1000);
    EXPECT_EQ(trackbar->tickPosition(), QSlider::TicksBelow);
    EXPECT_TRUE(form.Play_Single_Tone_RadioButton->isChecked());
    EXPECT_FALSE(form.Play_Wolf_Whistle_RadioButton->isChecked());
    EXPECT_FALSE(form.Play_Sliding_Scale_RadioButton->isChecked());
}

TEST(CPU_Drop_Form, Tab_Order_Starts_At_OK_And_Ends_In_The_Options_Group)
{
    TCPU_Drop_Form form;
    EXPECT_EQ(form.focusWidget(), form.OK_Button);
    const std::vector<QWidget*> expected = {form.OK_Button,
                                            form.Cancel_Button,
                                            form.CPU_Drop_Threshold_SpinEdit,
                                            form.CPU_Drop_Seconds_SpinEdit,
                                            form.CPU_Drop_Beep_Seconds_SpinEdit,
                                            form.Sound_Test_Button,
                                            form.Sound_Frequency_TrackBar,
                                            form.Play_Single_Tone_RadioButton,
                                            form.Play_Wolf_Whistle_RadioButton,
                                            form.Play_Sliding_Scale_RadioButton};
    std::vector<QWidget*> chain;
    QWidget* at = form.OK_Button;
    do {
        if (std::find(expected.begin(), expected.end(), at) != expected.end())
            chain.push_back(at);
        at = at->nextInFocusChain();
    } while (at != form.OK_Button);
    EXPECT_EQ(chain, expected);

    // The sound choices are one tab stop: Tab enters them at the checked one
    // and leaves them at once.
    form.show();
    form.Play_Wolf_Whistle_RadioButton->setChecked(true);
    form.Sound_Frequency_TrackBar->setFocus();
    QTest::keyClick(form.Sound_Frequency_TrackBar, Qt::Key_Tab);
    EXPECT_EQ(form.focusWidget(), form.Play_Wolf_Whistle_RadioButton);
    QTest::keyClick(form.focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(form.focusWidget(), form.OK_Button);
    form.hide();
}

TEST(CPU_Drop_Form, Frequency_Label_Follows_The_Trackbar_With_The_Users_Separator)
{
    TCPU_Drop_Form form;
    {
        Scoped_Format comma(QLatin1Char(','));
        form.Sound_Frequency_TrackBar->setValue(form.Sound_Frequency_TrackBar->minimum());
        EXPECT_EQ(form.Sound_Frequency_Label->text(), QStringLiteral("37"));
        form.Sound_Frequency_TrackBar->setValue(form.Sound_Frequency_TrackBar->maximum());
        EXPECT_EQ(form.Sound_Frequency_Label->text(), QStringLiteral("10,000"));
    }
    Scoped_Format dot(QLatin1Char('.'));
    EXPECT_EQ(Sound_Frequency_Text(1234), QStringLiteral("1.234"));
    // Showing the dialog writes the label afresh with the separator of the day.
    form.show();
    EXPECT_EQ(form.Sound_Frequency_Label->text(), QStringLiteral("10.000"));
    form.hide();
}

TEST(CPU_Drop_Form, Options_Group_Is_Enabled_Only_On_The_NT_Family_At_Each_Showing)
{
    Fake_Version version;
    platform::Scoped_Service<platform::Version_Service> guard(version);
    TCPU_Drop_Form form;

    version.platform_id = VER_PLATFORM_WIN32_WINDOWS;
    form.show();
    EXPECT_FALSE(form.Other_Options_GroupBox->isEnabled());
    EXPECT_FALSE(form.Play_Wolf_Whistle_RadioButton->isEnabled());
    EXPECT_TRUE(form.CPU_Drop_Seconds_SpinEdit->isEnabled());
    EXPECT_TRUE(form.Sound_Test_Button->isEnabled());
    form.hide();

    version.platform_id = VER_PLATFORM_WIN32_NT;
    form.show();
    EXPECT_TRUE(form.Other_Options_GroupBox->isEnabled());
    form.hide();

    // A failed query is not the NT family.
    version.succeeds = false;
    form.show();
    EXPECT_FALSE(form.Other_Options_GroupBox->isEnabled());
    form.hide();
}

TEST(CPU_Drop_Form, Sound_Choices_Exclude_Each_Other_Yet_May_All_Be_Off_And_Arrow_Keys_Select)
{
    TCPU_Drop_Form form;
    QRadioButton* const single = form.Play_Single_Tone_RadioButton;
    QRadioButton* const whistle = form.Play_Wolf_Whistle_RadioButton;
    QRadioButton* const scale = form.Play_Sliding_Scale_RadioButton;
    auto checked = [&] { return std::vector<bool>{single->isChecked(), whistle->isChecked(), scale->isChecked()}; };

    // Loaded in the settings file's order: the last one set wins.
    single->setChecked(true);
    whistle->setChecked(true);
    scale->setChecked(false);
    EXPECT_EQ(checked(), (std::vector<bool>{false, true, false}));
    single->setChecked(true);
    whistle->setChecked(true);
    scale->setChecked(true);
    EXPECT_EQ(checked(), (std::vector<bool>{false, false, true}));

    // All three off is possible from a settings file.
    single->setChecked(false);
    whistle->setChecked(false);
    scale->setChecked(false);
    EXPECT_EQ(checked(), (std::vector<bool>{false, false, false}));

    // The user's clicks behave as radio buttons: a click checks, never clears.
    whistle->click();
    EXPECT_EQ(checked(), (std::vector<bool>{false, true, false}));
    whistle->click();
    EXPECT_EQ(checked(), (std::vector<bool>{false, true, false}));
    single->click();
    EXPECT_EQ(checked(), (std::vector<bool>{true, false, false}));

    // The arrow keys select as they move through the group, and stop at its ends.
    Press(single, Qt::Key_Down);
    EXPECT_EQ(checked(), (std::vector<bool>{false, true, false}));
    Press(whistle, Qt::Key_Right);
    EXPECT_EQ(checked(), (std::vector<bool>{false, false, true}));
    Press(scale, Qt::Key_Down);
    EXPECT_EQ(checked(), (std::vector<bool>{false, false, true}));
    Press(scale, Qt::Key_Up);
    Press(whistle, Qt::Key_Left);
    EXPECT_EQ(checked(), (std::vector<bool>{true, false, false}));
}

TEST(CPU_Drop_Form, Spin_Edits_Bring_Typed_Values_Inside_Their_Limits_And_The_Threshold_Takes_No_Typing)
{
    TCPU_Drop_Form form;
    QSpinBox* const seconds = form.CPU_Drop_Seconds_SpinEdit;
    seconds->selectAll();
    Press(seconds, Qt::Key_Backspace);
    Leave(seconds);
    EXPECT_EQ(seconds->value(), 1);
    EXPECT_EQ(seconds->text(), QStringLiteral("1"));

    seconds->selectAll();
    Press(seconds, Qt::Key_0, QStringLiteral("0"));
    Leave(seconds);
    EXPECT_EQ(seconds->value(), 1);

    // A number past the maximum is let stand while typing, then brought down.
    auto typed = [](QSpinBox* spin, const QString& digits) {
        spin->selectAll();
        for (const QChar digit : digits)
            Press(spin, static_cast<Qt::Key>(Qt::Key_0 + digit.digitValue()), QString(digit));
        const QString while_typing = spin->text();
        Leave(spin);
        return (while_typing + QLatin1Char('>') + spin->text()).toStdString();
    };
    EXPECT_EQ(typed(seconds, QStringLiteral("600")), "600>500");
    EXPECT_EQ(seconds->value(), 500);
    EXPECT_EQ(typed(form.CPU_Drop_Beep_Seconds_SpinEdit, QStringLiteral("99999999999")), "99999999999>100");
    EXPECT_EQ(typed(seconds, QStringLiteral("42")), "42>42");

    QSpinBox* const threshold = form.CPU_Drop_Threshold_SpinEdit;
    threshold->selectAll();
    Press(threshold, Qt::Key_7, QStringLiteral("7"));
    Press(threshold, Qt::Key_Backspace);
    EXPECT_EQ(threshold->text(), QStringLiteral("50"));
    Press(threshold, Qt::Key_Up);
    EXPECT_EQ(threshold->value(), 51);
}

// OK accepts; Cancel and the close box reject and keep the changed values.
// There is no default and no cancel button: Enter in a field and Escape
// leave the dialog open, and Enter presses only the button with the focus.
TEST(CPU_Drop_Form, Only_Its_Buttons_And_The_Close_Box_End_It_Keeping_Changed_Values)
{
    TCPU_Drop_Form form;
    auto run_and = [&form](auto close) {
        QTimer::singleShot(0, &form, close);
        return form.exec();
    };
    EXPECT_EQ(run_and([&form] { form.OK_Button->click(); }), QDialog::Accepted);
    form.CPU_Drop_Seconds_SpinEdit->setValue(42);
    EXPECT_EQ(run_and([&form] { form.Cancel_Button->click(); }), QDialog::Rejected);
    EXPECT_EQ(run_and([&form] { form.close(); }), QDialog::Rejected);
    EXPECT_EQ(form.CPU_Drop_Seconds_SpinEdit->value(), 42);
    EXPECT_FALSE(form.isVisible());

    for (QPushButton* button : {form.OK_Button, form.Cancel_Button}) {
        SCOPED_TRACE(button->objectName().toStdString());
        bool stayed_open = false;
        const int result = run_and([&form, button, &stayed_open] {
            for (QWidget* field : {static_cast<QWidget*>(form.CPU_Drop_Seconds_SpinEdit),
                                   static_cast<QWidget*>(form.Sound_Frequency_TrackBar)}) {
                field->setFocus();
                for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                    QTest::keyClick(field, key);
            }
            stayed_open = form.isVisible() && form.result() == 0;
            for (const QPushButton* any : {form.Sound_Test_Button, form.OK_Button, form.Cancel_Button})
                stayed_open = stayed_open && !any->isDefault();
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Return);
            if (form.isVisible())
                form.done(-1);
        });
        EXPECT_TRUE(stayed_open);
        EXPECT_EQ(result, button == form.OK_Button ? QDialog::Accepted : QDialog::Rejected);
    }
}
