#include "odometer/settings_form.h"

TSettings_Form::TSettings_Form()
{
    setObjectName(QStringLiteral("Settings_Form"));
    setWindowTitle(QStringLiteral("Trailcount Settings :"));
    setFixedSize(317, 291);
}
