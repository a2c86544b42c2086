#include "odometer/settings_form.h"

#include "widgets/radio_group.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace {
template <class T>
T* Named(T* control, const char* name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}
} // namespace

TSettings_Form::TSettings_Form()
{
    setObjectName(QStringLiteral("Settings_Form"));
    setWindowTitle(QStringLiteral("Trailcount Settings :"));
    setFixedSize(317, 291);

    OKBtn = Named(new QPushButton(this), "OKBtn");
    Screen_Size_GroupBox = Named(new QGroupBox(this), "Screen_Size_GroupBox");
    Screen_Width_Label = Named(new QLabel(Screen_Size_GroupBox), "Screen_Width_Label");
    Screen_Height_Label = Named(new QLabel(Screen_Size_GroupBox), "Screen_Height_Label");
    Label12 = Named(new QLabel(Screen_Size_GroupBox), "Label12");
    Screen_Width_SpinEdit = Named(new QSpinBox(Screen_Size_GroupBox), "Screen_Width_SpinEdit");
    Screen_Width_SpinEdit->setRange(1, 999999);
    Screen_Width_SpinEdit->setValue(27);
    Screen_Height_SpinEdit = Named(new QSpinBox(Screen_Size_GroupBox), "Screen_Height_SpinEdit");
    Screen_Height_SpinEdit->setRange(1, 999999);
    Screen_Height_SpinEdit->setValue(20);
    GroupBox2 = Named(new QGroupBox(this), "GroupBox2");
    Label10 = Named(new QLabel(GroupBox2), "Label10");
    Label11 = Named(new QLabel(GroupBox2), "Label11");
    Label13 = Named(new QLabel(GroupBox2), "Label13");
    Label1 = Named(new QLabel(GroupBox2), "Label1");
    Screen_Resolution_X_SpinEdit = Named(new QSpinBox(GroupBox2), "Screen_Resolution_X_SpinEdit");
    Screen_Resolution_Y_SpinEdit = Named(new QSpinBox(GroupBox2), "Screen_Resolution_Y_SpinEdit");
    Distance_Travelled_Units_RadioGroup = Named(new TRadioGroup(this), "Distance_Travelled_Units_RadioGroup");
    Distance_Travelled_Units_RadioGroup->Set_Items(
        {QStringLiteral("Metric (centimeters, kilometers)"), QStringLiteral("Imperial (inches, miles)")});
    Distance_Travelled_Units_RadioGroup->Set_ItemIndex(0);
    Adjust_Width_and_Height_Fields_CheckBox =
        Named(new QCheckBox(this), "Adjust_Width_and_Height_Fields_CheckBox");
    Adjust_Width_and_Height_Fields_CheckBox->hide();
}
