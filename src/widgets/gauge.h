#pragma once
// TGauge: the percentage gauge. Shows how far Progress lies between MinValue
// and MaxValue as a pie or a bar (or text, a vertical bar, a needle), with the
// whole percentage written across it in the inverse of what lies beneath.
//
// A new gauge is 100 x 100. Color, the area outside a pie's ellipse, follows
// the parent's background until it is set; the font follows the parent's.
// Setting a property to the value it has does nothing; any other change
// repaints, except that Progress repaints only when the whole percentage
// shown changes.

#include "widgets/gauge_geometry.h"

#include <QColor>
#include <QImage>
#include <QWidget>

class TGauge : public QWidget {
    Q_OBJECT
public:
    enum TGaugeKind : unsigned char { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };
    Q_ENUM(TGaugeKind)
    enum TBorderStyle : unsigned char { bsNone, bsSingle };
    Q_ENUM(TBorderStyle)

private:
    Q_PROPERTY(TGaugeKind Kind READ Kind WRITE Set_Kind)
    Q_PROPERTY(int MinValue READ MinValue WRITE Set_MinValue)
    Q_PROPERTY(int MaxValue READ MaxValue WRITE Set_MaxValue)
    Q_PROPERTY(int Progress READ Progress WRITE Set_Progress)
    Q_PROPERTY(bool ShowText READ ShowText WRITE Set_ShowText)
    Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE Set_BorderStyle)
    Q_PROPERTY(QColor ForeColor READ ForeColor WRITE Set_ForeColor)
    Q_PROPERTY(QColor BackColor READ BackColor WRITE Set_BackColor)
    Q_PROPERTY(QColor Color READ Color WRITE Set_Color)
    Q_PROPERTY(int ShownPercent READ ShownPercent)

public:
    explicit TGauge(QWidget* parent = nullptr);

    TGaugeKind Kind() const { return kind_; }
    int MinValue() const { return min_value_; }
    int MaxValue() const { return max_value_; }
    int Progress() const { return progress_; }
    bool ShowText() const { return show_text_; }
    TBorderStyle BorderStyle() const { return border_style_; }
    QColor ForeColor() const { return fore_color_; }
    QColor BackColor() const { return back_color_; }
    QColor Color() const;
    int ShownPercent() const;

    // A kind or border style outside the enumeration is ignored.
    void Set_Kind(TGaugeKind kind);
    // Raise Program_Error "Value must be between %d and %d" when the new range
    // would be the wrong way round, leaving the gauge as it was. An equal
    // MinValue and MaxValue are allowed: the gauge then shows 0 %.
    void Set_MinValue(int value);
    void Set_MaxValue(int value);
    // Clamped into MinValue..MaxValue, never refused.
    void Set_Progress(int value);
    void Set_ShowText(bool show);
    void Set_BorderStyle(TBorderStyle style);
    void Set_ForeColor(const QColor& color);
    void Set_BackColor(const QColor& color);
    void Set_Color(const QColor& color);

    // The hint text the design gives; the main window's gauges never show it.
    QString Hint;

    // What the gauge looks like now, drawn off screen (tests read its pixels).
    QImage Render() const;

    // How many times the gauge has asked to be repainted (tests check the
    // repaint rule).
    int Repaint_Requests() const { return repaint_requests_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Request_Repaint();
    void Bring_Up_To_Date() const;

    TGaugeKind kind_ = gkHorizontalBar;
    int min_value_ = 0;
    int max_value_ = 100;
    int progress_ = 0;
    bool show_text_ = true;
    TBorderStyle border_style_ = bsSingle;
    QColor fore_color_ = Qt::black;
    QColor back_color_ = Qt::white;
    int repaint_requests_ = 0;

    // The last picture and the scratch image it was made with, kept so that
    // an exposure only copies and a repaint allocates nothing.
    mutable QImage canvas_;
    mutable QImage layer_;
    mutable bool stale_ = true;
};
