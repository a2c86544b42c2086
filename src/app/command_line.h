#pragma once
// The command line, read before the application object exists so that
// --help and --version answer without a display. Without arguments the
// program simply starts.
//
// Besides its own two options the program accepts the toolkit's standard
// ones (-style, -platform, -display, -session, ...), which the application
// object takes for itself: a session manager restarts the program with
// -session, and a user may pick a style. Anything else is a usage error.

#include <QString>
#include <QStringList>

struct Command_Line_Request {
    bool run = true;     // go on and open the windows
    int exit_status = 0; // when not run: 0 after --help or --version, 2 after a usage error
    QString output;      // for standard output
    QString error;       // for standard error
    QString platform;    // named with -platform
    QString display;     // named with -display
};

// `arguments` as main received them, the program's own name first.
Command_Line_Request Read_Command_Line(const QStringList& arguments);
