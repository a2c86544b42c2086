#include "platform/linux/text_editor.h"

#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <array>
#include <string_view>

namespace platform::linux_detail {

std::optional<Editor_Command> Choose_Text_Editor(const std::function<std::string(const std::string&)>& find_program,
                                                 const std::function<bool()>& desktop_has_text_handler)
{
    // xdg-open without a handler for plain text would hand the file to
    // whatever it finds (often a browser), or fail: then an editor is better.
    if (const std::string opener = find_program("xdg-open"); !opener.empty() && desktop_has_text_handler())
        return Editor_Command{opener, {}};

    static constexpr std::array<std::string_view, 13> graphical = {
        "gnome-text-editor", "gedit", "kate",     "kwrite", "mousepad", "xed",  "pluma",
        "featherpad",        "leafpad", "l3afpad", "geany", "mate-text-editor", "xedit"};
    for (std::string_view name : graphical)
        if (std::string program = find_program(std::string(name)); !program.empty())
            return Editor_Command{program, {}};

    // xterm runs the editor itself, without a shell, when -e has more than one word.
    if (const std::string terminal = find_program("xterm"); !terminal.empty()) {
        static constexpr std::array<std::string_view, 3> terminal_editors = {"nano", "vim", "vi"};
        for (std::string_view name : terminal_editors)
            if (std::string editor = find_program(std::string(name)); !editor.empty())
                return Editor_Command{terminal, {"-e", editor}};
    }
    return std::nullopt;
}

namespace {

// Whether the desktop names a handler for plain text. xdg-mime can take
// seconds on a busy desktop; it is waited for in the event loop, so the
// window repaints and the odometer keeps counting meanwhile, with the user's
// input held back so that the same command cannot run again inside itself.
bool Desktop_Has_Text_Handler()
{
    QProcess query;
    QEventLoop wait;
    QObject::connect(&query, &QProcess::finished, &wait, &QEventLoop::quit);
    QObject::connect(&query, &QProcess::errorOccurred, &wait, &QEventLoop::quit);
    QTimer::singleShot(3000, &wait, &QEventLoop::quit);
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                              QStringLiteral("text/plain")});
    if (query.state() != QProcess::NotRunning)
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    if (query.state() != QProcess::NotRunning) {
        query.kill();
        query.waitForFinished(1000);
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0
           && !query.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

std::optional<Editor_Command> Find_Text_Editor()
{
    auto find = [](const std::string& name) {
        return QStandardPaths::findExecutable(QString::fromStdString(name)).toStdString();
    };
    return Choose_Text_Editor(find, Desktop_Has_Text_Handler);
}

} // namespace platform::linux_detail
