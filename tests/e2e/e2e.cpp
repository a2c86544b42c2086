#include "e2e/e2e.h"

#include <algorithm>
#include <cstdio>

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

namespace e2e {

namespace {

QString Windows_Package()
{
    return QString::fromLocal8Bit(qgetenv("VISTREL_E2E_WINDOWS_PACKAGE"));
}

// Copies a folder's files and subfolders into another, which exists.
void Copy_Folder(const QString& from, const QString& to)
{
    const QDir source(from);
    QDirIterator entries(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString path = entries.next();
        const QString target = QDir(to).filePath(source.relativeFilePath(path));
        if (entries.fileInfo().isDir())
            QDir().mkpath(target);
        else
            QFile::copy(path, target);
    }
}

} // namespace

bool Windows_Target()
{
    return !Windows_Package().isEmpty();
}

QString Wine()
{
    const QString wine = QString::fromLocal8Bit(qgetenv("VISTREL_E2E_WINE"));
    return wine.isEmpty() ? QStringLiteral("wine64") : wine;
}

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
    if (process.state() != QProcess::NotRunning) {
        std::fprintf(stderr, "%s gave no answer within %d ms\n",
                     qPrintable((QStringList{program} + arguments).join(QLatin1Char(' '))), timeout_ms);
        process.kill();
        process.waitForFinished(1000);
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

std::optional<QRect> X_Frame(const QString& window)
{
    const QString info = Run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window});
    const QString extents =
        Run(QStringLiteral("xprop"), {QStringLiteral("-id"), window, QStringLiteral("_NET_FRAME_EXTENTS")});
    auto number = [&info](const char* label) -> std::optional<int> {
        const auto match = QRegularExpression(QString::fromLatin1(label) + QStringLiteral(":\\s*(-?\\d+)")).match(info);
        if (!match.hasMatch())
            return std::nullopt;
        return match.captured(1).toInt();
    };
    const auto x = number("Absolute upper-left X");
    const auto y = number("Absolute upper-left Y");
    const auto width = number("Width");
    const auto height = number("Height");
    const auto frame = QRegularExpression(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)")).match(extents);
    if (!x || !y || !width || !height || !frame.hasMatch())
        return std::nullopt;
    const int left = frame.captured(1).toInt(), right = frame.captured(2).toInt();
    const int top = frame.captured(3).toInt(), bottom = frame.captured(4).toInt();
    return QRect(*x - left, *y - top, *width + left + right, *height + top + bottom);
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
    // The time at a call is what an idle machine needs; a loaded one (CI,
    // a parallel build) can take many times that. The wait ends as soon as
    // the condition holds, so only a test that fails pays for the margin.
    const qint64 limit = std::max<qint64>(qint64{timeout_ms} * 3, 10000);
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > limit)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

Program_Copy::Program_Copy()
{
    if (Windows_Target()) {
        Copy_Folder(Windows_Package(), dir_.path());
        program_ = dir_.filePath(QStringLiteral("vistrel.exe"));
        return;
    }
    program_ = dir_.filePath(QStringLiteral("vistrel"));
    QFile::copy(QStringLiteral(VISTREL_EXECUTABLE), program_);
    QFile::setPermissions(program_, QFile::permissions(program_) | QFileDevice::ExeOwner);
}

QProcessEnvironment Program_Copy::Environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromLocal8Bit(qgetenv("VISTREL_E2E_DISPLAY")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir_.filePath(QStringLiteral("config")));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (Windows_Target())
        environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    return environment;
}

QString Program_Copy::Start(const QProcessEnvironment& environment)
{
    process_.setProcessEnvironment(environment);
    process_.setWorkingDirectory(dir_.path());
    if (Windows_Target()) {
        process_.start(Wine(), {program_});
    } else {
        process_.start(program_, {});
    }
    if (!process_.waitForStarted(5000))
        return {};
    // The search can end early with nothing: a window that goes while it
    // looks (Wine makes and drops a few at start-up) ends it with an error.
    const int timeout_ms = Windows_Target() ? 30000 : 10000; // Wine starts its services with the first program
    QElapsedTimer clock;
    clock.start();
    QString found;
    while (found.isEmpty() && process_.state() == QProcess::Running && clock.elapsed() < timeout_ms) {
        found = Run(QStringLiteral("xdotool"),
                    {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                     QStringLiteral("--pid"), QString::number(process_.processId()), QStringLiteral("--name"),
                     QStringLiteral("Vistrel v4.8f")},
                    static_cast<int>(std::max<qint64>(timeout_ms - clock.elapsed(), 100)));
        if (found.isEmpty())
            Wait(100);
    }
    if (found.isEmpty() && process_.state() != QProcess::Running)
        std::fprintf(stderr, "the program ended before its window appeared, status %d: %s\n", process_.exitCode(),
                     process_.readAllStandardError().constData());
    Wait(1500);
    return found.split(QLatin1Char('\n'), Qt::SkipEmptyParts).value(0);
}

bool Program_Copy::Close(const QString& window)
{
    Run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QStringLiteral("--sync"), window});
    Run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("alt+F4")});
    const bool ended = Wait_Until([this] { return process_.state() == QProcess::NotRunning; }, 10000);
    if (!ended)
        process_.kill();
    process_.waitForFinished(2000);
    return ended && process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
}

} // namespace e2e
