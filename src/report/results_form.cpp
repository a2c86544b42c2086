#include "report/results_form.h"

TResults_Form::TResults_Form()
{
    setObjectName(QStringLiteral("Results_Form"));
    setFixedSize(630, 434);
}
