#include "widgets/gauge_paint.h"

#include "widgets/gauge_geometry.h"
#include "widgets/gauge_raster.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>

namespace {

constexpr QRgb Black = qRgb(0, 0, 0);

// Reuses the image when it already has the size, so a repaint allocates
// nothing.
bool Prepare(QImage& image, int width, int height)
{
    if (image.width() != width || image.height() != height || image.format() != QImage::Format_RGB32)
        image = QImage(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return false;
    image.fill(Black);
    return true;
}

void Combine_Xor(QImage& target, const QImage& source)
{
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.drawImage(0, 0, source);
}

void Paint_Pie(const Gauge_Look& look, const Gauge_Rect& paint, QImage& layer)
{
    Raster_Fill_Rect(layer, paint, look.Color, paint);
    const Gauge_Rect box = Pie_Ellipse_Box(paint, look.Single_Border);
    Raster_Ellipse(layer, box, look.Back_Color, look.Fore_Color, paint);
    if (look.Percent <= 0)
        return;
    const int mx = box.Right / 2;
    const int my = box.Bottom / 2;
    Raster_Pie(layer, box, Pie_Start_Point(mx, my, look.Percent), QPoint(mx, 0), look.Fore_Color, paint);
}

void Paint_Needle(const Gauge_Look& look, const Gauge_Rect& paint, QImage& layer)
{
    Raster_Fill_Rect(layer, paint, look.Color, paint);
    // The whole ellipse stands on the last row inside; only its upper half
    // lies in the paint rectangle.
    const int base = paint.Bottom - 1;
    const Gauge_Rect box{paint.Left, paint.Top, paint.Right, 2 * base - paint.Top + 1};
    Raster_Ellipse(layer, box, look.Back_Color, look.Fore_Color, paint);
    Raster_Fill_Rect(layer, {paint.Left, base, paint.Right, paint.Bottom}, look.Fore_Color, paint);
    if (look.Percent <= 0)
        return;
    const int half_width = look.Width / 2;
    Raster_Line(layer, QPoint(half_width, base), Needle_End_Point(half_width, base, look.Percent), look.Fore_Color,
                paint);
}

void Paint_Kind(const Gauge_Look& look, const Gauge_Rect& paint, QImage& layer)
{
    switch (look.Kind) {
    case TGauge::gkHorizontalBar:
        Raster_Fill_Rect(layer, paint, look.Back_Color, paint);
        Raster_Fill_Rect(layer, Horizontal_Bar_Fill(paint, look.Percent), look.Fore_Color, paint);
        break;
    case TGauge::gkVerticalBar:
        Raster_Fill_Rect(layer, paint, look.Back_Color, paint);
        Raster_Fill_Rect(layer, Vertical_Bar_Fill(paint, look.Percent), look.Fore_Color, paint);
        break;
    case TGauge::gkPie:
        Paint_Pie(look, paint, layer);
        break;
    case TGauge::gkNeedle:
        Paint_Needle(look, paint, layer);
        break;
    case TGauge::gkText:
    default:
        Raster_Fill_Rect(layer, paint, look.Back_Color, paint);
        break;
    }
}

void Paint_Text(const Gauge_Look& look, const Gauge_Rect& paint, QImage& layer)
{
    QFont font = look.Font;
    // Smoothed edges would be grey, and grey turns to a stray colour under
    // the exclusive-or.
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::NoAntialias));
    const QString text = QString::number(look.Percent) + QLatin1Char('%');
    QPainter painter(&layer);
    painter.setFont(font);
    const QFontMetrics metrics = painter.fontMetrics();
    const QPoint origin = Gauge_Text_Origin(paint, metrics.horizontalAdvance(text), metrics.height());
    painter.setClipRect(QRect(paint.Left, paint.Top, paint.Right - paint.Left, paint.Bottom - paint.Top));
    painter.setPen(Qt::white);
    painter.drawText(origin.x(), origin.y() + metrics.ascent(), text);
}

} // namespace

void Paint_Gauge(const Gauge_Look& look, QImage& canvas, QImage& layer)
{
    if (look.Width <= 0 || look.Height <= 0) {
        canvas = QImage();
        return;
    }
    // The first image stays black where nothing is drawn: that ring is the
    // frame of a single border.
    if (!Prepare(canvas, look.Width, look.Height) || !Prepare(layer, look.Width, look.Height))
        return;
    const Gauge_Rect paint = Gauge_Paint_Rect(look.Width, look.Height, look.Single_Border);
    if (paint.Is_Empty())
        return;
    Paint_Kind(look, paint, layer);
    Combine_Xor(canvas, layer);
    if (!look.Show_Text)
        return;
    layer.fill(Black);
    Paint_Text(look, paint, layer);
    Combine_Xor(canvas, layer);
}
