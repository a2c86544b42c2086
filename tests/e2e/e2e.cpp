#include "e2e/e2e.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

namespace e2e {

QString Run(const QString& program, const QStringList& arguments, int timeout_ms)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(timeout_ms))
        return {};
    // Keep the application's own events moving while the tool works.
    QElapsedTimer clock;
    clock.start();
    // waitForFinished() gives false once the process has already finished
    // (as it may have inside processEvents), so ask its state instead.
    while (process.state() != QProcess::NotRunning && clock.elapsed() < timeout_ms) {
        process.waitForFinished(10);
        QCoreApplication::processEvents();
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

void Wait(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
}

bool Wait_Until(const std::function<bool()>& condition, int timeout_ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeout_ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

} // namespace e2e
