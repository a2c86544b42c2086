#pragma once
// Whether a file is in use, and deleting it only when it is not: the factory
// defaults delete vistrel.ini this way, so that a file another program holds
// is left alone.

#include <QString>

// "CLOSED" when the file could be opened for reading and writing with no
// other program holding it; "OPEN" when another program holds it (a sharing
// or lock violation); "NOT FOUND" when it could not be reached; "ERROR" on
// any other failure; the empty text for an empty path or no file at all.
// Every path is tested, whatever its length.
QString File_Open_Status(const QString& path);

// Deletes the file when File_Open_Status finds it "CLOSED" (its read-only
// flag cleared first); true when it is gone. Never reports anything.
bool Delete_File_If_Closed(const QString& path);
