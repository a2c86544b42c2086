#pragma once
// Helpers for real-window tests: skip without an X server, run X tools
// (xdotool, xprop, xclip) against it, and wait for the event loop.

#include <QProcess>
#include <QRect>
#include <QString>
#include <QWidget>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <optional>
#include <gtest/gtest.h>

#define VISTREL_REQUIRE_DISPLAY()                                                                      \
    do {                                                                                               \
        if (qgetenv("VISTREL_E2E_DISPLAY").isEmpty())                                                  \
            GTEST_SKIP() << "no X server: run the tests through the README's test command";            \
    } while (0)

// For a test whose subject the Windows program under Wine does not have, or
// that Wine cannot show; the reason says which.
#define VISTREL_SKIP_UNDER_WINE(reason)                                                                \
    do {                                                                                               \
        if (e2e::Windows_Target())                                                                     \
            GTEST_SKIP() << reason;                                                                    \
    } while (0)

// For a test that drives the program's windows inside the test process: only
// the Linux build can be linked in.
#define VISTREL_REQUIRE_IN_PROCESS()                                                                   \
    VISTREL_SKIP_UNDER_WINE("in the test process: only the Linux build's windows can be driven there")

namespace e2e {

// True when Program_Copy starts the packaged Windows program under Wine:
// VISTREL_E2E_WINDOWS_PACKAGE names its folder.
bool Windows_Target();

// The Wine that starts it (VISTREL_E2E_WINE, else wine64 on the PATH).
QString Wine();

// Runs a program to its end on the test display and gives its standard output.
QString Run(const QString& program, const QStringList& arguments, int timeout_ms = 10000);

// The frame of a window as the X server and the window manager report it:
// the client's absolute position and size, grown by _NET_FRAME_EXTENTS;
// nothing while the window is not framed.
std::optional<QRect> X_Frame(const QString& window);
inline std::optional<QRect> X_Frame(WId window) { return X_Frame(QString::number(window)); }

// Processes events for the given time.
void Wait(int milliseconds);

// Processes events until the condition holds or the time is up; gives the condition.
bool Wait_Until(const std::function<bool()>& condition, int timeout_ms);

// The built program, copied alone into a temporary folder of its own so that
// what it writes stays there, started and closed as a person would. Under
// Wine it is the packaged folder that is copied (vistrel.exe needs its DLLs
// and plugins beside it), started with the Wine named by VISTREL_E2E_WINE in
// the test run's own WINEPREFIX.
class Program_Copy {
public:
    Program_Copy();
    Program_Copy(const Program_Copy&) = delete;
    Program_Copy& operator=(const Program_Copy&) = delete;

    // A file in the copy's folder.
    QString File(const QString& name) const { return dir_.filePath(name); }

    // The copied executable.
    const QString& Executable() const { return program_; }

    // What Start() starts the program in: the test display, the user's
    // configuration folder inside the copy's folder, and no toolkit
    // platform chosen.
    QProcessEnvironment Environment() const;

    // Starts the program and gives its main window's id, once the start-up's
    // first placement passes are done; empty when no window appeared.
    QString Start(const QProcessEnvironment& environment);
    QString Start() { return Start(Environment()); }

    // Asks the window to close through the window manager's own key; true
    // when the program then ended normally with status 0.
    bool Close(const QString& window);

    QProcess& Process() { return process_; }

private:
    QTemporaryDir dir_;
    QString program_;
    QProcess process_;
};

} // namespace e2e
