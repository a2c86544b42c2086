#include "common/message_box.h"

#include "common/title.h"

#include <QApplication>
#include <QMessageBox>

namespace {

Message_Answerer& Installed_Answerer()
{
    static Message_Answerer answerer;
    return answerer;
}

QString Caption_For(Msg_Type type)
{
    switch (type) {
    case Msg_Type::Warning: return QStringLiteral("Warning");
    case Msg_Type::Error: return QStringLiteral("Error");
    case Msg_Type::Information: return QStringLiteral("Information");
    case Msg_Type::Confirmation: return QStringLiteral("Confirm");
    }
    return {};
}

Msg_Result Show(const Message_Record& record)
{
    if (Installed_Answerer())
        return Installed_Answerer()(record);

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(record.caption);
    box.setText(record.text);
    switch (record.type) {
    case Msg_Type::Warning: box.setIcon(QMessageBox::Warning); break;
    case Msg_Type::Error: box.setIcon(QMessageBox::Critical); break;
    case Msg_Type::Information: box.setIcon(QMessageBox::Information); break;
    case Msg_Type::Confirmation: box.setIcon(QMessageBox::Question); break;
    }
    if (record.buttons == Msg_Buttons::Yes_No) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return Msg_Result::Yes;
    case QMessageBox::No: return Msg_Result::No;
    case QMessageBox::Ok: return Msg_Result::OK;
    default: return Msg_Result::Cancel;
    }
}

} // namespace

Msg_Result Message_Dlg(const QString& text, Msg_Type type, Msg_Buttons buttons)
{
    return Show(Message_Record{Caption_For(type), text, type, buttons});
}

QString Error_Report_Text(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void Show_Error_Report(const QString& message)
{
    static bool showing = false;
    if (showing)
        return;
    showing = true;
    Show(Message_Record{QString::fromLatin1(Program_Title), Error_Report_Text(message), Msg_Type::Error,
                        Msg_Buttons::OK});
    showing = false;
}

Scoped_Message_Answerer::Scoped_Message_Answerer(Message_Answerer answerer)
    : previous_(std::move(Installed_Answerer()))
{
    Installed_Answerer() = std::move(answerer);
}

Scoped_Message_Answerer::~Scoped_Message_Answerer()
{
    Installed_Answerer() = std::move(previous_);
}
