#include "odometer/distance_label.h"

#include "odometer/odometer_sampling.h"

#include <QLabel>

bool Repaint_Limiter::Paint_Now(bool changed, std::int64_t now_ms)
{
    pending_ = pending_ || changed;
    if (!pending_ || now_ms - last_paint_ms_ < interval_ms_)
        return false;
    pending_ = false;
    last_paint_ms_ = now_ms;
    return true;
}

void Distance_Label_Writer::Write(QLabel& label, double distance, std::int64_t now_ms)
{
    const Format_Settings& format = Program_Format();
    if (!has_text_ || distance != value_ || format.Decimal_Separator != format_.Decimal_Separator
        || format.Thousand_Separator != format_.Thousand_Separator) {
        text_ = Format_Distance(distance);
        value_ = distance;
        format_ = format;
        has_text_ = true;
    }

    const bool changed = label.text() != text_;
    if (changed) {
        // The label keeps its size whatever it shows. Told so, the toolkit
        // stops asking the parent for a new layout (a posted event that
        // wakes the event loop) at every new text.
        if (label.minimumSize() != label.maximumSize())
            label.setFixedSize(label.size());
        // setText asks for a repaint of its own; with updates held off for
        // the call, only the limiter decides when the label is painted.
        const bool held_already = label.testAttribute(Qt::WA_UpdatesDisabled);
        label.setAttribute(Qt::WA_UpdatesDisabled, true);
        label.setText(text_);
        label.setAttribute(Qt::WA_UpdatesDisabled, held_already);
    }
    // A label cut off by the client area (the odometer panel hidden) is not
    // painted at all; when it comes into view the toolkit paints it with the
    // text it holds by then.
    if (limiter_.Paint_Now(changed, now_ms) && !label.visibleRegion().isEmpty())
        label.update();
}
