// Memory, drives, volumes, the clock and the version, each against what the
// system reports by another route.
#include <windows.h> // first: the platform headers must not mind

#include "fakes/temp_folder.h"
#include "platform/clock_version.h"
#include "platform/disk.h"
#include "platform/memory.h"
#include "platform/volume.h"
#include "platform/win32/wide.h"

#include <gtest/gtest.h>
#include <winternl.h>

#include <algorithm>
#include <fstream>
#include <vector>

namespace {

// The kernel's own count of physical memory, which GlobalMemoryStatusEx
// reports as its total.
std::uint64_t Kernel_Physical_Bytes()
{
    struct Basic_Information {
        ULONG Reserved, TimerResolution, PageSize, NumberOfPhysicalPages, LowestPhysicalPageNumber,
            HighestPhysicalPageNumber, AllocationGranularity;
        ULONG_PTR MinimumUserModeAddress, MaximumUserModeAddress, ActiveProcessorsAffinityMask;
        CCHAR NumberOfProcessors;
    } basic{};
    if (NtQuerySystemInformation(SystemBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return 0;
    return std::uint64_t{basic.NumberOfPhysicalPages} * basic.PageSize;
}

std::uint64_t Free_Bytes_On(const std::string& root)
{
    std::uint64_t available = 0, total = 0, free = 0;
    EXPECT_TRUE(platform::Use<platform::Disk_Service>().Get_Disk_Free_Space_Ex(root, &available, &total, &free));
    return free;
}

// Local time now as days since 30 December 1899, by the system's file time.
double Local_Days_By_File_Time()
{
    FILETIME utc{}, local{};
    GetSystemTimeAsFileTime(&utc);
    FileTimeToLocalFileTime(&utc, &local);
    const auto ticks = (std::uint64_t{local.dwHighDateTime} << 32) | local.dwLowDateTime;
    constexpr double Days_From_1601_To_1899_12_30 = 109'205;
    return static_cast<double>(ticks) / 10'000'000.0 / 86'400.0 - Days_From_1601_To_1899_12_30;
}

} // namespace

TEST(Win32_Memory, Totals_Agree_With_The_Kernels_Count)
{
    platform::MEMORYSTATUSEX status;
    ASSERT_TRUE(platform::Use<platform::Memory_Service>().Global_Memory_Status_Ex(status));
    EXPECT_EQ(status.ullTotalPhys, Kernel_Physical_Bytes());
    EXPECT_GT(status.ullAvailPhys, 0u);
    EXPECT_LE(status.ullAvailPhys, status.ullTotalPhys);
    EXPECT_LE(status.ullAvailPageFile, status.ullTotalPageFile);
    EXPECT_LE(status.dwMemoryLoad, 100u);
}

TEST(Win32_Disk, Drive_C_Is_Listed_And_Shrinks_By_A_File_Written_To_It)
{
    auto& disk = platform::Use<platform::Disk_Service>();
    const auto drives = disk.Logical_Drives();
    ASSERT_FALSE(drives.empty());
    EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end(),
                               [](const auto& a, const auto& b) { return a.letter < b.letter; }));
    EXPECT_TRUE(std::any_of(drives.begin(), drives.end(), [](const auto& drive) { return drive.letter == 'c'; }));

    // A missing drive answers nothing and leaves the figures alone.
    char missing = 0;
    for (char letter = 'z'; letter > 'c' && !missing; --letter)
        if (std::none_of(drives.begin(), drives.end(), [&](const auto& drive) { return drive.letter == letter; }))
            missing = letter;
    std::uint64_t untouched = 7;
    EXPECT_FALSE(disk.Get_Disk_Free_Space_Ex(std::string(1, missing) + ":\\", &untouched, &untouched, &untouched));
    EXPECT_EQ(untouched, 7u);

    // The free space falls by a file's size while it is there. Other
    // programs write to the same disk meanwhile, so one clean trial of a few
    // is what counts.
    Temp_Folder folder;
    const std::string root = folder.Path().substr(0, 3);
    const std::string file = folder.Path("sixty-four.bin");
    constexpr std::uint64_t Size = 64 << 20;
    std::vector<char> block(1 << 20);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>(i * 2654435761u >> 24); // nothing a disk could compress
    bool agreed = false;
    for (int trial = 0; trial < 5 && !agreed; ++trial) {
        const std::uint64_t before = Free_Bytes_On(root);
        {
            std::ofstream out(Path_From_Utf8(file), std::ios::binary);
            for (std::uint64_t written = 0; written < Size; written += block.size())
                out.write(block.data(), static_cast<std::streamsize>(block.size()));
        }
        const std::uint64_t during = Free_Bytes_On(root);
        std::filesystem::remove(Path_From_Utf8(file));
        const auto fell = static_cast<std::int64_t>(before - during);
        agreed = fell > static_cast<std::int64_t>(Size * 3 / 4) && fell < static_cast<std::int64_t>(Size * 5 / 4);
    }
    EXPECT_TRUE(agreed) << "the free space never fell by the file's size";

