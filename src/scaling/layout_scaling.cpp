// Layout scaling: every control follows the client area's change of size
// from one recorded reference, so that resizing never drifts.
#include "scaling/layout_scaling.h"

#include "common/text_helpers.h"

#include <QListWidget>
#include <QWidget>

#include <algorithm>

namespace {

const QString Blank = QStringLiteral(" ");

int Cut(double value)
{
    return static_cast<int>(value);
}

// The controls of the window's client area; the menu bar and the menus are
// widgets to the toolkit but not controls of the layout.
QWidget* Visual_Control(QObject* component, const QWidget* client)
{
    auto* widget = qobject_cast<QWidget*>(component);
    return widget && client->isAncestorOf(widget) ? widget : nullptr;
}

int Font_Points_Of(const QWidget& control)
{
    const QFont& font = control.font();
    return font.pixelSize() > 0 ? Font_Points(font.pixelSize()) : qRound(font.pointSizeF());
}

} // namespace

int Font_Pixels(int points)
{
    // MulDiv(points, 96, 72): rounded half away from zero.
    const int numerator = points * 96;
    return numerator >= 0 ? (numerator + 36) / 72 : -((-numerator + 36) / 72);
}

int Font_Points(int pixels)
{
    const int numerator = pixels * 72;
    return numerator >= 0 ? (numerator + 48) / 96 : -((-numerator + 48) / 96);
}

Layout_Factors Scale_Factors(QSize recorded, QSize now)
{
    Layout_Factors factors;
    factors.ry = static_cast<double>(now.height()) / recorded.height();
    factors.rx = static_cast<double>(now.width()) / recorded.width();
    factors.rf = factors.ry >= factors.rx ? factors.rx : factors.ry;
    return factors;
}

QString Layout_Header_Line(QSize client)
{
    return QString::number(client.width()) + Blank + QString::number(client.height()) + QStringLiteral(" W/H Mainform1");
}

QString Layout_Control_Line(const Control_Reference& reference, const QString& name)
{
    const QRect& r = reference.geometry;
    return QString::number(r.x()) + Blank + QString::number(r.width()) + Blank + QString::number(r.y()) + Blank
           + QString::number(r.height()) + Blank + QString::number(reference.font_points) + Blank + name;
}

Control_Reference Scale_Control_Line(const QString& line, const Layout_Factors& factors)
{
    Control_Reference scaled;
    scaled.geometry.setRect(Cut(Number_Field(line, Blank, 1) * factors.rx), Cut(Number_Field(line, Blank, 3) * factors.ry),
                            Cut(Number_Field(line, Blank, 2) * factors.rx), Cut(Number_Field(line, Blank, 4) * factors.ry));
    scaled.font_points = Cut(Number_Field(line, Blank, 5) * factors.rf);
    return scaled;
}

void Layout_Scaling::Attach(const Controls& controls)
{
    c_ = controls;
}

QSize Layout_Scaling::Client_Size() const
{
    return c_.Client->size();
}

void Layout_Scaling::FormResize()
{
    Scale_Layout();
}

void Layout_Scaling::Record_Layout()
{
    if (c_.Scaling_ListBox->count() > 0)
        return;
    // The window has no scroll bars to hide: controls outside the client
    // area are simply cut off, which is how the odometer panel hides.
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(c_.Components->size()) + 1);
    lines << Layout_Header_Line(Client_Size());
    for (QObject* component : *c_.Components) {
        const QWidget* control = Visual_Control(component, c_.Client);
        lines << (control ? Layout_Control_Line({control->geometry(), Font_Points_Of(*control)}, control->objectName())
                          : QStringLiteral("0"));
    }
    c_.Scaling_ListBox->addItems(lines);
}

void Layout_Scaling::Scale_Layout()
{
    if (!c_.Scaling_ListBox || c_.Scaling_ListBox->count() == 0)
        return;
    const QString header = c_.Scaling_ListBox->item(0)->text();
    const QSize recorded(Number_Field(header, Blank, 1), Number_Field(header, Blank, 2));
    // A header of no width or height cannot be scaled from (never recorded so).
    if (recorded.width() <= 0 || recorded.height() <= 0)
        return;
    const Layout_Factors factors = Scale_Factors(recorded, Client_Size());

    const int lines = c_.Scaling_ListBox->count();
    for (std::size_t i = 0; i < c_.Components->size() && static_cast<int>(i) + 1 < lines; ++i) {
        const QString line = c_.Scaling_ListBox->item(static_cast<int>(i) + 1)->text();
        if (line.size() <= 1)
            continue;
        QWidget* control = Visual_Control((*c_.Components)[i], c_.Client);
        if (!control)
            continue;
        const Control_Reference scaled = Scale_Control_Line(line, factors);
        // A control held at a fixed size takes its new size as the fixed one.
        if (control->minimumSize() == control->maximumSize())
            control->setFixedSize(scaled.geometry.size());
        control->setGeometry(scaled.geometry);
        // Qt has no font of 0 pixels; the smallest it has stands in.
        const int pixels = std::max(1, Font_Pixels(scaled.font_points));
        if (control->font().pixelSize() != pixels) {
            QFont font = control->font();
            font.setPixelSize(pixels);
            control->setFont(font);
        }
    }
}
