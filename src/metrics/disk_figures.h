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

double Disk_Free_Bytes(int drive_number);
double Disk_Total_Bytes(int drive_number);
int Disk_Free_Percent(int drive_number);
QString Disk_Space_Text(int drive_number);
QString Format_Disk_Size(std::int64_t kb);
