#pragma once
// The small pictures of the drive report: the drive on the report button of
// the main window, and the two buttons of the report window. Drawn here, so
// the program ships no image files. Each icon holds a normal and a disabled
// image.

#include <QIcon>

QIcon Drive_Report_Picture();
QIcon Clipboard_Picture();
QIcon OK_Picture();
