#include "alarm/cpu_drop_form.h"

#include "alarm/alarm_sounds.h"
#include "common/number_format.h"
#include "common/window_bounds.h"
#include "widgets/design.h"
#include "widgets/radio_group.h"
#include "widgets/spin_edit.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>

namespace {

TSpin_Edit* Spin_Edit(QWidget* parent, const char* name, int minimum, int maximum, int value, QRect geometry)
{
    auto* spin = Named(new TSpin_Edit(minimum, maximum, parent), name);
    spin->setValue(value);
    spin->setGeometry(geometry);
    return spin;
}

// A label at its design place and size, grown to show its whole text where
// this machine's font needs a few pixels more than the design's.
QLabel* Label(QWidget* parent, const char* name, const char* text, QRect geometry, const QFont& font)
{
    auto* label = Named(new QLabel(QString::fromLatin1(text), parent), name);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(QRect(geometry.topLeft(), geometry.size().expandedTo(label->sizeHint())));
    return label;
}

// A centred notice wrapped at its design width, as tall as its lines need.
QLabel* Notice(QWidget* parent, const char* name, const char* text, QRect geometry, const QFont& font)
{
    auto* label = Named(new QLabel(QString::fromLatin1(text), parent), name);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    geometry.setHeight(std::max(geometry.height(), label->heightForWidth(geometry.width())));
    label->setGeometry(geometry);
    return label;
}

QPushButton* Button(QWidget* parent, const char* name, const char* text, QRect geometry, const QFont& font)
{
    auto* button = Named(new QPushButton(QString::fromLatin1(text), parent), name);
    button->setFont(font);
    button->setGeometry(geometry);
    return button;
}

// A radio button that a click can check but not clear: the three sound
// choices keep radio behaviour for the user without the toolkit's rule that
// one of them must always stay checked.
class Sound_Choice final : public QRadioButton {
public:
    Sound_Choice(const char* text, QWidget* parent) : QRadioButton(QString::fromLatin1(text), parent)
    {
        setAutoExclusive(false);
    }

protected:
    void nextCheckState() override { setChecked(true); }
};

QRadioButton* Choice(QWidget* parent, const char* name, const char* text, QRect geometry)
{
    auto* choice = Named(new Sound_Choice(text, parent), name);
    choice->setGeometry(geometry);
    return choice;
}

} // namespace

QString Sound_Frequency_Text(int position)
{
    return Format_Fixed(position, 0, true, 16);
}

TCPU_Drop_Form::TCPU_Drop_Form()
{
    setObjectName(QStringLiteral("CPU_Drop_Form"));
    setWindowTitle(QStringLiteral("CPU Usage Drop Adviser :"));
    // A fixed dialog border: a title and a close box, nothing to size it by.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(504, 415);
    setFont(Times(16, false));

    Create_Controls();
    Connect_Handlers();
    Set_Tab_Order();
    Sound_Frequency_TrackBarChange();
}

