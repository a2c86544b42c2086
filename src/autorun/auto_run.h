#pragma once
// Start at log-on: one string value under the machine-wide Run key, named
// after the executable's file name and holding its full path; where that key
// cannot be opened with full access, under the user's own Run key (same path,
// name and data). The entry is the only record of the setting; the menu
// item's check mark follows it, found in either key.

#include "platform/registry.h"

#include <QString>

class QAction;

inline constexpr char Run_Key_Path[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Each opens the key with full access and closes it again. The first two
// report their own failures to the user and give false; a value the registry
// refuses to take once the key is open raises Program_Error.
bool Write_Registry_String(platform::HKEY root, const QString& key_path, const QString& value_name,
                           const QString& value_data);
bool Delete_Registry_Value(platform::HKEY root, const QString& key_path, const QString& value_name);
// Empty when the key or the value is missing, or the value is not a string; no message.
QString Read_Registry_String(platform::HKEY root, const QString& key_path, const QString& value_name);

// The entry's name and data: the running executable's file name and full path.
QString Auto_Run_Value_Name();
QString Auto_Run_Value_Data();

// Write or remove the entry, and tell the user so; true when done.
bool Enable_Auto_Run();
bool Disable_Auto_Run();

// Equal once the letters a to z are upper-cased on both sides; every other
// character must match as it is.
bool Same_Text_Ignoring_Ascii_Case(const QString& a, const QString& b);

// The question put when the entry points somewhere other than the running program.
QString Auto_Run_Path_Question(const QString& value_name, const QString& old_path, const QString& current_path);

// The "Auto-Run at Windows Startup" menu item and the start-up's look at the
// entry. The item's check mark is set only from what the registry holds.
class Auto_Run {
public:
    struct Controls {
        QAction* Auto_Run_at_Windows_Startup_Option = nullptr;
    };
    explicit Auto_Run(const Controls& controls) : controls_(controls) {}

    // Writes the entry when the mark is clear, removes it when set; the mark
    // changes only when that was done.
    void Auto_Run_at_Windows_Startup_OptionClick();
    // Whether an entry for this program is there; one that points elsewhere
    // is offered to be corrected first.
    bool Check_Auto_Run_Path();

private:
    Controls controls_;
};
