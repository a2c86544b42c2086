#pragma once
// Helpers for real-window tests: skip without an X server, run X tools
// (xdotool, xprop, xclip) against it, and wait for the event loop.

#include <QString>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

#define VISTREL_REQUIRE_DISPLAY()                                                                      \
    do {                                                                                               \
        if (qgetenv("VISTREL_E2E_DISPLAY").isEmpty())                                                  \
            GTEST_SKIP() << "no X server: run the tests through the README's test command";            \
    } while (0)

namespace e2e {

// Runs a program to its end on the test display and gives its standard output.
QString Run(const QString& program, const QStringList& arguments, int timeout_ms = 10000);

// Processes events for the given time.
void Wait(int milliseconds);

// Processes events until the condition holds or the time is up; gives the condition.
bool Wait_Until(const std::function<bool()>& condition, int timeout_ms);

} // namespace e2e
