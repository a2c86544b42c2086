#pragma once
// A window's outer bounds: its frame's bounds as the window manager reports
// them, in screen pixels.
//
// Until the window manager has framed the window (before it is first mapped)
// the frame is unknown and counts as nothing: the outer bounds are the
// window's own, a position set then is taken as the frame's (the window
// manager places the frame there), and an outer size set then is set again
// once the frame is known, so that the frame ends up that size.

#include <QRect>

class QWidget;

QRect Outer_Bounds(const QWidget* window);
void Set_Outer_Left(QWidget* window, int left);
void Set_Outer_Top(QWidget* window, int top);
void Set_Outer_Width(QWidget* window, int width);
void Set_Outer_Height(QWidget* window, int height);
