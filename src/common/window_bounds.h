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

// Centres a window's outer bounds on the screen of the window it is opened
// from (the active one), or on the primary screen. A window the window
// manager has not framed yet is placed as if its frame were the opener's,
// and centred again once its own frame is known.
void Centre_On_Screen(QWidget* window);

// The least outer size a settings file can give a window: a frame the user
// can see, grab by its title bar and close, around a client area. Until the
// window is framed its frame is unknown, so the window's own area is also
// held to at least what its own content needs (the main window: its menu
// bar) and a strip of client area below that.
inline constexpr int Least_Outer_Width = 150;
inline constexpr int Least_Outer_Height = 100;
QSize Least_Own_Size(const QWidget* window);

// Outer bounds a window can have, from bounds a settings file asked for:
// no wider or taller than the desktop (all screens together), no smaller
// than the least outer size; a window that would lie wholly off every screen
// is pulled back onto the primary one as keep-inside would pull it (and to
// its left or top edge where that is not enough), and one that had to be
// made larger is kept wholly on the screen it is on. Worked in 64 bits: the
// file may hold anything a 32-bit number can.
QRect Sane_Window_Bounds(int left, int top, int width, int height, const QList<QRect>& screens, const QRect& primary);
// The same on the screens the application has now.
QRect Sane_Window_Bounds(int left, int top, int width, int height);