void TCPU_Drop_Form::Create_Controls()
{
    const QFont regular = Times(16, false);
    const QFont bold = Times(16, true);

    Label7 = Notice(this, "Label7",
                    "This functionality is useful when your PC's CPU is busy doing something (like a Virus Scan, "
                    "Disk Scan, Disk Defragment, or something else), and you want to be informed  - via an "
                    "audiable signal / sound - when the process is finished.",
                    {8, 12, 477, 61}, regular);
    Label1 = Label(this, "Label1", "If CPU Usage drops below :", {12, 90, 184, 19}, bold);
    TSpin_Edit* const threshold = Spin_Edit(this, "CPU_Drop_Threshold_SpinEdit", 1, 100, 50, {204, 88, 50, 22});
    // Arrows only: the field shows the value but takes no typing.
    threshold->Disable_Typing();
    CPU_Drop_Threshold_SpinEdit = threshold;
    Label2 = Label(this, "Label2", "%", {264, 90, 16, 19}, bold);
    Label3 = Label(this, "Label3", "For at least :", {12, 130, 85, 19}, bold);
    CPU_Drop_Seconds_SpinEdit = Spin_Edit(this, "CPU_Drop_Seconds_SpinEdit", 1, 500, 5, {204, 128, 50, 22});
    Label4 = Label(this, "Label4", "consecutive Seconds", {264, 130, 137, 19}, bold);
    Label5 = Label(this, "Label5", "Then make the PC's Speaker Beep continuously for :", {12, 170, 353, 19}, bold);
    CPU_Drop_Beep_Seconds_SpinEdit =
        Spin_Edit(this, "CPU_Drop_Beep_Seconds_SpinEdit", 1, 100, 1, {376, 168, 50, 22});
    Label6 = Label(this, "Label6", "Seconds.", {436, 170, 59, 19}, bold);

    Other_Options_GroupBox = Named(
        new QGroupBox(QStringLiteral(" Other Options (for Windows NT, 2000, XP  users) : "), this),
        "Other_Options_GroupBox");
    Other_Options_GroupBox->setFont(Times(15, false));
    Other_Options_GroupBox->setGeometry(12, 206, 485, 101);
    Play_Single_Tone_RadioButton = Choice(Other_Options_GroupBox, "Play_Single_Tone_RadioButton",
                                          "Play a single Tone at this frequency :", {12, 22, 250, 17});
    Play_Single_Tone_RadioButton->setChecked(true);
    Sound_Frequency_TrackBar =
        Named(new QSlider(Qt::Horizontal, Other_Options_GroupBox), "Sound_Frequency_TrackBar");
    Sound_Frequency_TrackBar->setRange(37, 10000);
    Sound_Frequency_TrackBar->setSingleStep(1);
    Sound_Frequency_TrackBar->setPageStep(1);
    Sound_Frequency_TrackBar->setTickPosition(QSlider::TicksBelow);
    Sound_Frequency_TrackBar->setTickInterval(1000);
    Sound_Frequency_TrackBar->setValue(400);
    Sound_Frequency_TrackBar->setGeometry(256, 20, 125, 27);
    Sound_Frequency_Label = Named(new QLabel(Other_Options_GroupBox), "Sound_Frequency_Label");
    Sound_Frequency_Label->setGeometry(392, 24, 147, 17);
    Sound_Frequency_Label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Play_Wolf_Whistle_RadioButton = Choice(Other_Options_GroupBox, "Play_Wolf_Whistle_RadioButton",
                                           "Play a \"Wolf Whistle\"", {12, 47, 250, 17});
    Play_Sliding_Scale_RadioButton = Choice(Other_Options_GroupBox, "Play_Sliding_Scale_RadioButton",
                                            "Play a Sliding Scale", {12, 75, 250, 17});

    Sound_Test_Button = Button(this, "Sound_Test_Button", "Sound Test", {59, 332, 110, 25}, bold);
    OK_Button = Button(this, "OK_Button", "OK - Do It !", {195, 332, 110, 25}, bold);
    Cancel_Button = Button(this, "Cancel_Button", "Cancel", {335, 332, 110, 25}, bold);
    // No default button: Enter in a field must not arm the alarm before the
    // user has finished with the other fields. (The toolkit would otherwise
    // make the first of them the default when the dialog shows.)
    for (QPushButton* button : {Sound_Test_Button, OK_Button, Cancel_Button})
        button->setAutoDefault(false);
    Label8 = Notice(this, "Label8",
                    "N.B.  This will not produce a continuous or repetitive beeping, the beep will occur ONCE ONLY "
                    "as soon as the above criteria are satisfied.",
                    {12, 364, 481, 41}, regular);
}

void TCPU_Drop_Form::Connect_Handlers()
{
    connect(OK_Button, &QPushButton::clicked, this, [this] { OK_ButtonClick(); });
    connect(Cancel_Button, &QPushButton::clicked, this, [this] { Cancel_ButtonClick(); });
    connect(Sound_Test_Button, &QPushButton::clicked, this, [this] { Sound_Test_ButtonClick(); });
    connect(Sound_Frequency_TrackBar, &QSlider::valueChanged, this, [this] { Sound_Frequency_TrackBarChange(); });

    const std::vector<QRadioButton*> choices = {Play_Single_Tone_RadioButton, Play_Wolf_Whistle_RadioButton,
                                               Play_Sliding_Scale_RadioButton};
    for (QRadioButton* chosen : choices) {
        chosen->installEventFilter(this);
        connect(chosen, &QRadioButton::toggled, this, [chosen, choices](bool on) {
            if (on)
                for (QRadioButton* other : choices)
                    if (other != chosen)
                        other->setChecked(false);
            Keep_One_Tab_Stop(choices);
        });
    }
    Keep_One_Tab_Stop(choices);
}

