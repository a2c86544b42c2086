#include "platform/termination.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {
namespace {

int signal_pipe[2] = {-1, -1};

// Only async-signal-safe work here: one byte into the pipe.
void On_Signal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signal_pipe[1], &byte, 1);
}

} // namespace

void Watch_Termination(std::function<void()> close_request)
{
    if (signal_pipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signal_pipe) != 0)
        return;
    ::fcntl(signal_pipe[1], F_SETFL, O_NONBLOCK);
    // Lives as long as the application object, which takes it along.
    auto* notifier = new QSocketNotifier(signal_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [close_request = std::move(close_request)] {
        char bytes[16];
        [[maybe_unused]] const ssize_t read = ::read(signal_pipe[0], bytes, sizeof bytes);
        close_request();
    });
    struct sigaction action{};
    action.sa_handler = On_Signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal_number : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(signal_number, &action, nullptr);
}

} // namespace platform
