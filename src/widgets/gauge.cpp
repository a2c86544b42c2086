#include "widgets/gauge.h"

#include "platform/error.h"
#include "widgets/gauge_paint.h"

#include <QEvent>
#include <QPainter>
#include <cstdint>
#include <string>

namespace {

// The refusal names the values that would have been accepted. The bounds are
// worked in 64 bits so that a range already at the end of the 32-bit scale
// cannot overflow them.
Program_Error Range_Error(std::int64_t low, std::int64_t high)
{
    return Program_Error("Value must be between " + std::to_string(low) + " and " + std::to_string(high));
}

} // namespace

TGauge::TGauge(QWidget* parent) : QWidget(parent)
{
    // Every pixel is painted from the picture, so nothing needs clearing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(100, 100);
}

int TGauge::ShownPercent() const
{
    return Gauge_Shown_Percent(min_value_, max_value_, progress_);
}

QColor TGauge::Color() const
{
    return palette().color(QPalette::Window);
}

void TGauge::Request_Repaint()
{
    ++repaint_requests_;
    stale_ = true;
    update();
}

void TGauge::Set_Kind(TGaugeKind kind)
{
    if (kind == kind_ || kind > gkNeedle)
        return;
    kind_ = kind;
    Request_Repaint();
}

void TGauge::Set_MinValue(int value)
{
    if (value == min_value_)
        return;
    if (value > max_value_)
        throw Range_Error(-2147483647, std::int64_t{max_value_} - 1);
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
        throw Range_Error(std::int64_t{min_value_} + 1, 2147483647);
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
    // The picture depends on the whole percentage alone; a tick that moves the
    // value inside the same percent draws nothing.
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
    if (style == border_style_ || style > bsSingle)
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

void TGauge::Set_Color(const QColor& color)
{
    if (color == Color())
        return;
    // Setting the one role keeps every other role following the parent; the
    // palette change itself asks for the repaint.
    QPalette own = palette();
    own.setColor(QPalette::Window, color);
    setPalette(own);
}

void TGauge::Bring_Up_To_Date() const
{
    if (!stale_ && canvas_.size() == size())
        return;
    Gauge_Look look;
    look.Kind = kind_;
    look.Single_Border = border_style_ == bsSingle;
    look.Width = width();
    look.Height = height();
    look.Percent = ShownPercent();
    look.Show_Text = show_text_;
    look.Fore_Color = fore_color_.rgb();
    look.Back_Color = back_color_.rgb();
    look.Color = Color().rgb();
    look.Font = font();
    Paint_Gauge(look, canvas_, layer_);
    stale_ = false;
}

QImage TGauge::Render() const
{
    Bring_Up_To_Date();
    return canvas_;
}

void TGauge::paintEvent(QPaintEvent*)
{
    Bring_Up_To_Date();
    QPainter painter(this);
    painter.drawImage(0, 0, canvas_);
}

void TGauge::resizeEvent(QResizeEvent* event)
{
    stale_ = true;
    QWidget::resizeEvent(event);
}

void TGauge::changeEvent(QEvent* event)
{
    // The outside colour is read from the palette's current group, which moves
    // with the window's activation and the enabled state.
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::ActivationChange:
    case QEvent::EnabledChange:
        Request_Repaint();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}
