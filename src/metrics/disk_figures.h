#pragma once
// Disk space of the drive chosen in the drive list, and the program's one
// rule for writing a size in KB with a unit.
//
// A drive is numbered 1 for a to 26 for z. A number outside 1..26 (a
// hand-edited settings file) has no root path and reads as a drive that
// cannot be read: 0 free, 0 total.

#include <QString>
#include <cstdint>
#include <string>

int Drive_Number(const QString& letter_text);
std::string Drive_Root_Path(int drive_number); // "C:\" for 3; empty outside 1..26

// One query of the drive's space, with the system's critical-error boxes off
// for its length. A drive that cannot be read gives zeros.
struct Disk_Space {
    double free_bytes = 0;
    double total_bytes = 0;
};
Disk_Space Disk_Space_Of(int drive_number);

// Whole percent free, cut towards zero; 0 when the total is 0.
int Disk_Free_Percent(const Disk_Space& space);
// The free and total space in whole KB, as the label writes them.
std::int64_t Disk_Free_KB(const Disk_Space& space);
std::int64_t Disk_Total_KB(const Disk_Space& space);
// "free / total" with units, or "0" when the total is 0.
QString Disk_Space_Text(const Disk_Space& space);

// The same for a drive, each from a query of its own.
int Disk_Free_Percent(int drive_number);
QString Disk_Space_Text(int drive_number);
QString Format_Disk_Size(std::int64_t kb);
