#include "widgets/gauge_raster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

using Int = std::int64_t;

Gauge_Rect Drawable(const QImage& image, const Gauge_Rect& clip)
{
    return {std::max(clip.Left, 0), std::max(clip.Top, 0), std::min(clip.Right, image.width()),
            std::min(clip.Bottom, image.height())};
}

QRgb* Row(QImage& image, int y)
{
    return reinterpret_cast<QRgb*>(image.scanLine(y));
}

// Pixels x0..x1 (both included) of row y, cut to the drawable area.
void Fill_Span(QImage& image, int y, Int x0, Int x1, QRgb color, const Gauge_Rect& area)
{
    if (y < area.Top || y >= area.Bottom)
        return;
    const Int from = std::max<Int>(x0, area.Left);
    const Int to = std::min<Int>(x1, area.Right - 1);
    if (from > to)
        return;
    std::fill(Row(image, y) + from, Row(image, y) + to + 1, color);
}

// An ellipse inscribed in a box, worked in doubled coordinates so that a
// centre on a half pixel stays a whole number: pixel x lies at 2x - Centre_X2
// from the centre, and the half-axes are the box's width and height.
class Ellipse {
public:
    explicit Ellipse(const Gauge_Rect& box)
        : top_(box.Top), bottom_(box.Bottom), centre_x2_(Int{box.Left} + box.Right - 1),
          centre_y2_(Int{box.Top} + box.Bottom - 1), width2_(static_cast<double>(box.Right) - box.Left),
          height2_(static_cast<double>(box.Bottom) - box.Top)
    {
    }

    Int Centre_X2() const { return centre_x2_; }
    Int Centre_Y2() const { return centre_y2_; }
    double Width2() const { return width2_; }
    double Height2() const { return height2_; }

    // The largest |2x - Centre_X2| of row y's pixels inside the ellipse, -1
    // when the row has none. Rows are symmetric about the centre, so the row
    // is the pixels (Centre_X2 -+ reach) / 2, and mirror rows are equal.
    Int Reach(int y) const
    {
        if (y < top_ || y >= bottom_)
            return -1;
        const double dy = static_cast<double>(2 * Int{y} - centre_y2_) / height2_;
        const double rest = 1 - dy * dy;
        if (rest < 0)
            return -1;
        Int reach = static_cast<Int>(std::floor(width2_ * std::sqrt(rest)));
        if ((reach - centre_x2_) % 2 != 0)
            --reach;
        return reach < 0 ? -1 : reach;
    }

    bool Contains(Int x, int y) const { return std::llabs(2 * x - centre_x2_) <= Reach(y); }

    Int Span_Left(Int reach) const { return (centre_x2_ - reach) / 2; }
    Int Span_Right(Int reach) const { return (centre_x2_ + reach) / 2; }

private:
    int top_;
    int bottom_;
    Int centre_x2_;
    Int centre_y2_;
    double width2_;
    double height2_;
};

struct Direction {
    double X = 0;
    double Y = 0; // upwards
};

double Cross(Direction a, Direction b)
{
    return a.X * b.Y - a.Y * b.X;
}

// Which directions from the centre a counter-clockwise sweep from `start` to
// `end` covers; the bounding directions themselves belong to it.
class Sweep {
public:
    Sweep(Direction start, Direction end) : start_(start), end_(end), turn_(Cross(start, end))
    {
        const bool degenerate = (start.X == 0 && start.Y == 0) || (end.X == 0 && end.Y == 0);
        full_ = degenerate || (turn_ == 0 && start.X * end.X + start.Y * end.Y > 0);
    }

    bool Full() const { return full_; }

    bool Covers(Direction d) const
    {
        if (full_)
            return true;
        if (turn_ > 0)
            return Cross(start_, d) >= 0 && Cross(d, end_) >= 0;
        if (turn_ < 0) // more than half a turn: all but the open gap from end to start
            return !(Cross(end_, d) > 0 && Cross(d, start_) > 0);
        return Cross(start_, d) >= 0; // exactly half a turn
    }

private:
    Direction start_;
    Direction end_;
    double turn_;
    bool full_ = false;
};

Direction Toward(const Ellipse& ellipse, QPoint point)
{
    return {static_cast<double>(2 * Int{point.x()} - ellipse.Centre_X2()),
            static_cast<double>(ellipse.Centre_Y2() - 2 * Int{point.y()})};
}

