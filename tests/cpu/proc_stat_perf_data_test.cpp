// The Linux performance data built from /proc/stat-format fixtures.
#include "cpu/cpu_reading.h"
#include "cpu/cpu_sampler.h"
#include "platform/perf_walk.h"
#include "fakes/temp_folder.h"
#include "platform/perf_data.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <unistd.h>

namespace {

using namespace platform;

constexpr std::int64_t Ticks = 100'000; // 100-ns units in one clock tick at 100 ticks a second

const char* const Two_Cpus = "cpu  100 0 50 1000 20 0 0 0 0 0\n"
                             "cpu0 50 0 25 600 10 0 0 0 0 0\n"
                             "cpu1 50 0 25 400 10 0 0 0 0 0\n"
                             "intr 12345 0 0 7\n"
                             "ctxt 999\n";

SYSTEMTIME Noon_Plus(int milliseconds)
{
    SYSTEMTIME time;
    time.wYear = 2025;
    time.wMonth = 6;
    time.wDay = 30;
    time.wHour = 12;
    time.wSecond = static_cast<std::uint16_t>(milliseconds / 1000);
    time.wMilliseconds = static_cast<std::uint16_t>(milliseconds % 1000);
    return time;
}

class Proc_Stat : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (sysconf(_SC_CLK_TCK) != 100)
            GTEST_SKIP() << "the fixtures assume 100 clock ticks a second";
    }
    void Write(const std::string& text) { Write_Bytes(path(), text); }
    std::string path() const { return folder.Path("stat"); }
    std::unique_ptr<Performance_Data_Service> Service()
    {
        return Make_Proc_Stat_Performance_Data(path(), [this] { return Noon_Plus(now_ms); });
    }

    Temp_Folder folder;
    int now_ms = 0;
};

std::string Instance_Name(const std::vector<std::uint8_t>& bytes, std::uint64_t instance_at)
{
    PERF_INSTANCE_DEFINITION instance;
    std::memcpy(&instance, bytes.data() + instance_at, sizeof instance);
    std::string name;
    for (std::uint32_t at = 0; at + 2 <= instance.NameLength; at += 2) {
        char16_t c;
        std::memcpy(&c, bytes.data() + instance_at + instance.NameOffset + at, 2);
        if (c != 0)
            name += static_cast<char>(c);
    }
    return name;
}

TEST_F(Proc_Stat, Builds_The_Processor_Object_In_The_Published_Layout)
{
    Write(Two_Cpus);
    const auto service = Service();
    std::vector<std::uint8_t> bytes(8192);
    std::uint32_t size = 8192;
    ASSERT_EQ(service->Query_Performance_Data("238", bytes.data(), &size), ERROR_SUCCESS);
    bytes.resize(size);

    PERF_DATA_BLOCK block;
    std::memcpy(&block, bytes.data(), sizeof block);
    EXPECT_EQ(std::u16string(block.Signature, 4), u"PERF");
    EXPECT_EQ(block.TotalByteLength, size);
    EXPECT_EQ(block.NumObjectTypes, 1u);
    EXPECT_GE(block.HeaderLength, sizeof(PERF_DATA_BLOCK));
    EXPECT_EQ(block.SystemTime.wYear, 2025);
    EXPECT_EQ(block.SystemTime.wHour, 12);

    const Perf_Bytes walk{bytes.data(), bytes.size()};
    std::uint64_t object_at = 0;
    PERF_OBJECT_TYPE object;
    ASSERT_TRUE(Find_Perf_Object(walk, 238, object_at, object));
    EXPECT_EQ(object_at + object.TotalByteLength, size);
    EXPECT_EQ(object.NumInstances, 3);
    PERF_COUNTER_DEFINITION counter;
    ASSERT_TRUE(Find_Perf_Counter(walk, object_at, object, 6, counter));
    EXPECT_EQ(counter.CounterType, PERF_100NSEC_TIMER_INV);
    EXPECT_EQ(counter.CounterSize, 8u);

    std::int64_t values[3] = {};
    ASSERT_TRUE(Read_Instance_Counters(walk, object_at, object, counter, values));
    EXPECT_EQ(values[0], 610 * Ticks); // idle + iowait
    EXPECT_EQ(values[1], 410 * Ticks);
    EXPECT_EQ(values[2], 510 * Ticks); // the mean over the CPUs

    std::uint64_t instance_at = object_at + object.DefinitionLength;
    std::vector<std::string> names;
    for (int i = 0; i < 3; ++i) {
        names.push_back(Instance_Name(bytes, instance_at));
        PERF_INSTANCE_DEFINITION instance;
        std::memcpy(&instance, bytes.data() + instance_at, sizeof instance);
        PERF_COUNTER_BLOCK counters;
        std::memcpy(&counters, bytes.data() + instance_at + instance.ByteLength, sizeof counters);
        instance_at += instance.ByteLength + counters.ByteLength;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"0", "1", "_Total"}));
}

