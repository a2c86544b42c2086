#pragma once
// TFitted_Label: a one-line label that never cuts its text. Where the text
// is wider than the label, it is drawn in a smaller size of the label's own
// font, one pixel at a time, until it fits. font() itself stays as set, so
// layout scaling records and scales it as for any other label.

#include <QLabel>

class TFitted_Label : public QLabel {
    Q_OBJECT
public:
    explicit TFitted_Label(QWidget* parent = nullptr);

    // The font the text is drawn in at the label's present width.
    QFont Fitted_Font() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
