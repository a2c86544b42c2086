#pragma once
// Whole files as bytes, for tests that compare what was written byte for byte.

#include "fakes/temp_folder.h"

#include <QString>
#include <string>

// The file's bytes, or "<missing>" when it cannot be read.
inline std::string Read_All(const QString& path)
{
    return Read_Bytes(path.toStdString());
}

inline void Write_All(const QString& path, const std::string& bytes)
{
    Write_Bytes(path.toStdString(), bytes);
}
