#include "platform/process.h"

#include "platform/linux/text_editor.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <climits>
#include <unistd.h>

namespace platform {
namespace {

class Linux_Process_Service final : public Process_Service {
public:
    std::string Executable_Path() override
    {
        char buffer[PATH_MAX];
        const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
        if (length <= 0 || length >= static_cast<ssize_t>(sizeof buffer))
            return {};
        return std::string(buffer, static_cast<std::size_t>(length));
    }

    bool Text_Editor_Present() override { return linux_detail::Find_Text_Editor().has_value(); }

    bool Start_Text_Editor(const std::string& path) override
    {
        const auto editor = linux_detail::Find_Text_Editor();
        if (!editor || path.empty())
            return false;
        QStringList arguments;
        for (const std::string& argument : editor->arguments)
            arguments << QString::fromStdString(argument);
        // Absolute, so that no file name is ever read as one of the editor's options.
        arguments << QFileInfo(QFile::decodeName(path.c_str())).absoluteFilePath();
        return QProcess::startDetached(QString::fromStdString(editor->program), arguments);
    }

    int Startup_Show_State() override { return SW_SHOWDEFAULT; }
};

} // namespace

template <>
Process_Service& Default_Service<Process_Service>()
{
    static Linux_Process_Service service;
    return service;
}

} // namespace platform
