#pragma once
// A window's outer bounds: its frame's bounds as the window manager reports
// them, in screen pixels. Before the window is mapped the frame is not known
// and the outer bounds are the window's own.

#include <QRect>

class QWidget;

QRect Outer_Bounds(const QWidget* window);
void Set_Outer_Left(QWidget* window, int left);
void Set_Outer_Top(QWidget* window, int top);
void Set_Outer_Width(QWidget* window, int width);
void Set_Outer_Height(QWidget* window, int height);
