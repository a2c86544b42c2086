// The registry through the platform's service: the Run key and the
// performance data, on the real registry.
#include "cpu/cpu_sampler.h"
#include "platform/perf_walk.h"
#include "platform/error.h"
#include "platform/perf_data.h"
#include "platform/processor_block.h"
#include "platform/win32/perf_data.h"
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
    // The path as the program names it, absolute from the root.
    const long opened = Registry().Reg_Open_Key_Ex(
        HKEY_LOCAL_MACHINE, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", KEY_ALL_ACCESS, &key);
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

namespace {

// The idle counters of the block's processor object, as the sampler's walk
// reads them; empty when the block has none.
std::vector<std::int64_t> Idle_Counters(const std::vector<std::uint8_t>& buffer, std::uint32_t size)
{
    const Perf_Bytes bytes{buffer.data(), size};
    std::uint64_t object_at = 0;
    platform::PERF_OBJECT_TYPE object;
    platform::PERF_COUNTER_DEFINITION counter;
    if (!Find_Perf_Object(bytes, 238, object_at, object) || object.NumInstances <= 0 ||
        !Find_Perf_Counter(bytes, object_at, object, 6, counter))
        return {};
    std::vector<std::int64_t> values(static_cast<std::size_t>(object.NumInstances));
    return Read_Instance_Counters(bytes, object_at, object, counter, values) ? values : std::vector<std::int64_t>{};
}

// Asks until the buffer is large enough, as the sampler does.
long Query(platform::Performance_Data_Service& service, const std::string& name, std::vector<std::uint8_t>& buffer,
           std::uint32_t& size)
{
    buffer.assign(64, 0xEE);
    for (;;) {
        size = static_cast<std::uint32_t>(buffer.size());
        const long result = service.Query_Performance_Data(name, buffer.data(), &size);
        if (result != ERROR_MORE_DATA)
            return result;
        buffer.resize(buffer.size() + 4096);
    }
}

std::vector<platform::Processor_Idle> Kernel_Times()
{
    std::vector<platform::Processor_Idle> times;
    EXPECT_TRUE(platform::win32::Kernel_Processor_Idle_Times(times));
    return times;
}

} // namespace

TEST(Win32_Performance_Data, The_Sampler_Finds_Every_Processor_Whether_Or_Not_The_Registry_Lists_Them)
{
    // Windows lists the processors in the registry's block; Wine answers with
    // a block of no objects, and the kernel's idle times stand in.
    auto& performance = platform::Use<platform::Performance_Data_Service>();
    std::vector<std::uint8_t> buffer;
    std::uint32_t size = 0;
    const auto before = Kernel_Times();
    ASSERT_EQ(Query(performance, "238", buffer, size), ERROR_SUCCESS);
    const auto after = Kernel_Times();
    EXPECT_EQ(std::u16string_view(reinterpret_cast<const char16_t*>(buffer.data()), 4), u"PERF");

    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const std::vector<std::int64_t> idle = Idle_Counters(buffer, size);
    ASSERT_EQ(idle.size(), system.dwNumberOfProcessors + 1) << "each processor and _Total";
    ASSERT_EQ(before.size(), system.dwNumberOfProcessors);
    ASSERT_EQ(after.size(), before.size());
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_LE(before[i].idle_100ns, idle[i]) << "processor " << i;
        EXPECT_LE(idle[i], after[i].idle_100ns) << "processor " << i;
        sum += idle[i];
    }
    EXPECT_EQ(idle.back(), sum / static_cast<std::int64_t>(before.size())) << "_Total is the mean";

    CPU_Sampler sampler;
    sampler.Start_Up();
    EXPECT_TRUE(sampler.Is_NT_Family());
    sampler.Take_CPU_Sample();
    Sleep(50);
    sampler.Take_CPU_Sample();
    EXPECT_EQ(sampler.CPU_Instance_Count(), static_cast<std::int32_t>(idle.size()));
}

