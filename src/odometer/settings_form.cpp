#include "odometer/settings_form.h"

#include "common/window_bounds.h"
#include "odometer/odometer_units.h"
#include "widgets/design.h"
#include "widgets/radio_group.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>

#include <limits>

namespace {
QLabel* Centred_Label(QWidget* parent, const char* name, const char* text, QRect geometry)
{
    auto* label = Named(new QLabel(QString::fromLatin1(text), parent), name);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(geometry);
    return label;
}

TSpin_Edit* Spin_Edit(QWidget* parent, const char* name, QRect geometry, int minimum, int maximum)
{
    auto* spin = Named(new TSpin_Edit(minimum, maximum, parent), name);
    spin->setGeometry(geometry);
    return spin;
}
} // namespace

TSettings_Form::TSettings_Form()
{
    setObjectName(QStringLiteral("Settings_Form"));
    setWindowTitle(QStringLiteral("Trailcount Settings :"));
    // A fixed dialog border: a caption and a close box, no resizing.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(317, 291);
    // Where the design's face is missing, one of Arial's widths keeps the
    // texts inside their design-size labels.
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPixelSize(11);
    font.setBold(true);
    setFont(font);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);

    OKBtn = Named(new QPushButton(QStringLiteral("OK"), this), "OKBtn");
    OKBtn->setGeometry(120, 260, 77, 27);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

    Screen_Size_GroupBox = Named(new QGroupBox(QStringLiteral(" Viewable Screen Size (in centimeters) : "), this),
                                 "Screen_Size_GroupBox");
    Screen_Size_GroupBox->setGeometry(4, 6, 309, 63);
    Screen_Width_Label = Centred_Label(Screen_Size_GroupBox, "Screen_Width_Label", "Width in cm :", {12, 20, 115, 13});
    Screen_Height_Label =
        Centred_Label(Screen_Size_GroupBox, "Screen_Height_Label", "Height in cm :", {172, 18, 115, 13});
    Label12 = Named(new QLabel(QStringLiteral("X"), Screen_Size_GroupBox), "Label12");
    Label12->setGeometry(148, 38, 9, 13);
    // Sizes change by the spin buttons and the arrow keys only.
    TSpin_Edit* const width =
        Spin_Edit(Screen_Size_GroupBox, "Screen_Width_SpinEdit", {12, 34, 121, 22}, Screen_Size_Min, Screen_Size_Max);
    width->setValue(27);
    width->Disable_Typing();
    Screen_Width_SpinEdit = width;
    TSpin_Edit* const height = Spin_Edit(Screen_Size_GroupBox, "Screen_Height_SpinEdit", {172, 34, 121, 22},
                                         Screen_Size_Min, Screen_Size_Max);
    height->setValue(20);
    height->Disable_Typing();
    Screen_Height_SpinEdit = height;

    GroupBox2 = Named(new QGroupBox(QStringLiteral(" Screen Resolution (in pixels) : "), this), "GroupBox2");
    GroupBox2->setGeometry(4, 78, 309, 91);
    Label10 = Centred_Label(GroupBox2, "Label10", "Width in Pixels :", {12, 22, 115, 13});
    Label11 = Centred_Label(GroupBox2, "Label11", "Height in Pixels :", {176, 22, 115, 13});
    Label13 = Named(new QLabel(QStringLiteral("X"), GroupBox2), "Label13");
    Label13->setGeometry(148, 42, 9, 13);
    Label1 = Centred_Label(GroupBox2, "Label1", "(Change this setting in Windows' Control Panel.", {12, 68, 281, 13});
    // The resolution is shown, never edited: whatever the platform reports.
    constexpr int any_min = std::numeric_limits<int>::min();
    constexpr int any_max = std::numeric_limits<int>::max();
    Screen_Resolution_X_SpinEdit =
        Spin_Edit(GroupBox2, "Screen_Resolution_X_SpinEdit", {12, 38, 121, 22}, any_min, any_max);
    Screen_Resolution_Y_SpinEdit =
        Spin_Edit(GroupBox2, "Screen_Resolution_Y_SpinEdit", {172, 38, 121, 22}, any_min, any_max);
    for (QSpinBox* resolution : {Screen_Resolution_X_SpinEdit, Screen_Resolution_Y_SpinEdit}) {
        resolution->setReadOnly(true);
        resolution->setEnabled(false);
    }

    Distance_Travelled_Units_RadioGroup = Named(new TRadioGroup(this), "Distance_Travelled_Units_RadioGroup");
    Distance_Travelled_Units_RadioGroup->setTitle(QStringLiteral(" Units for Distance : "));
    Distance_Travelled_Units_RadioGroup->setGeometry(4, 180, 309, 73);
    Distance_Travelled_Units_RadioGroup->Set_Items(
        {QStringLiteral("Metric (centimeters, kilometers)"), QStringLiteral("Imperial (inches, miles)")});
    Distance_Travelled_Units_RadioGroup->Set_ItemIndex(Metric_Unit);
    connect(Distance_Travelled_Units_RadioGroup, &TRadioGroup::Click, this,
            [this] { Distance_Travelled_Units_RadioGroupClick(); });

    Adjust_Width_and_Height_Fields_CheckBox =
        Named(new QCheckBox(this), "Adjust_Width_and_Height_Fields_CheckBox");
    Adjust_Width_and_Height_Fields_CheckBox->setGeometry(8, 244, 289, 17);
    Adjust_Width_and_Height_Fields_CheckBox->hide();
}

