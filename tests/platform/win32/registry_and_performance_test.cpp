// The registry through the platform's service: the Run key and the
// performance data, on the real registry.
#include "cpu/cpu_sampler.h"
#include "cpu/perf_walk.h"
#include "platform/error.h"
#include "platform/perf_data.h"
#include "platform/registry.h"
#include "platform/win32/wide.h"

#include <windows.h> // after the platform headers: they must not mind either

#include <gtest/gtest.h>

#include <vector>

namespace {

platform::Registry_Service& Registry()
{
    return platform::Use<platform::Registry_Service>();
}

platform::SYSTEMTIME Time(int year, int month, int day, int hour, int minute, int second, int ms)
{
    platform::SYSTEMTIME time;
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    time.wMilliseconds = static_cast<WORD>(ms);
    return time;
}

} // namespace

TEST(Win32_Registry, Root_Keys_Are_The_Systems_Sign_Extended_Handles)
{
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(HKEY_LOCAL_MACHINE), platform::Predefined_Key(0x80000002u));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(HKEY_CURRENT_USER), platform::Predefined_Key(0x80000001u));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(HKEY_PERFORMANCE_DATA), platform::Predefined_Key(0x80000004u));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(HKEY_DYN_DATA), platform::Predefined_Key(0x80000006u));
    EXPECT_EQ(platform::Predefined_Key(0x80000002u), std::uintptr_t{0xFFFFFFFF80000002u});
}

TEST(Win32_Registry, A_Run_Key_Value_Beyond_Ascii_Goes_In_Reads_Back_And_Goes_Away)
{
    const std::string name = "Vistrel test " + std::to_string(GetCurrentProcessId());
    const std::string path = "C:\\Program Files\\V\xC3\xAFstrel \xE2\x98\x83\\vistrel.exe";
    platform::HKEY key = nullptr;
    const long opened = Registry().Reg_Open_Key_Ex(
        HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", KEY_ALL_ACCESS, &key);
    if (opened == ERROR_ACCESS_DENIED)
        GTEST_SKIP() << "the machine's Run key takes an administrator";
    ASSERT_EQ(opened, ERROR_SUCCESS);
    ASSERT_EQ(Registry().Reg_Set_Value_Ex(key, name, REG_SZ, reinterpret_cast<const std::uint8_t*>(path.c_str()),
                                          static_cast<std::uint32_t>(path.size() + 1)),
              ERROR_SUCCESS);

    // Stored as UTF-16, as any other program reads it.
    wchar_t stored[MAX_PATH] = {};
    DWORD stored_bytes = sizeof stored;
    ASSERT_EQ(RegGetValueW(key, nullptr, platform::win32::Wide(name).c_str(), RRF_RT_REG_SZ, nullptr, stored,
                           &stored_bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(stored), L"C:\\Program Files\\V\u00EFstrel \u2603\\vistrel.exe");

    std::uint32_t type = 0, size = 0;
    EXPECT_EQ(Registry().Reg_Query_Value_Ex(key, name, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<std::uint32_t>(REG_SZ));
    EXPECT_EQ(size, path.size() + 1);
    std::vector<std::uint8_t> small(10);
    size = static_cast<std::uint32_t>(small.size());
    EXPECT_EQ(Registry().Reg_Query_Value_Ex(key, name, &type, small.data(), &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, path.size() + 1);
    std::vector<std::uint8_t> data(size);
    EXPECT_EQ(Registry().Reg_Query_Value_Ex(key, name, &type, data.data(), &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.data())), path);

    EXPECT_EQ(Registry().Reg_Delete_Value(key, name), ERROR_SUCCESS);
    EXPECT_EQ(Registry().Reg_Query_Value_Ex(key, name, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Registry().Reg_Close_Key(key), ERROR_SUCCESS);

    // The older family's statistics keys are not there on the NT family.
    EXPECT_NE(Registry().Reg_Open_Key_Ex(HKEY_DYN_DATA, "PerfStats\\StartStat", KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(key, nullptr);
}

TEST(Win32_Performance_Data, The_Sampler_Reads_The_Processor_Object_Or_Says_It_Is_Missing)
{
    auto& performance = platform::Use<platform::Performance_Data_Service>();
    std::vector<std::uint8_t> buffer(8);
    auto size = static_cast<std::uint32_t>(buffer.size());
    EXPECT_EQ(performance.Query_Performance_Data("238", buffer.data(), &size), ERROR_MORE_DATA);
    long result = ERROR_MORE_DATA;
    while (result == ERROR_MORE_DATA) {
        buffer.resize(buffer.size() + 65536);
        size = static_cast<std::uint32_t>(buffer.size());
        result = performance.Query_Performance_Data("238", buffer.data(), &size);
    }
    ASSERT_EQ(result, ERROR_SUCCESS);
    ASSERT_GE(size, sizeof(platform::PERF_DATA_BLOCK));
    EXPECT_EQ(std::u16string_view(reinterpret_cast<const char16_t*>(buffer.data()), 4), u"PERF");

    // Windows lists the processors; Wine answers with a block of no objects,
    // which the sampler must report, not read as an idle machine.
    std::uint64_t object_at = 0;
    platform::PERF_OBJECT_TYPE object;
    const bool has_processors = Find_Perf_Object(Perf_Bytes{buffer.data(), size}, 238, object_at, object);
    CPU_Sampler sampler;
    sampler.Start_Up();
    EXPECT_TRUE(sampler.Is_NT_Family());
    if (has_processors) {
        sampler.Take_CPU_Sample();
        EXPECT_GT(sampler.CPU_Instance_Count(), 0);
    } else {
        try {
            sampler.Take_CPU_Sample();
            ADD_FAILURE() << "no error for a block without the processor object";
        } catch (const Program_Error& error) {
            EXPECT_STREQ(error.what(), "Unable to locate the \"Processor\" performance object");
        }
    }
}

TEST(Win32_Performance_Data, File_Times_Agree_With_The_Shared_Calendar)
{
    // Only dates both agree are valid: Wine takes 29 February of any year.
    auto& performance = platform::Use<platform::Performance_Data_Service>();
    for (const auto& time : {Time(1601, 1, 1, 0, 0, 0, 0), Time(1899, 12, 30, 12, 0, 0, 0),
                             Time(2000, 2, 29, 23, 59, 59, 999), Time(2024, 3, 1, 12, 0, 0, 1),
                             Time(30827, 12, 31, 23, 59, 59, 999)}) {
        std::int64_t system = -1, shared = -2;
        EXPECT_TRUE(performance.System_Time_To_File_Time(time, &system)) << time.wYear;
        EXPECT_TRUE(platform::Civil_To_File_Time(time, &shared));
        EXPECT_EQ(system, shared) << time.wYear;
    }
    std::int64_t untouched = 5;
    EXPECT_FALSE(performance.System_Time_To_File_Time(Time(2024, 13, 1, 0, 0, 0, 0), &untouched));
    EXPECT_FALSE(performance.System_Time_To_File_Time(Time(2024, 1, 1, 24, 0, 0, 0), &untouched));
    EXPECT_EQ(untouched, 5);
}
