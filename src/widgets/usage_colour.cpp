#include "widgets/usage_colour.h"

#include "widgets/gauge.h"

void Set_Usage_Colour(TGauge& gauge)
{
    const int value = gauge.Progress();
    if (value > 95)
        gauge.Set_ForeColor(QColor(255, 0, 0));
    else if (value >= 85)
        gauge.Set_ForeColor(QColor(255, 255, 0));
    else
        gauge.Set_ForeColor(QColor(0, 255, 0));
}
