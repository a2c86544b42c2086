#pragma once
// A window's outer bounds: its frame's bounds as the window manager reports
// them, in screen pixels.
//
// Until the window manager has framed the window (before it is first mapped)
// the frame is unknown and counts as nothing: the outer bounds are the
// window's own, a position set then is taken as the frame's (the window
// manager places the frame there), and an outer size set then is set again
// once the frame is known, so that the frame ends up that size.

#include <QList>
#include <QRect>

class QWidget;

QRect Outer_Bounds(const QWidget* window);
void Set_Outer_Left(QWidget* window, int left);
void Set_Outer_Top(QWidget* window, int top);
void Set_Outer_Width(QWidget* window, int width);
void Set_Outer_Height(QWidget* window, int height);

// Outer bounds a window can have, from bounds a settings file asked for:
// no wider or taller than the desktop (all screens together) and at least a
// pixel each way; a window that would lie wholly off every screen is pulled
// back onto the primary one as keep-inside would pull it (and to its left
// or top edge where that is not enough). Worked in 64 bits: the file may hold
// anything a 32-bit number can.
QRect Sane_Window_Bounds(int left, int top, int width, int height, const QList<QRect>& screens, const QRect& primary);
// The same on the screens the application has now.
QRect Sane_Window_Bounds(int left, int top, int width, int height);
