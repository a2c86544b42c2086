#include "widgets/radio_group.h"

#include <QKeyEvent>
#include <QRadioButton>

#include <algorithm>

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent) {}

void TRadioGroup::Set_Items(const QStringList& items)
{
    for (QRadioButton* button : buttons_)
        delete button;
    buttons_.clear();
    item_index_ = -1;
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setAutoExclusive(false);
        connect(button, &QRadioButton::clicked, this, [this, i] {
            // A click on the selected button keeps it selected.
            if (item_index_ == i)
                buttons_[static_cast<std::size_t>(i)]->setChecked(true);
            else
                Set_ItemIndex(i);
        });
        button->installEventFilter(this);
        buttons_.push_back(button);
        button->show();
    }
    Keep_One_Tab_Stop(buttons_);
    Arrange();
}

void TRadioGroup::Set_ItemIndex(int index)
{
    if (index < -1)
        index = -1;
    if (index > Count() - 1)
        index = Count() - 1;
    if (index == item_index_)
        return;
    item_index_ = index;
    for (int i = 0; i < Count(); ++i)
        buttons_[static_cast<std::size_t>(i)]->setChecked(i == index);
    Keep_One_Tab_Stop(buttons_);
    if (index >= 0)
        emit Click();
}

void Keep_One_Tab_Stop(const std::vector<QRadioButton*>& buttons)
{
    const auto checked = std::find_if(buttons.begin(), buttons.end(), [](auto* b) { return b->isChecked(); });
    const QRadioButton* stop = checked != buttons.end() ? *checked : buttons.empty() ? nullptr : buttons.front();
    for (QRadioButton* button : buttons)
        button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

int Radio_Arrow_Step(int key)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Left: return -1;
    case Qt::Key_Down:
    case Qt::Key_Right: return 1;
    default: return 0;
    }
}

// The arrow keys select the next or previous item, as in any radio group;
// the buttons are not exclusive by themselves, so the group does it.
bool TRadioGroup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QGroupBox::eventFilter(watched, event);
    const int step = Radio_Arrow_Step(static_cast<QKeyEvent*>(event)->key());
    if (step == 0)
        return QGroupBox::eventFilter(watched, event);
    for (int i = 0; i < Count(); ++i) {
        if (buttons_[static_cast<std::size_t>(i)] != watched)
            continue;
        const int target = i + step;
        if (target >= 0 && target < Count()) {
            Button(target)->setFocus(Qt::TabFocusReason);
            Set_ItemIndex(target);
        }
        return true;
    }
    return QGroupBox::eventFilter(watched, event);
}

void TRadioGroup::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    Arrange();
}

// The buttons share the space below the caption in equal rows, as the
// toolkit's radio groups lay them out.
void TRadioGroup::Arrange()
{
    if (buttons_.empty())
        return;
    const int top = fontMetrics().height();
    const int row = (height() - top - 4) / Count();
    for (int i = 0; i < Count(); ++i)
        buttons_[static_cast<std::size_t>(i)]->setGeometry(8, top + i * row, width() - 16, row);
}