TEST_F(Proc_Stat, Answers_More_Data_Until_The_Buffer_Fits)
{
    Write(Two_Cpus);
    const auto service = Service();
    std::vector<std::uint8_t> bytes(4096);
    std::uint32_t size = 100;
    ASSERT_EQ(service->Query_Performance_Data("238", bytes.data(), &size), ERROR_MORE_DATA);
    const std::uint32_t needed = size;
    size = needed - 1;
    EXPECT_EQ(service->Query_Performance_Data("238", bytes.data(), &size), ERROR_MORE_DATA);
    size = needed;
    EXPECT_EQ(service->Query_Performance_Data("238", bytes.data(), &size), ERROR_SUCCESS);
    EXPECT_EQ(size, needed);
}

TEST_F(Proc_Stat, Many_Cpus_Grow_The_Sampler_Buffer_And_Read_Their_Load)
{
    auto stat_with_idle = [](long idle) {
        std::string text = "cpu  1 2 3 4 5 6 7\n";
        for (int cpu = 0; cpu < 400; ++cpu)
            text += "cpu" + std::to_string(cpu) + " 10 0 10 " + std::to_string(idle) + " 0 0 0 0 0 0\n";
        return text + "intr 1\n";
    };
    Write(stat_with_idle(1000));
    const auto service = Service();
    Scoped_Service<Performance_Data_Service> guard(*service);
    CPU_Sampler sampler;
    sampler.Take_CPU_Sample();
    EXPECT_GT(sampler.Buffer_Size(), 8192);
    EXPECT_EQ(sampler.CPU_Instance_Count(), 401);

    now_ms = 1000;
    Write(stat_with_idle(1025)); // a quarter of a second idle in one second
    EXPECT_EQ(Current_CPU_Usage(sampler), 75);
    EXPECT_DOUBLE_EQ(sampler.CPU_Instance_Usage(400), 0.75);
}

TEST_F(Proc_Stat, Odd_Files_Keep_Only_Well_Formed_Cpu_Lines)
{
    const auto service = Service();
    std::vector<std::uint8_t> bytes(8192);
    std::uint32_t size = 8192;
    EXPECT_EQ(service->Query_Performance_Data("238", bytes.data(), &size), ERROR_FILE_NOT_FOUND); // no file

    Write("intr 1 2 3\nctxt 5\n");
    size = 8192;
    EXPECT_EQ(service->Query_Performance_Data("238", bytes.data(), &size), ERROR_FILE_NOT_FOUND);

    // Lines without iowait count idle alone; damaged lines are skipped;
    // CPU lines after the block at the top are not part of it.
    Write("cpu  1 2 3 4\ncpu0 1 2 3 7\ncpuX 1 2 3 4 5\ncpu1 1 2\ncpu12 0 0 0 5 5\ncpu3 9 9 9 9 9\nintr 0\ncpu4 1 1 1 1 1");
    size = 8192;
    ASSERT_EQ(service->Query_Performance_Data("238", bytes.data(), &size), ERROR_SUCCESS);
    const Perf_Bytes walk{bytes.data(), size};
    std::uint64_t object_at = 0;
    PERF_OBJECT_TYPE object;
    ASSERT_TRUE(Find_Perf_Object(walk, 238, object_at, object));
    ASSERT_EQ(object.NumInstances, 4);
    PERF_COUNTER_DEFINITION counter;
    ASSERT_TRUE(Find_Perf_Counter(walk, object_at, object, 6, counter));
    std::int64_t values[4] = {};
    ASSERT_TRUE(Read_Instance_Counters(walk, object_at, object, counter, values));
    EXPECT_EQ(values[0], 7 * Ticks);
    EXPECT_EQ(values[1], 10 * Ticks);
    EXPECT_EQ(values[2], 18 * Ticks);
    EXPECT_EQ(values[3], 35 * Ticks / 3);
    EXPECT_EQ(Instance_Name(bytes, object_at + object.DefinitionLength), "0");

    // Another object asked for gives an empty block.
    size = 8192;
    ASSERT_EQ(service->Query_Performance_Data("230", bytes.data(), &size), ERROR_SUCCESS);
    EXPECT_FALSE(Find_Perf_Object(Perf_Bytes{bytes.data(), size}, 238, object_at, object));
}

