#include "app/application.h"

#include "common/message_box.h"
#include "common/number_format.h"
#include "common/program_icon.h"
#include "common/title.h"

#include <exception>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QString::fromLatin1(Program_Title));
    setApplicationDisplayName(QString());
    // Every window that sets none of its own, the five of them, shows it.
    setWindowIcon(Program_Icon());
    Load_User_Format();
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        Show_Error_Report(QString::fromUtf8(error.what()));
    } catch (...) {
        Show_Error_Report(QStringLiteral("Unknown error"));
    }
    return true;
}
