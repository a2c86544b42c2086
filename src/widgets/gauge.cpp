#include "widgets/gauge.h"

#include "app/error.h"

#include <QImage>
#include <QPainter>
#include <cmath>

int Gauge_Shown_Percent(int min_value, int max_value, int progress)
{
    const long double span = static_cast<long double>(max_value) - min_value;
    if (span == 0)
        return 0;
    return static_cast<int>(std::trunc((static_cast<long double>(progress) - min_value) * 100 / span));
}

int Gauge_Bar_Length(int length, int percent)
{
    return static_cast<int>(std::trunc(length * (percent * 0.01L)));
}

TGauge::TGauge(QWidget* parent) : QWidget(parent)
{
    resize(100, 100);
}

int TGauge::ShownPercent() const
{
    return Gauge_Shown_Percent(min_value_, max_value_, progress_);
}

void TGauge::Request_Repaint()
{
    ++repaint_requests_;
    update();
}

void TGauge::Set_Kind(TGaugeKind kind)
{
    if (kind == kind_)
        return;
    kind_ = kind;
    Request_Repaint();
}

void TGauge::Set_MinValue(int value)
{
    if (value == min_value_)
        return;
    if (value > max_value_)
        throw Program_Error("Value must be between -2147483647 and " + std::to_string(max_value_ - 1));
    min_value_ = value;
    if (progress_ < value)
        progress_ = value;
    Request_Repaint();
}

void TGauge::Set_MaxValue(int value)
{
    if (value == max_value_)
        return;
    if (value < min_value_)
        throw Program_Error("Value must be between " + std::to_string(min_value_ + 1) + " and 2147483647");
    max_value_ = value;
    if (progress_ > value)
        progress_ = value;
    Request_Repaint();
}

void TGauge::Set_Progress(int value)
{
    const int clamped = value < min_value_ ? min_value_ : value > max_value_ ? max_value_ : value;
    if (clamped == progress_)
        return;
    const int before = ShownPercent();
    progress_ = clamped;
    if (ShownPercent() != before)
        Request_Repaint();
}

void TGauge::Set_ShowText(bool show)
{
    if (show == show_text_)
        return;
    show_text_ = show;
    Request_Repaint();
}

void TGauge::Set_BorderStyle(TBorderStyle style)
{
    if (style == border_style_)
        return;
    border_style_ = style;
    Request_Repaint();
}

void TGauge::Set_ForeColor(const QColor& color)
{
    if (color == fore_color_)
        return;
    fore_color_ = color;
    Request_Repaint();
}

void TGauge::Set_BackColor(const QColor& color)
{
    if (color == back_color_)
        return;
    back_color_ = color;
    Request_Repaint();
}

QImage TGauge::Render() const
{
    QImage image(size(), QImage::Format_RGB32);
    image.fill(back_color_);
    return image;
}

void TGauge::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, Render());
}
