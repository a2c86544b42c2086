#include "alarm/cpu_drop_form.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

namespace {
template <class T>
T* Named(T* control, const char* name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

QSpinBox* Spin_Edit(QWidget* parent, const char* name, int minimum, int maximum, int value)
{
    auto* spin = Named(new QSpinBox(parent), name);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    return spin;
}
} // namespace

TCPU_Drop_Form::TCPU_Drop_Form()
{
    setObjectName(QStringLiteral("CPU_Drop_Form"));
    setWindowTitle(QStringLiteral("CPU Usage Drop Adviser :"));
    setFixedSize(504, 415);

    Label7 = Named(new QLabel(this), "Label7");
    Label1 = Named(new QLabel(this), "Label1");
    CPU_Drop_Threshold_SpinEdit = Spin_Edit(this, "CPU_Drop_Threshold_SpinEdit", 1, 100, 50);
    Label2 = Named(new QLabel(this), "Label2");
    Label3 = Named(new QLabel(this), "Label3");
    CPU_Drop_Seconds_SpinEdit = Spin_Edit(this, "CPU_Drop_Seconds_SpinEdit", 1, 500, 5);
    Label4 = Named(new QLabel(this), "Label4");
    Label5 = Named(new QLabel(this), "Label5");
    CPU_Drop_Beep_Seconds_SpinEdit = Spin_Edit(this, "CPU_Drop_Beep_Seconds_SpinEdit", 1, 100, 1);
    Label6 = Named(new QLabel(this), "Label6");
    Other_Options_GroupBox = Named(new QGroupBox(this), "Other_Options_GroupBox");
    Play_Single_Tone_RadioButton = Named(new QRadioButton(Other_Options_GroupBox), "Play_Single_Tone_RadioButton");
    Play_Single_Tone_RadioButton->setChecked(true);
    Sound_Frequency_TrackBar = Named(new QSlider(Qt::Horizontal, Other_Options_GroupBox), "Sound_Frequency_TrackBar");
    Sound_Frequency_TrackBar->setRange(37, 10000);
    Sound_Frequency_TrackBar->setValue(400);
    Sound_Frequency_Label = Named(new QLabel(Other_Options_GroupBox), "Sound_Frequency_Label");
    Play_Wolf_Whistle_RadioButton = Named(new QRadioButton(Other_Options_GroupBox), "Play_Wolf_Whistle_RadioButton");
    Play_Sliding_Scale_RadioButton =
        Named(new QRadioButton(Other_Options_GroupBox), "Play_Sliding_Scale_RadioButton");
    Sound_Test_Button = Named(new QPushButton(this), "Sound_Test_Button");
    OK_Button = Named(new QPushButton(this), "OK_Button");
    Cancel_Button = Named(new QPushButton(this), "Cancel_Button");
    Label8 = Named(new QLabel(this), "Label8");
}
