#pragma once
// TGauge: the percentage gauge. Shows how far Progress lies between MinValue
// and MaxValue as a pie or a bar (or text, a vertical bar, a needle), with the
// whole percentage written across it in the inverse of what lies beneath.

#include <QColor>
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
    int ShownPercent() const;

    void Set_Kind(TGaugeKind kind);
    // Raise Program_Error "Value must be between %d and %d" when the new range
    // would be empty the wrong way round.
    void Set_MinValue(int value);
    void Set_MaxValue(int value);
    void Set_Progress(int value);
    void Set_ShowText(bool show);
    void Set_BorderStyle(TBorderStyle style);
    void Set_ForeColor(const QColor& color);
    void Set_BackColor(const QColor& color);

    // The hint text the design gives; the main window's gauges never show it.
    QString Hint;

    // What the gauge looks like now, drawn off screen (tests read its pixels).
    QImage Render() const;

    // How many times the gauge has asked to be repainted (tests check the
    // repaint rule).
    int Repaint_Requests() const { return repaint_requests_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Request_Repaint();

    TGaugeKind kind_ = gkHorizontalBar;
    int min_value_ = 0;
    int max_value_ = 100;
    int progress_ = 0;
    bool show_text_ = true;
    TBorderStyle border_style_ = bsSingle;
    QColor fore_color_ = Qt::black;
    QColor back_color_ = Qt::white;
    int repaint_requests_ = 0;
};

// The whole percentage for a value in a range, cut towards zero; 0 for an
// empty range.
int Gauge_Shown_Percent(int min_value, int max_value, int progress);

// Filled length of a bar of `length` pixels at `percent`, as the extended
// product length x (percent x 0.01) cut towards zero.
int Gauge_Bar_Length(int length, int percent);
