#pragma once
// The toolkit's standard modal message dialogs, and the application's
// standard error report.
//
// Every message the program shows goes through here, so that tests can
// answer the dialogs (Scoped_Message_Answerer) instead of a person.

#include <QString>
#include <functional>

enum class Msg_Type { Warning, Error, Information, Confirmation };
enum class Msg_Buttons { OK, Yes_No };
enum class Msg_Result { OK, Yes, No, Cancel };

struct Message_Record {
    QString caption;
    QString text;
    Msg_Type type = Msg_Type::Information;
    Msg_Buttons buttons = Msg_Buttons::OK;
};

// Shows a modal message box and waits for the user's answer. Closing the box
// without a button gives Cancel.
Msg_Result Message_Dlg(const QString& text, Msg_Type type, Msg_Buttons buttons);

// The standard error report: error icon, OK, the application title as caption,
// and the message with a full stop added when its last character sorts after
// ".". While one report is on screen, further reports are dropped, so an error
// repeated every tick does not stack boxes.
void Show_Error_Report(const QString& message);

// The text the error report shows for a message.
QString Error_Report_Text(const QString& message);

using Message_Answerer = std::function<Msg_Result(const Message_Record&)>;

class Scoped_Message_Answerer {
public:
    explicit Scoped_Message_Answerer(Message_Answerer answerer);
    ~Scoped_Message_Answerer();
    Scoped_Message_Answerer(const Scoped_Message_Answerer&) = delete;
    Scoped_Message_Answerer& operator=(const Scoped_Message_Answerer&) = delete;

private:
    Message_Answerer previous_;
};
