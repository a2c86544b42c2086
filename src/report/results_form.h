#pragma once
// TResults_Form: a modal window showing a text read-only, with a copy to the
// clipboard.
//
// The caller owns what it shows: it sets the caption, clears Report_Memo,
// puts its text in (Show_Text) and shows the window modally (exec). The window
// keeps nothing between showings. OK, the close box and Escape all end the
// showing the same way.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class TResults_Form : public QDialog {
    Q_OBJECT
public:
    TResults_Form();

    QPlainTextEdit* Report_Memo = nullptr;
    QPushButton* Clipboard_BitBtn = nullptr;
    QPushButton* Exit_BitBtn = nullptr;

    // Replaces the memo's text. CR LF line breaks become the memo's own.
    void Show_Text(const QString& text);

    void Clipboard_BitBtnClick();
    void Exit_BitBtnClick();

    // The close box and Escape act as OK.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
};
