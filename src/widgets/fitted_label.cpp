#include "widgets/fitted_label.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

TFitted_Label::TFitted_Label(QWidget* parent) : QLabel(parent) {}

QFont TFitted_Label::Fitted_Font() const
{
    QFont fitted = font();
    int pixels = fitted.pixelSize() > 0 ? fitted.pixelSize() : QFontInfo(fitted).pixelSize();
    const int room = contentsRect().width();
    while (pixels > 1 && QFontMetrics(fitted).horizontalAdvance(text()) > room)
        fitted.setPixelSize(--pixels);
    return fitted;
}

void TFitted_Label::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(Fitted_Font());
    style()->drawItemText(&painter, contentsRect(), QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(), isEnabled(), text(), foregroundRole());
}
