#include "app/window_bounds.h"

#include <QWidget>

namespace {
// Frame thickness added to the window's own size on each axis.
QSize Frame_Extra(const QWidget* window)
{
    return window->frameGeometry().size() - window->geometry().size();
}
} // namespace

QRect Outer_Bounds(const QWidget* window)
{
    return window->frameGeometry();
}

void Set_Outer_Left(QWidget* window, int left)
{
    window->move(left, window->frameGeometry().top());
}

void Set_Outer_Top(QWidget* window, int top)
{
    window->move(window->frameGeometry().left(), top);
}

void Set_Outer_Width(QWidget* window, int width)
{
    window->resize(width - Frame_Extra(window).width(), window->height());
}

void Set_Outer_Height(QWidget* window, int height)
{
    window->resize(window->width(), height - Frame_Extra(window).height());
}
