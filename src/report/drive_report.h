#pragma once
// The drive report: a plain text on one drive (volume, file system,
// writability, clusters, free, used and total space, drive type), built
// afresh for every showing.
//
// Drives are numbered 1 for a to 26 for z (Drive_Number). The report's lines
// end in CR LF; every value starts in column 28. Numbers use the program-wide
// separators as they are at the time of the call.

#include <QString>

// The whole report text for the drive.
QString Build_Drive_Report(int drive_number);

// One sentence on the kind of drive (removable, fixed, remote, ...).
QString Drive_Type_Text(int drive_number);

// Whether a file can be written in the root of the drive named by the first
// character of `letter`. A character that is not a letter a..z is never
// writable and touches nothing.
bool Is_Drive_Writable(const QString& letter);

// The name of the file the writability test creates in a drive's root.
inline constexpr char Drive_Check_File_Name[] = "$$$TEMP_DRIVE_CHECK.tmp";
