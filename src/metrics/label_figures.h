#pragma once
// A label whose text is made from a few figures, rewritten only when one of
// them (or the user's separators) changed: twice a second the monitor would
// otherwise format, compare and throw away the same text. A text put into the
// label by other means (the start-up empties the memory labels) is noticed
// and written over at the next call.

#include "common/number_format.h"

#include <QLabel>
#include <optional>
#include <tuple>

template <class... Figures>
class Label_Figures {
public:
    template <class Make_Text>
    void Show(QLabel& label, Make_Text make_text, const Figures&... figures)
    {
        std::tuple<Figures...> now{figures...};
        if (shown_ && *shown_ == now && format_ == Program_Format() && label.text() == text_)
            return;
        text_ = make_text();
        label.setText(text_);
        shown_ = std::move(now);
        format_ = Program_Format();
    }

private:
    std::optional<std::tuple<Figures...>> shown_;
    Format_Settings format_;
    QString text_;
};
