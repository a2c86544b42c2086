#include "widgets/gauge_geometry.h"

#include "common/number_format.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace {

constexpr long double Pi = std::numbers::pi_v<long double>;

int To_Int(long double value)
{
    return static_cast<int>(std::clamp(value, static_cast<long double>(INT_MIN), static_cast<long double>(INT_MAX)));
}

int Rounded(long double value)
{
    return To_Int(static_cast<long double>(Round_Half_Even(value)));
}

} // namespace

int Gauge_Shown_Percent(int min_value, int max_value, int progress)
{
    const long double span = static_cast<long double>(max_value) - min_value;
    if (span == 0)
        return 0;
    return To_Int(std::trunc((static_cast<long double>(progress) - min_value) * 100 / span));
}

int Gauge_Bar_Length(int length, int percent)
{
    // The product is kept in two steps on purpose: rounding percent x 0.01
    // first is what makes whole products come out one short.
    const long double fraction = percent * 0.01L;
    return To_Int(std::trunc(length * fraction));
}

Gauge_Rect Gauge_Paint_Rect(int width, int height, bool single_border)
{
    if (single_border)
        return {1, 1, width - 1, height - 1};
    return {0, 0, width, height};
}

Gauge_Rect Horizontal_Bar_Fill(const Gauge_Rect& paint, int percent)
{
    const int w = paint.Right - paint.Left + 1;
    const int h = paint.Bottom - paint.Top + 1;
    const int filled = std::min(Gauge_Bar_Length(w, percent), w);
    if (filled <= 0)
        return {};
    // The right edge is the length itself, not Left + length: with a border
    // the one-pixel shift is what keeps a full bar inside the frame.
    return {paint.Left, paint.Top, filled, h};
}

Gauge_Rect Vertical_Bar_Fill(const Gauge_Rect& paint, int percent)
{
    const int w = paint.Right - paint.Left + 1;
    const int h = paint.Bottom - paint.Top + 1;
    int filled = Gauge_Bar_Length(h, percent);
    if (filled >= h)
        filled = h - 1;
    if (filled <= 0)
        return {};
    return {paint.Left, h - filled, w, h};
}

Gauge_Rect Pie_Ellipse_Box(const Gauge_Rect& paint, bool single_border)
{
    const int extra = single_border ? 1 : 0;
    return {paint.Left, paint.Top, paint.Right - paint.Left + extra, paint.Bottom - paint.Top + extra};
}

QPoint Pie_Start_Point(int mx, int my, int percent)
{
    const long double angle = (percent / 50.0L + 0.5L) * Pi;
    return {Rounded(mx * (1 - std::cos(angle))), Rounded(my * (1 - std::sin(angle)))};
}

QPoint Needle_End_Point(int half_width, int base, int percent)
{
    const long double angle = percent / 100.0L * Pi;
    return {Rounded((1 - std::cos(angle)) * half_width), Rounded((1 - std::sin(angle)) * base)};
}

QPoint Gauge_Text_Origin(const Gauge_Rect& paint, int text_width, int text_height)
{
    // C++ division cuts towards zero, as the halves must when the text is
    // wider or taller than the gauge.
    return {(paint.Right - paint.Left + 1 - text_width) / 2, (paint.Bottom - paint.Top + 1 - text_height) / 2};
}