// The pen's stroke along a sector's straight side, from the centre to the rim.
void Radius(QImage& image, const Ellipse& ellipse, Direction d, QRgb color, const Gauge_Rect& area)
{
    const double ax = d.X / ellipse.Width2();
    const double ay = d.Y / ellipse.Height2();
    const double scale = 1 / std::sqrt(ax * ax + ay * ay);
    const double rim_x2 = d.X * scale;
    const double rim_y2 = d.Y * scale;
    const int steps = static_cast<int>(std::ceil(std::max(std::fabs(rim_x2), std::fabs(rim_y2)) / 2));
    for (int i = 0; i <= steps; ++i) {
        const double t = steps == 0 ? 0 : static_cast<double>(i) / steps;
        const Int x = static_cast<Int>(std::floor((static_cast<double>(ellipse.Centre_X2()) + rim_x2 * t) / 2 + 0.5));
        const int y = static_cast<int>(std::floor((static_cast<double>(ellipse.Centre_Y2()) - rim_y2 * t) / 2 + 0.5));
        if (ellipse.Contains(x, y))
            Fill_Span(image, y, x, x, color, area);
    }
}

} // namespace

void Raster_Fill_Rect(QImage& image, const Gauge_Rect& rect, QRgb color, const Gauge_Rect& clip)
{
    const Gauge_Rect area = Drawable(image, clip);
    const int top = std::max(rect.Top, area.Top);
    const int bottom = std::min(rect.Bottom, area.Bottom);
    for (int y = top; y < bottom; ++y)
        Fill_Span(image, y, rect.Left, Int{rect.Right} - 1, color, area);
}

void Raster_Ellipse(QImage& image, const Gauge_Rect& box, QRgb fill, QRgb outline, const Gauge_Rect& clip)
{
    if (box.Is_Empty())
        return;
    const Gauge_Rect area = Drawable(image, clip);
    const Ellipse ellipse(box);
    const int top = std::max(box.Top, area.Top);
    const int bottom = std::min(box.Bottom, area.Bottom);
    for (int y = top; y < bottom; ++y) {
        const Int reach = ellipse.Reach(y);
        if (reach < 0)
            continue;
        Fill_Span(image, y, ellipse.Span_Left(reach), ellipse.Span_Right(reach), outline, area);
        // A pixel is inside the rim when its row neighbours and the pixels
        // above and below it all belong to the ellipse.
        const Int inner = std::min({reach - 2, ellipse.Reach(y - 1), ellipse.Reach(y + 1)});
        if (inner >= 0)
            Fill_Span(image, y, ellipse.Span_Left(inner), ellipse.Span_Right(inner), fill, area);
    }
}

void Raster_Pie(QImage& image, const Gauge_Rect& box, QPoint start, QPoint end, QRgb color, const Gauge_Rect& clip)
{
    if (box.Is_Empty())
        return;
    const Gauge_Rect area = Drawable(image, clip);
    const Ellipse ellipse(box);
    const Direction from = Toward(ellipse, start);
    const Direction to = Toward(ellipse, end);
    const Sweep sweep = start == end ? Sweep({1, 0}, {1, 0}) : Sweep(from, to);
    const int top = std::max(box.Top, area.Top);
    const int bottom = std::min(box.Bottom, area.Bottom);
    for (int y = top; y < bottom; ++y) {
        const Int reach = ellipse.Reach(y);
        if (reach < 0)
            continue;
        const Int left = std::max<Int>(ellipse.Span_Left(reach), area.Left);
        const Int right = std::min<Int>(ellipse.Span_Right(reach), area.Right - 1);
        QRgb* row = Row(image, y);
        const double dy = static_cast<double>(ellipse.Centre_Y2() - 2 * Int{y});
        for (Int x = left; x <= right; ++x) {
            if (sweep.Covers({static_cast<double>(2 * x - ellipse.Centre_X2()), dy}))
                row[x] = color;
        }
    }
    if (!sweep.Full()) {
        Radius(image, ellipse, from, color, area);
        Radius(image, ellipse, to, color, area);
    }
}

void Raster_Line(QImage& image, QPoint from, QPoint to, QRgb color, const Gauge_Rect& clip)
{
    const Gauge_Rect area = Drawable(image, clip);
    Int x = from.x();
    Int y = from.y();
    const Int dx = std::llabs(Int{to.x()} - x);
    const Int dy = -std::llabs(Int{to.y()} - y);
    const Int step_x = to.x() > x ? 1 : -1;
    const Int step_y = to.y() > y ? 1 : -1;
    Int error = dx + dy;
    while (x != to.x() || y != to.y()) {
        if (y >= area.Top && y < area.Bottom)
            Fill_Span(image, static_cast<int>(y), x, x, color, area);
        const Int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x += step_x;
        }
        if (doubled <= dx) {
            error += dx;
            y += step_y;
        }
    }
}
