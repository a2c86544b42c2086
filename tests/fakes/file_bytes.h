#pragma once
// Whole files as bytes, for tests that compare what was written byte for byte.

#include <QFile>
#include <QString>
#include <gtest/gtest.h>
#include <string>

// The file's bytes, or "<missing>" when it cannot be read.
inline std::string Read_All(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll().toStdString();
}

inline void Write_All(const QString& path, const std::string& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ADD_FAILURE() << "cannot write " << path.toStdString();
        return;
    }
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}