void TCPU_Drop_Form::Set_Tab_Order()
{
    QWidget* const order[] = {OK_Button,
                              Cancel_Button,
                              CPU_Drop_Threshold_SpinEdit,
                              CPU_Drop_Seconds_SpinEdit,
                              CPU_Drop_Beep_Seconds_SpinEdit,
                              Sound_Test_Button,
                              Sound_Frequency_TrackBar,
                              Play_Single_Tone_RadioButton,
                              Play_Wolf_Whistle_RadioButton,
                              Play_Sliding_Scale_RadioButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    OK_Button->setFocus();
}

void TCPU_Drop_Form::OK_ButtonClick()
{
    done(QDialog::Accepted);
}

void TCPU_Drop_Form::Cancel_ButtonClick()
{
    done(QDialog::Rejected);
}

void TCPU_Drop_Form::FormShow()
{
    Other_Options_GroupBox->setEnabled(Is_Windows_NT());
    Sound_Frequency_TrackBarChange();
}

void TCPU_Drop_Form::Sound_Frequency_TrackBarChange()
{
    Sound_Frequency_Label->setText(Sound_Frequency_Text(Sound_Frequency_TrackBar->value()));
}

void TCPU_Drop_Form::Sound_Test_ButtonClick()
{
    const int duration_ms = CPU_Drop_Beep_Seconds_SpinEdit->value() * 1000;
    if (Play_Single_Tone_RadioButton->isChecked()) {
        const int frequency_hz = Sound_Frequency_TrackBar->value();
        sounds_.Play([=](const Sound_Output& output) { Speaker_Tone(output, duration_ms, frequency_hz); });
        // Only where the trackbar can take the focus: not while the dialog
        // is hidden (the alarm) nor while the options are disabled.
        if (isVisible() && Sound_Frequency_TrackBar->isEnabled())
            Sound_Frequency_TrackBar->setFocus();
    } else if (Play_Wolf_Whistle_RadioButton->isChecked()) {
        sounds_.Play([=](const Sound_Output& output) { Play_Wolf_Whistle(output, duration_ms); });
    } else if (Play_Sliding_Scale_RadioButton->isChecked()) {
        sounds_.Play([=](const Sound_Output& output) { Play_Sliding_Scale(output, duration_ms); });
    }
}

// The sound choices are not exclusive by themselves (all may be off), so
// the arrow keys' selecting, which the toolkit leaves to exclusive buttons,
// is done here.
bool TCPU_Drop_Form::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        QRadioButton* const choices[] = {Play_Single_Tone_RadioButton, Play_Wolf_Whistle_RadioButton,
                                         Play_Sliding_Scale_RadioButton};
        const int step = Radio_Arrow_Step(static_cast<QKeyEvent*>(event)->key());
        const auto at = std::find(std::begin(choices), std::end(choices), watched);
        if (step != 0 && at != std::end(choices)) {
            const auto target = at - std::begin(choices) + step;
            if (target >= 0 && target < std::ssize(choices)) {
                choices[target]->setFocus(Qt::TabFocusReason);
                choices[target]->setChecked(true);
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Enter presses the button that has the focus, and nothing else; Escape
// does nothing, as there is no cancel button. Only the buttons and the
// close box end the dialog.
void TCPU_Drop_Form::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Enter:
    case Qt::Key_Return:
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled())
            button->click();
        return;
    case Qt::Key_Escape: return;
    default: QDialog::keyPressEvent(event);
    }
}

void TCPU_Drop_Form::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        Centre_On_Screen(this);
        FormShow();
    }
    QDialog::showEvent(event);
}
