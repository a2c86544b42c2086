#include "app/command_line.h"

#include "common/title.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

// The toolkit's own options that take a value, and those that take none.
constexpr const char* Toolkit_Value_Options[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "display", "geometry", "qwindowgeometry",
    "qwindowicon", "qwindowtitle", "qmljsdebugger", "session", "style", "stylesheet", "title", "name",
};
constexpr const char* Toolkit_Flag_Options[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

Command_Line_Request Usage_Error(const QString& program, const QString& problem)
{
    Command_Line_Request request;
    request.run = false;
    request.exit_status = 2;
    request.error = program + QStringLiteral(": ") + problem + QStringLiteral("\nTry '") + program +
                    QStringLiteral(" --help' for more information.\n");
    return request;
}

} // namespace

Command_Line_Request Read_Command_Line(const QStringList& arguments)
{
    const QString program = arguments.isEmpty() ? QStringLiteral("vistrel") : QFileInfo(arguments[0]).fileName();
    QCommandLineParser parser;
    // -platform, -style and their kin are words, as the toolkit reads them.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("A small desktop system monitor: RAM, swap, drive and CPU use in one window."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the program's version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    for (const char* name : Toolkit_Value_Options) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : Toolkit_Flag_Options) {
        QCommandLineOption option(QString::fromLatin1(name), QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    if (!parser.parse(arguments))
        return Usage_Error(program, parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return Usage_Error(program, QStringLiteral("unexpected argument '") + parser.positionalArguments()[0] +
                                        QStringLiteral("'."));

    Command_Line_Request request;
    if (parser.isSet(help)) {
        // The parser's own usage line names no program before an
        // application object exists.
        QString text = parser.helpText();
        text = QStringLiteral("Usage: ") + program + QStringLiteral(" [options]") + text.mid(text.indexOf('\n'));
        request.output = text + QStringLiteral("\nThe toolkit's standard options (-style, -platform, -display, "
                                               "-session, ...) are accepted too.\n");
    } else if (parser.isSet(version)) {
        request.output = QString::fromLatin1(Program_Title) + QLatin1Char('\n');
    } else {
        request.platform = parser.value(QStringLiteral("platform"));
        request.display = parser.value(QStringLiteral("display"));
        return request;
    }
    request.run = false;
    return request;
}
