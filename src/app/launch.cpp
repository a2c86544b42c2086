#include "app/launch.h"

#include "app/command_line.h"
#include "platform/window_system.h"

#include <QStringList>
#include <cstdio>

namespace {

void Print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

Launch::Launch(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
        arguments_.emplace_back(argv[i]);
    }
    const Command_Line_Request request = Read_Command_Line(arguments);
    if (!request.run) {
        Print(request.exit_status == 0 ? stdout : stderr, request.exit_status == 0 ? request.output : request.error);
        exit_status_ = request.exit_status;
        return;
    }
    const platform::Window_System_Choice choice =
        platform::Choose_Window_System(request.platform.toStdString(), request.display.toStdString());
    if (!choice.problem.empty()) {
        Print(stderr, QString::fromStdString(choice.problem) + QLatin1Char('\n'));
        exit_status_ = 1;
        return;
    }
    // On the command line rather than in the environment, so that the
    // editor the program starts still chooses its own window system.
    if (!choice.platform.empty()) {
        arguments_.emplace_back("-platform");
        arguments_.push_back(choice.platform);
    }
    for (std::string& argument : arguments_)
        pointers_.push_back(argument.data());
    argc_ = static_cast<int>(arguments_.size());
    pointers_.push_back(nullptr);
}