Odometer_Settings TSettings_Form::Settings() const
{
    return {Screen_Width_SpinEdit->value(), Screen_Height_SpinEdit->value(),
            Distance_Travelled_Units_RadioGroup->ItemIndex()};
}

void TSettings_Form::FormActivate()
{
    if (!Adjust_Width_and_Height_Fields_CheckBox->isChecked())
        sizes_unit_ = Distance_Travelled_Units_RadioGroup->ItemIndex();
    Adjust_Width_and_Height_Fields_CheckBox->setChecked(true);
}

void TSettings_Form::FormClose()
{
    Adjust_Width_and_Height_Fields_CheckBox->setChecked(false);
}

void TSettings_Form::Distance_Travelled_Units_RadioGroupClick()
{
    if (!Adjust_Width_and_Height_Fields_CheckBox->isChecked())
        return;
    const int unit = Distance_Travelled_Units_RadioGroup->ItemIndex();
    const bool metric = Is_Metric(unit);
    if (metric) {
        Screen_Size_GroupBox->setTitle(QStringLiteral("Viewable Screen Size (in centimeters) :"));
        Screen_Width_Label->setText(QStringLiteral("Width in cm :"));
        Screen_Height_Label->setText(QStringLiteral("Height in cm :"));
    } else {
        Screen_Size_GroupBox->setTitle(QStringLiteral("Viewable Screen Size (in inches) :"));
        Screen_Width_Label->setText(QStringLiteral("Width in inches :"));
        Screen_Height_Label->setText(QStringLiteral("Height in inches :"));
    }
    // With no unit chosen the sizes were taken as inches (as the sampling
    // takes them), so choosing imperial then leaves them as they are.
    if (Is_Metric(sizes_unit_) != metric) {
        Screen_Width_SpinEdit->setValue(Convert_Screen_Size(Screen_Width_SpinEdit->value(), metric));
        Screen_Height_SpinEdit->setValue(Convert_Screen_Size(Screen_Height_SpinEdit->value(), metric));
    }
    sizes_unit_ = unit;
}

void TSettings_Form::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TSettings_Form::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    Centre_On_Screen(this);
    FormActivate();
    OKBtn->setFocus();
}

bool TSettings_Form::event(QEvent* event)
{
    // An activation that arrives after the dialog has closed must not set the guard again.
    if (event->type() == QEvent::WindowActivate && isVisible())
        FormActivate();
    return QDialog::event(event);
}
