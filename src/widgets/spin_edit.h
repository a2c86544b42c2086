#pragma once
// TSpin_Edit: a spin edit with limits. Its value is its text read as a whole
// number, and text that is none counts as the minimum. A number typed past
// the limits is let stand while the user types and is brought back inside
// them when the field loses the focus: 600 in a 1..500 field becomes 500,
// 0 becomes 1.

#include <QSpinBox>

class TSpin_Edit : public QSpinBox {
    Q_OBJECT
public:
    TSpin_Edit(int minimum, int maximum, QWidget* parent = nullptr);

    // The value then changes by the arrows (buttons and keys) only.
    void Disable_Typing();

protected:
    QValidator::State validate(QString& text, int& position) const override;
    void fixup(QString& text) const override;
};