TEST(Win32_Performance_Data, A_Registry_Block_With_Processors_Is_Preferred_To_The_Kernels_Times)
{
    const std::vector<platform::Processor_Idle> listed = {{0, 700}, {1, 900}};
    std::vector<platform::Processor_Idle> kernel = {{0, 1000}, {1, 3000}};
    long registry_result = ERROR_SUCCESS;
    std::vector<platform::Processor_Idle> registry_processors = listed;
    int kernel_reads = 0;
    int registry_reads = 0;
    const auto make_service = [&] {
        return platform::win32::Make_Performance_Data(
            [&](const std::string&, std::uint8_t* buffer, std::uint32_t* size) {
                ++registry_reads;
                const std::uint32_t needed = platform::Processor_Block_Bytes(registry_processors, "HOST");
                if (registry_result != ERROR_SUCCESS)
                    return registry_result;
                const bool fits = *size >= needed;
                if (fits)
                    platform::Put_Processor_Block(buffer, registry_processors, "HOST", {});
                *size = needed;
                return fits ? registry_result : long{ERROR_MORE_DATA};
            },
            [&](std::vector<platform::Processor_Idle>& processors) {
                ++kernel_reads;
                processors = kernel;
                return !kernel.empty();
            });
    };
    std::vector<std::uint8_t> buffer;
    std::uint32_t size = 0;

    {
        const auto service = make_service();
        for (int tick = 0; tick < 2; ++tick) {
            ASSERT_EQ(Query(*service, "238", buffer, size), ERROR_SUCCESS);
            EXPECT_EQ(Idle_Counters(buffer, size), (std::vector<std::int64_t>{700, 900, 800}));
        }
        EXPECT_EQ(kernel_reads, 0);
    }

    // A block without the object, or no block at all, takes the kernel's, and
    // the registry is not asked for the processors again.
    for (const long answer : {long{ERROR_SUCCESS}, long{ERROR_FILE_NOT_FOUND}, long{ERROR_ACCESS_DENIED}}) {
        const auto service = make_service();
        registry_processors.clear();
        registry_result = answer;
        ASSERT_EQ(Query(*service, "238", buffer, size), ERROR_SUCCESS) << answer;
        EXPECT_EQ(Idle_Counters(buffer, size), (std::vector<std::int64_t>{1000, 3000, 2000})) << answer;
        registry_reads = 0;
        ASSERT_EQ(Query(*service, "238", buffer, size), ERROR_SUCCESS) << answer;
        EXPECT_EQ(Idle_Counters(buffer, size), (std::vector<std::int64_t>{1000, 3000, 2000})) << answer;
        EXPECT_EQ(registry_reads, 0) << answer;
    }
    const auto service = make_service();
    registry_result = ERROR_SUCCESS;
    ASSERT_EQ(Query(*service, "238", buffer, size), ERROR_SUCCESS);

    // A buffer too small for the built block asks for the size it needs.
    const std::uint32_t needed = platform::Processor_Block_Bytes(kernel, "x");
    std::vector<std::uint8_t> small(sizeof(platform::PERF_DATA_BLOCK) + 16);
    size = static_cast<std::uint32_t>(small.size());
    EXPECT_EQ(service->Query_Performance_Data("238", small.data(), &size), ERROR_MORE_DATA);
    EXPECT_GE(size, needed);

    // Other objects, and a kernel that does not tell, leave the registry's answer.
    kernel_reads = 0;
    ASSERT_EQ(Query(*service, "2", buffer, size), ERROR_SUCCESS);
    EXPECT_TRUE(Idle_Counters(buffer, size).empty());
    EXPECT_EQ(kernel_reads, 0);
    kernel.clear();
    registry_result = ERROR_FILE_NOT_FOUND;
    EXPECT_EQ(Query(*service, "238", buffer, size), ERROR_FILE_NOT_FOUND);

    // With neither, the sampler says what is missing.
    registry_result = ERROR_SUCCESS;
    platform::Scoped_Service<platform::Performance_Data_Service> installed(*service);
    CPU_Sampler sampler;
    sampler.Start_Up();
    try {
        sampler.Take_CPU_Sample();
        ADD_FAILURE() << "no error for a block without the processor object";
    } catch (const Program_Error& error) {
        EXPECT_STREQ(error.what(), "Unable to locate the \"Processor\" performance object");
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
