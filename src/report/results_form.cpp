#include "report/results_form.h"

#include "common/window_bounds.h"
#include "report/report_pictures.h"
#include "widgets/design.h"

#include <QPlainTextEdit>
#include <QPushButton>

TResults_Form::TResults_Form()
{
    setObjectName(QStringLiteral("Results_Form"));
    setModal(true);
    setFixedSize(630, 434);
    // A fixed dialog border: a close box, nothing to resize or maximize.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    Report_Memo = new QPlainTextEdit(this);
    Report_Memo->setObjectName(QStringLiteral("Report_Memo"));
    QFont courier = Design_Font("Courier New", 12);
    courier.setStyleHint(QFont::Monospace);
    courier.setFixedPitch(true);
    Report_Memo->setFont(courier);
    Report_Memo->setGeometry(4, 2, 617, 391);
    Report_Memo->setReadOnly(true);
    // Read-only, but the user may still select by hand and copy with the keyboard.
    Report_Memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Report_Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Report_Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Report_Memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    const QFont button_font = Design_Font("Times New Roman", 15, true);
    Clipboard_BitBtn = new QPushButton(Clipboard_Picture(), QStringLiteral("Copy to Clipboard"), this);
    Clipboard_BitBtn->setObjectName(QStringLiteral("Clipboard_BitBtn"));
    Clipboard_BitBtn->setGeometry(129, 397, 175, 35);
    Clipboard_BitBtn->setFont(button_font);
    Clipboard_BitBtn->setToolTip(QStringLiteral("Copy to Window's Clipboard."));
    connect(Clipboard_BitBtn, &QPushButton::clicked, this, [this] { Clipboard_BitBtnClick(); });

    Exit_BitBtn = new QPushButton(OK_Picture(), QStringLiteral("OK"), this);
    Exit_BitBtn->setObjectName(QStringLiteral("Exit_BitBtn"));
    Exit_BitBtn->setGeometry(327, 397, 175, 35);
    Exit_BitBtn->setFont(button_font);
    Exit_BitBtn->setToolTip(QStringLiteral("Close this Window"));
    connect(Exit_BitBtn, &QPushButton::clicked, this, [this] { Exit_BitBtnClick(); });

    setTabOrder(Clipboard_BitBtn, Exit_BitBtn);
    setTabOrder(Exit_BitBtn, Report_Memo);
}

void TResults_Form::Show_Text(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Report_Memo->setPlainText(lines);
}

void TResults_Form::Clipboard_BitBtnClick()
{
    Report_Memo->selectAll();
    Report_Memo->copy();
}

void TResults_Form::Exit_BitBtnClick()
{
    accept();
}

void TResults_Form::reject()
{
    Exit_BitBtnClick();
}

void TResults_Form::showEvent(QShowEvent* event)
{
    Centre_On_Screen(this);
    Clipboard_BitBtn->setFocus();
    QDialog::showEvent(event);
}
