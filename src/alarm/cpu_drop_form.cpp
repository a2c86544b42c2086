#include "alarm/cpu_drop_form.h"

TCPU_Drop_Form::TCPU_Drop_Form()
{
    setObjectName(QStringLiteral("CPU_Drop_Form"));
    setWindowTitle(QStringLiteral("CPU Usage Drop Adviser :"));
    setFixedSize(504, 415);
}
