#include "report/report_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {

constexpr int Size = 16;

QPixmap Draw(const std::function<void(QPainter&)>& paint)
{
    QPixmap picture(Size, Size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return picture;
}

// The classic disabled look: the shape in grey over a white copy one pixel
// down and right, so it reads as etched into the button face.
QPixmap Disabled(const QPixmap& normal)
{
    const QImage mask = normal.toImage().convertToFormat(QImage::Format_ARGB32);
    QImage etched(mask.size(), QImage::Format_ARGB32);
    etched.fill(Qt::transparent);
    auto stamp = [&](QColor colour, int offset) {
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x) {
                const int alpha = qAlpha(mask.pixel(x, y));
                if (alpha < 96 || x + offset >= etched.width() || y + offset >= etched.height())
                    continue;
                colour.setAlpha(alpha);
                etched.setPixel(x + offset, y + offset, colour.rgba());
            }
    };
    stamp(QColor(255, 255, 255), 1);
    stamp(QColor(128, 128, 128), 0);
    return QPixmap::fromImage(etched);
}

QIcon Icon(const QPixmap& normal)
{
    QIcon icon;
    icon.addPixmap(normal, QIcon::Normal);
    icon.addPixmap(Disabled(normal), QIcon::Disabled);
    return icon;
}

} // namespace

QIcon Drive_Report_Picture()
{
    return Icon(Draw([](QPainter& p) {
        // A hard drive seen from the front: a grey case, its top face, a
        // slot and a green activity light.
        p.setPen(QPen(QColor(64, 64, 64), 1));
        p.setBrush(QColor(200, 200, 200));
        p.drawRoundedRect(QRectF(1.5, 5.5, 13, 7), 1.5, 1.5);
        QPainterPath top;
        top.moveTo(1.5, 6.5);
        top.lineTo(4.5, 2.5);
        top.lineTo(14.5, 2.5);
        top.lineTo(14.5, 6.5);
        p.setBrush(QColor(230, 230, 230));
        p.drawPath(top);
        p.setPen(QPen(QColor(96, 96, 96), 1));
        p.drawLine(QPointF(3.5, 9.5), QPointF(9.5, 9.5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 200, 0));
        p.drawEllipse(QRectF(11, 8, 2.5, 2.5));
    }));
}

QIcon Clipboard_Picture()
{
    return Icon(Draw([](QPainter& p) {
        // A clipboard: brown board, white sheet with lines, metal clip.
        p.setPen(QPen(QColor(90, 60, 20), 1));
        p.setBrush(QColor(190, 140, 70));
        p.drawRoundedRect(QRectF(2.5, 2.5, 11, 13), 1, 1);
        p.setPen(QPen(QColor(120, 120, 120), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 4.5, 7, 9));
        p.setPen(QPen(QColor(0, 0, 160), 1));
        for (double y = 7.5; y < 13; y += 2)
            p.drawLine(QPointF(5.5, y), QPointF(10.5, y));
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(QColor(170, 170, 170));
        p.drawRect(QRectF(5.5, 1.5, 5, 3));
    }));
}

QIcon OK_Picture()
{
    return Icon(Draw([](QPainter& p) {
        // A green tick.
        QPen pen(QColor(0, 140, 0), 2.5);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        p.setPen(pen);
        p.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6, 12.5), QPointF(13.5, 3.5)}));
    }));
}
