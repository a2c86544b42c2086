#pragma once
// TRadioGroup: a group box of radio buttons, one per item, whose selection is
// the integer ItemIndex (-1: none selected). Setting ItemIndex clamps it into
// -1..item count - 1. Click is emitted whenever a button becomes the selected
// one, by the user (a click, or an arrow key) or by program code; a change to
// -1 selects no button and emits nothing.

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QRadioButton;

class TRadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE Set_ItemIndex)
public:
    explicit TRadioGroup(QWidget* parent = nullptr);

    void Set_Items(const QStringList& items);
    int Count() const { return static_cast<int>(buttons_.size()); }
    QRadioButton* Button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

    int ItemIndex() const { return item_index_; }
    void Set_ItemIndex(int index);

signals:
    void Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Arrange();
    std::vector<QRadioButton*> buttons_;
    int item_index_ = -1;
};

// A group of radio buttons is one tab stop: Tab enters it at the checked
// button (at the first while none is checked) and leaves it at once; the
// arrow keys move within it. Called again whenever the checked button changes.
void Keep_One_Tab_Stop(const std::vector<QRadioButton*>& buttons);

// In a group of radio buttons the arrow keys select: -1 (the previous
// choice) for Up and Left, 1 (the next) for Down and Right, 0 for any other key.
int Radio_Arrow_Step(int key);
