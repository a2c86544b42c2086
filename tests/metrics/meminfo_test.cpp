// The Linux side of the memory status: /proc/meminfo's figures.
#include "platform/memory.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Linux_Memory, Meminfo_Reader_Takes_Available_Memory_And_Swap)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("meminfo"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("MemTotal:       24683712 kB\nMemFree:         1000000 kB\nMemAvailable:   24297664 kB\n"
               "Buffers:          1 kB\nSwapCached:  0 kB\nSwapTotal:       2097148 kB\nSwapFree:        2097000 kB\n");
    file.close();
    platform::MEMORYSTATUSEX status;
    ASSERT_TRUE(platform::Read_Meminfo(path.toStdString(), status));
    EXPECT_EQ(status.ullTotalPhys, 24683712ull * 1024);
    EXPECT_EQ(status.ullAvailPhys, 24297664ull * 1024);
    EXPECT_EQ(status.ullTotalPageFile, 2097148ull * 1024);
    EXPECT_EQ(status.ullAvailPageFile, 2097000ull * 1024);

    platform::MEMORYSTATUSEX missing;
    EXPECT_FALSE(platform::Read_Meminfo(folder.filePath(QStringLiteral("absent")).toStdString(), missing));
    EXPECT_EQ(missing.ullTotalPhys, 0u);
}
