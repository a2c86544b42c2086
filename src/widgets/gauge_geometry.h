#pragma once
// The gauge's arithmetic: the shown percentage, fill lengths and the points
// its shapes are built from, in the integer pixel geometry the painting uses.
//
// Rectangles here are the toolkit's kind: Right and Bottom are the first
// column and row past the shape, so a fill covers Left..Right - 1 and
// Top..Bottom - 1. A point is a pixel's own coordinate.

#include <QPoint>

struct Gauge_Rect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool Is_Empty() const { return Right <= Left || Bottom <= Top; }
    bool operator==(const Gauge_Rect&) const = default;
};

// The whole percentage for a value in a range, cut towards zero; 0 for an
// empty range. A value outside the range is the caller's fault and is not
// corrected here.
int Gauge_Shown_Percent(int min_value, int max_value, int progress);

// Filled length of a bar of `length` pixels at `percent`, as the extended
// product length x (percent x 0.01) cut towards zero. 0.01 is not exact, so a
// whole-numbered product can come out one short: 5 % of 20 is 0.
int Gauge_Bar_Length(int length, int percent);

// The area inside the frame: the whole gauge, or one pixel less on every side
// with a single border.
Gauge_Rect Gauge_Paint_Rect(int width, int height, bool single_border);

// The filled part of a horizontal bar: from the paint rectangle's top left to
// (F, H), F the bar length of the inside width. Empty at a length of 0.
Gauge_Rect Horizontal_Bar_Fill(const Gauge_Rect& paint, int percent);

// The filled part of a vertical bar, growing up from the bottom.
Gauge_Rect Vertical_Bar_Fill(const Gauge_Rect& paint, int percent);

// The box of a pie's ellipse: from the paint rectangle's top left to (W, H).
// With either border style this is the paint rectangle itself.
Gauge_Rect Pie_Ellipse_Box(const Gauge_Rect& paint, bool single_border);

// Where a pie's sector starts: on the ellipse of half-axes (mx, my) centred on
// (mx, my), percent / 100 of a turn clockwise from twelve o'clock, rounded
// half to even. The sector runs counter-clockwise from here to (mx, 0).
QPoint Pie_Start_Point(int mx, int my, int percent);

// The needle's tip: half a turn from pointing left (0 %) over the top to
// pointing right (100 %), on the half-ellipse of half-axes (half_width, base)
// that stands on the row `base`.
QPoint Needle_End_Point(int half_width, int base, int percent);

// Top left corner of the percentage text, centred in the paint rectangle by
// integer halves; the halves are not offset by the rectangle's corner.
QPoint Gauge_Text_Origin(const Gauge_Rect& paint, int text_width, int text_height);