TEST(Proc_Stat_Live, The_Machine_Has_One_Instance_Per_Cpu_Line_Plus_Total)
{
    std::ifstream stat("/proc/stat");
    if (!stat)
        GTEST_SKIP() << "no /proc/stat here";
    int cpu_lines = 0;
    for (std::string line; std::getline(stat, line);)
        if (line.starts_with("cpu") && line.size() > 3 && line[3] != ' ')
            ++cpu_lines;
    CPU_Sampler sampler;
    sampler.Take_CPU_Sample();
    EXPECT_EQ(sampler.CPU_Instance_Count(), cpu_lines + 1);
}

} // namespace

// A CPU taken offline drops out of /proc/stat; the block keeps one instance
// for every possible CPU, so the sampler never comes up short, and the
// offline CPU reads as idle until it comes back.
TEST_F(Proc_Stat, A_Cpu_Going_Offline_And_Back_Shifts_Nothing)
{
    Write_Bytes(folder.Path("possible"), "0-3\n");
    auto stat = [](long busy, bool with_cpu2, long cpu2_idle) {
        std::string text = "cpu  1 2 3 4 5 6 7\n";
        for (int cpu = 0; cpu < 4; ++cpu)
            if (cpu != 2 || with_cpu2)
                text += "cpu" + std::to_string(cpu) + " " + std::to_string(busy) + " 0 0 "
                        + std::to_string(cpu == 2 ? cpu2_idle : 1000) + " 0 0 0 0 0 0\n";
        return text + "intr 1\n";
    };
    Write(stat(0, false, 0)); // CPU 2 offline from the start
    const auto service = Make_Proc_Stat_Performance_Data(path(), [this] { return Noon_Plus(now_ms); },
                                                         folder.Path("possible"));
    Scoped_Service<Performance_Data_Service> guard(*service);
    CPU_Sampler sampler;
    sampler.Take_CPU_Sample();
    ASSERT_EQ(sampler.CPU_Instance_Count(), 5);

    // A second later CPUs 0, 1 and 3 have been busy all the time; CPU 2 idle.
    now_ms = 1000;
    Write(stat(100, false, 0));
    EXPECT_EQ(Current_CPU_Usage(sampler), 75); // (3 × 100 + 0 + 75 for the total) / 5
    EXPECT_DOUBLE_EQ(sampler.CPU_Instance_Usage(2), 0.0);

    // Online again, its own counter far behind: it goes on from where it was.
    now_ms = 2000;
    Write(stat(200, true, 50));
    EXPECT_NO_THROW(Current_CPU_Usage(sampler));
    EXPECT_DOUBLE_EQ(sampler.CPU_Instance_Usage(0), 1.0);
    EXPECT_DOUBLE_EQ(sampler.CPU_Instance_Usage(2), 1.0); // no idle time counted since it came back
    now_ms = 3000;
    Write(stat(200, true, 150));
    EXPECT_EQ(Current_CPU_Usage(sampler), 75); // its idle second counts as before
    EXPECT_DOUBLE_EQ(sampler.CPU_Instance_Usage(2), 0.0);

    // And offline again in the middle of the run.
    now_ms = 4000;
    Write(stat(300, false, 0));
    EXPECT_NO_THROW(Current_CPU_Usage(sampler));
    EXPECT_DOUBLE_EQ(sampler.CPU_Instance_Usage(2), 0.0);
    EXPECT_EQ(sampler.CPU_Instance_Count(), 5);
}
