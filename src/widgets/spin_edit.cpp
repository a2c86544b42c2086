#include "widgets/spin_edit.h"

#include <QLineEdit>

#include <algorithm>
#include <limits>
#include <optional>

namespace {

// The text as a whole number, whatever the limits; a number too long for
// any integer is taken as the farthest one of its sign.
std::optional<long long> Whole_Number(const QString& text)
{
    const QString trimmed = text.trimmed();
    const qsizetype digits_from = trimmed.startsWith(QLatin1Char('-')) || trimmed.startsWith(QLatin1Char('+')) ? 1 : 0;
    if (trimmed.size() == digits_from)
        return std::nullopt;
    for (qsizetype i = digits_from; i < trimmed.size(); ++i)
        if (trimmed[i] < QLatin1Char('0') || trimmed[i] > QLatin1Char('9'))
            return std::nullopt;
    bool ok = false;
    const long long number = trimmed.toLongLong(&ok);
    if (ok)
        return number;
    return trimmed.startsWith(QLatin1Char('-')) ? std::numeric_limits<long long>::min()
                                                : std::numeric_limits<long long>::max();
}

} // namespace

TSpin_Edit::TSpin_Edit(int minimum, int maximum, QWidget* parent) : QSpinBox(parent)
{
    setRange(minimum, maximum);
    // Text that is no number becomes the minimum when editing ends (the
    // nearest limit to nothing); a number is brought inside by fixup().
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

void TSpin_Edit::Disable_Typing()
{
    lineEdit()->setReadOnly(true);
}

QValidator::State TSpin_Edit::validate(QString& text, int& position) const
{
    const QValidator::State state = QSpinBox::validate(text, position);
    if (state == QValidator::Invalid && Whole_Number(text))
        return QValidator::Intermediate;
    return state;
}

void TSpin_Edit::fixup(QString& text) const
{
    if (const std::optional<long long> number = Whole_Number(text)) {
        const long long inside = std::clamp<long long>(*number, minimum(), maximum());
        text = textFromValue(static_cast<int>(inside));
        return;
    }
    QSpinBox::fixup(text);
}
