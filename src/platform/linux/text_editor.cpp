#include "platform/linux/text_editor.h"

#include <QProcess>
#include <QStandardPaths>
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

std::optional<Editor_Command> Find_Text_Editor()
{
    auto find = [](const std::string& name) {
        return QStandardPaths::findExecutable(QString::fromStdString(name)).toStdString();
    };
    auto desktop_handler = [] {
        QProcess query;
        query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                                  QStringLiteral("text/plain")});
        if (!query.waitForFinished(3000)) {
            query.kill();
            query.waitForFinished(1000);
            return false;
        }
        return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0
               && !query.readAllStandardOutput().trimmed().isEmpty();
    };
    return Choose_Text_Editor(find, desktop_handler);
}

} // namespace platform::linux_detail