    // The critical-error mode is the process's own, as the system keeps it.
    const unsigned before = disk.Set_Error_Mode(SEM_FAILCRITICALERRORS);
    EXPECT_EQ(GetErrorMode() & SEM_FAILCRITICALERRORS, static_cast<UINT>(SEM_FAILCRITICALERRORS));
    EXPECT_EQ(disk.Set_Error_Mode(before), static_cast<unsigned>(SEM_FAILCRITICALERRORS));
    EXPECT_EQ(GetErrorMode(), before);
}

TEST(Win32_Volume, A_Drive_Reads_As_The_File_System_Reports_It)
{
    // The drive the temporary folder is on (C: under Wine).
    Temp_Folder folder;
    const std::string root = folder.Path().substr(0, 3);
    ASSERT_EQ(root.substr(1), ":\\");
    auto& volume = platform::Use<platform::Volume_Service>();
    std::string label, file_system;
    std::uint32_t serial = 0;
    ASSERT_TRUE(volume.Get_Volume_Information(root, &label, &serial, &file_system));
    EXPECT_FALSE(file_system.empty());

    // A file on it carries the same volume serial number.
    Write_Bytes(folder.Path("serial.txt"), "x");
    const HANDLE file = CreateFileW(platform::win32::Wide(folder.Path("serial.txt")).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    BY_HANDLE_FILE_INFORMATION information{};
    ASSERT_TRUE(GetFileInformationByHandle(file, &information));
    CloseHandle(file);
    EXPECT_EQ(serial, information.dwVolumeSerialNumber);

    // Clusters times their size is the total the other query gives.
    std::uint64_t sectors = 0, bytes = 0, free = 0, total = 0, total_bytes = 0;
    ASSERT_TRUE(volume.Get_Disk_Free_Space(root, &sectors, &bytes, &free, &total));
    ASSERT_TRUE(platform::Use<platform::Disk_Service>().Get_Disk_Free_Space_Ex(root, nullptr, &total_bytes, nullptr));
    if (total < 0xFFFFFFFFu) { // a full 32-bit count is the API's cap, not the disk
        EXPECT_EQ(sectors * bytes * total, total_bytes);
    }
    EXPECT_LE(free, total);

    EXPECT_NE(volume.Get_Drive_Type(root), static_cast<unsigned>(DRIVE_NO_ROOT_DIR));
    EXPECT_NE(volume.Get_Drive_Type(root), static_cast<unsigned>(DRIVE_UNKNOWN));
    const DWORD present = GetLogicalDrives();
    for (int letter = 25; letter >= 0; --letter)
        if (!(present & (DWORD{1} << letter))) {
            EXPECT_EQ(volume.Get_Drive_Type(std::string(1, static_cast<char>('A' + letter)) + ":\\"),
                      static_cast<unsigned>(DRIVE_NO_ROOT_DIR));
            break;
        }
    EXPECT_FALSE(volume.Get_Disk_Free_Space("Q:\\nowhere\\", &sectors, &bytes, &free, &total));
    EXPECT_EQ(total, 0u);
}

TEST(Win32_Volume, The_Writability_Probe_Leaves_Nothing_And_Spares_An_Existing_File)
{
    auto& volume = platform::Use<platform::Volume_Service>();
    Temp_Folder folder;
    const std::string root = folder.Path("r\xC3\xA9pertoire") + "\\";
    std::filesystem::create_directory(Path_From_Utf8(root));
    const std::string name = "$$$TEMP_DRIVE_CHECK.tmp";

    EXPECT_TRUE(volume.Probe_Writable(root, name));
    EXPECT_TRUE(std::filesystem::is_empty(Path_From_Utf8(root)));

    Write_Bytes(root + name, "the user's own notes");
    EXPECT_TRUE(volume.Probe_Writable(root, name));
    EXPECT_EQ(Read_Bytes(root + name), "the user's own notes");

    EXPECT_FALSE(volume.Probe_Writable(folder.Path("missing") + "\\", name));
}

TEST(Win32_Clock_And_Version, Now_Lies_Between_Two_Readings_Of_The_System_Clock)
{
    const double before = Local_Days_By_File_Time();
    const double now = platform::Use<platform::Clock_Service>().Now();
    const double after = Local_Days_By_File_Time();
    constexpr double Millisecond = 1.0 / 86'400'000;
    EXPECT_GE(now, before - Millisecond);
    EXPECT_LE(now, after + Millisecond);

    platform::OSVERSIONINFOA version;
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(platform::Use<platform::Version_Service>().Get_Version_Ex(version));
    EXPECT_EQ(version.dwPlatformId, static_cast<std::uint32_t>(VER_PLATFORM_WIN32_NT));
    const DWORD packed = GetVersion();
    EXPECT_EQ(version.dwMajorVersion, LOBYTE(LOWORD(packed)));
    EXPECT_EQ(version.dwMinorVersion, HIBYTE(LOWORD(packed)));
    version.dwOSVersionInfoSize = 156;
    EXPECT_FALSE(platform::Use<platform::Version_Service>().Get_Version_Ex(version));
}
