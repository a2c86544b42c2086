#pragma once
// Writing the distance at every tick without repainting at every tick.
//
// The tick sets the label's text a hundred times a second, but nobody reads a
// figure that changes faster than about 25 times a second, and each repaint
// costs far more than the sampling itself. So the text property is always
// current (whoever reads it sees this tick's value) while the label is
// painted at most once per interval; a change that came too soon is painted
// by a later tick, at most one interval late.

#include "common/number_format.h"

#include <QString>
#include <cstdint>
#include <limits>

class QLabel;

// When a changed text may be painted. Times in milliseconds of a monotonic clock.
class Repaint_Limiter {
public:
    explicit Repaint_Limiter(std::int64_t interval_ms) : interval_ms_(interval_ms) {}
    // Called at every tick; true when the label should be painted now.
    bool Paint_Now(bool changed, std::int64_t now_ms);
    bool Pending() const { return pending_; }

private:
    std::int64_t interval_ms_;
    std::int64_t last_paint_ms_ = std::numeric_limits<std::int64_t>::min() / 2;
    bool pending_ = false;
};

class Distance_Label_Writer {
public:
    static constexpr std::int64_t Repaint_Interval_ms = 40; // 25 times a second

    // Sets the label's text to the distance and paints it when the limiter allows.
    void Write(QLabel& label, double distance, std::int64_t now_ms);
    // A change is set but not painted yet: a later Write paints it.
    bool Paint_Pending() const { return limiter_.Pending(); }

private:
    // The last text formatted and what it was formatted from: an unchanged
    // distance (the cursor at rest) needs no formatting.
    bool has_text_ = false;
    double value_ = 0;
    Format_Settings format_;
    QString text_;
    Repaint_Limiter limiter_{Repaint_Interval_ms};
};
