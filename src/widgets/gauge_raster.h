#pragma once
// Aliased drawing of the gauge's shapes straight into a 32-bit image, so that
// every pixel follows from the integer geometry alone and not from a
// rasterizer's rounding: fills leave out the right and bottom edges, an
// ellipse is the set of pixels whose centres lie inside the ellipse touching
// its box's outer edges, lines leave out their last point.
//
// Every routine draws only inside `clip` and the image; an empty or inverted
// rectangle draws nothing.

#include "widgets/gauge_geometry.h"

#include <QImage>
#include <QPoint>
#include <QRgb>

// `image` must be QImage::Format_RGB32 (or ARGB32) and not null.
void Raster_Fill_Rect(QImage& image, const Gauge_Rect& rect, QRgb color, const Gauge_Rect& clip);

// The ellipse inscribed in `box`, filled with `fill` and its one-pixel rim in
// `outline`.
void Raster_Ellipse(QImage& image, const Gauge_Rect& box, QRgb fill, QRgb outline, const Gauge_Rect& clip);

// The sector of the ellipse inscribed in `box` that runs counter-clockwise
// from the direction of `start` to the direction of `end` (both seen from the
// ellipse's centre), filled and outlined in `color`. Equal points give the
// whole ellipse.
void Raster_Pie(QImage& image, const Gauge_Rect& box, QPoint start, QPoint end, QRgb color,
                const Gauge_Rect& clip);

// A one-pixel line from `from` up to, not including, `to`.
void Raster_Line(QImage& image, QPoint from, QPoint to, QRgb color, const Gauge_Rect& clip);
