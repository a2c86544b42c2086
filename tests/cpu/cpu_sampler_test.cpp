// The NT-family sampler on hand-built performance data.
#include "platform/error.h"
#include "cpu/cpu_reading.h"
#include "cpu/cpu_sampler.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_perf_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

constexpr std::int64_t Second = 10'000'000; // in 100-ns units

const std::string Object_Missing = "Unable to locate the \"Processor\" performance object";
const std::string Counter_Missing = "Unable to locate the \"% of CPU usage\" performance counter";
const std::string Out_Of_Bounds = "CPU index out of bounds";

std::string Error_Of(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Program_Error& error) {
        return error.what();
    }
    return "(no error)";
}

Fake_Object Processor(const std::vector<std::int64_t>& counters)
{
    Fake_Object object;
    for (const std::int64_t counter : counters)
        object.instances.push_back({counter});
    return object;
}

class NT_Sampler : public ::testing::Test {
protected:
    void Serve(int milliseconds, const std::vector<Fake_Object>& objects)
    {
        perf.data = Build_Perf_Data(Fake_Time(milliseconds), objects);
    }
    void Sample(int milliseconds, const std::vector<std::int64_t>& counters)
    {
        Serve(milliseconds, {Processor(counters)});
        sampler.Take_CPU_Sample();
    }

    Fake_Perf_Data perf;
    platform::Scoped_Service<platform::Performance_Data_Service> perf_guard{perf};
    CPU_Sampler sampler;
};

TEST_F(NT_Sampler, Walks_Past_Other_Objects_Counters_And_Instance_Lengths)
{
    Fake_Object other;
    other.title_index = 2;
    other.instances = {{7 * Second}, {9 * Second}};
    Fake_Object second_other;
    second_other.title_index = 4;
    second_other.counters = {1, 6, 3};
    second_other.instances = {{3 * Second, 40}};
    second_other.trailing_bytes = 24;
    auto processor = [](std::int64_t a, std::int64_t b, std::int64_t c) {
        Fake_Object object;
        object.counters = {2, 4, 6, 10};
        object.header_extra = 8;
        object.counter_extra = 16;
        object.instances = {{a, 8}, {b, 32}, {c, 56}};
        return object;
    };

    perf.data = Build_Perf_Data(Fake_Time(0), {other, second_other, processor(0, 0, 0)}, 40);
    sampler.Take_CPU_Sample();
    perf.data = Build_Perf_Data(Fake_Time(1000), {other, second_other, processor(Second / 4, Second, 0)}, 40);
    sampler.Take_CPU_Sample();

    ASSERT_EQ(sampler.CPU_Instance_Count(), 3);
    EXPECT_EQ(sampler.CPU_Instance_Usage(0), 0.75);
    EXPECT_EQ(sampler.CPU_Instance_Usage(1), 0.0);
    EXPECT_EQ(sampler.CPU_Instance_Usage(2), 1.0);
}

TEST_F(NT_Sampler, First_Sample_Reads_Against_Zero_And_Later_Ones_Against_The_One_Before)
{
    // The first previous time is 0 (1601), so the first load is just below 1.
    Sample(0, {Second});
    EXPECT_GT(sampler.CPU_Instance_Usage(0), 0.999);
    EXPECT_LT(sampler.CPU_Instance_Usage(0), 1.0);
    Sample(500, {Second + Second / 10});
    EXPECT_DOUBLE_EQ(sampler.CPU_Instance_Usage(0), 0.8);
}

TEST_F(NT_Sampler, Grows_The_Buffer_By_4096_Until_A_Block_Over_8192_Bytes_Fits)
{
    std::vector<std::int64_t> idle(300, 0);
    Sample(0, idle);
    EXPECT_EQ(perf.offered_sizes, (std::vector<std::uint32_t>{8192, 12288, 16384}));
    EXPECT_EQ(sampler.Buffer_Size(), 16384);

    perf.offered_sizes.clear();
    idle.back() = Second / 2;
    Sample(1000, idle);
    EXPECT_EQ(perf.offered_sizes, (std::vector<std::uint32_t>{16384}));
    ASSERT_EQ(sampler.CPU_Instance_Count(), 300);
    EXPECT_EQ(sampler.CPU_Instance_Usage(299), 0.5);
    EXPECT_EQ(sampler.CPU_Instance_Usage(0), 1.0);
}

TEST_F(NT_Sampler, Loads_Are_Returned_Unclamped_And_Equal_Times_Read_Zero)
{
    Sample(0, {0, 0, 0});
    Sample(1000, {2 * Second, -Second, Second / 2});
    EXPECT_EQ(sampler.CPU_Instance_Usage(0), -1.0); // idle grew faster than time
    EXPECT_EQ(sampler.CPU_Instance_Usage(1), 2.0);  // idle went backwards
    EXPECT_EQ(sampler.CPU_Instance_Usage(2), 0.5);

    Sample(1000, {3 * Second, 0, Second}); // same system time, counters moved
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(sampler.CPU_Instance_Usage(i), 0.0);

    // Counters at the ends of the 64-bit range must not overflow the difference.
    Sample(2000, {INT64_MIN, INT64_MAX, 0});
    Sample(3000, {INT64_MAX, INT64_MIN, 0});
    EXPECT_TRUE(std::isfinite(sampler.CPU_Instance_Usage(0)));
    EXPECT_TRUE(std::isfinite(sampler.CPU_Instance_Usage(1)));
}

TEST_F(NT_Sampler, Index_Outside_The_Instances_Is_Refused)
{
    Sample(0, {0, 0});
    EXPECT_EQ(Error_Of([&] { sampler.CPU_Instance_Usage(-1); }), Out_Of_Bounds);
    EXPECT_EQ(Error_Of([&] { sampler.CPU_Instance_Usage(2); }), Out_Of_Bounds);
    EXPECT_EQ(Error_Of([&] { sampler.CPU_Instance_Usage(1); }), "(no error)");
}

TEST_F(NT_Sampler, Count_And_Usage_Take_The_First_Sample_Themselves)
{
    Serve(0, {Processor({0, 0, 0, 0})});
    EXPECT_EQ(sampler.CPU_Instance_Count(), 4);
    EXPECT_EQ(perf.offered_sizes.size(), 1u);

    CPU_Sampler fresh;
    EXPECT_NO_THROW(fresh.CPU_Instance_Usage(3));
    EXPECT_EQ(perf.offered_sizes.size(), 2u);
}

TEST_F(NT_Sampler, Missing_Object_Fails_Every_Sample_And_Changes_Nothing)
{
    Fake_Object memory;
    memory.title_index = 4;
    memory.instances = {{0}};
    Serve(0, {memory});
    EXPECT_EQ(Error_Of([&] { sampler.Take_CPU_Sample(); }), Object_Missing);
    EXPECT_EQ(Error_Of([&] { sampler.Take_CPU_Sample(); }), Object_Missing);
    EXPECT_EQ(Error_Of([&] { sampler.CPU_Instance_Count(); }), Object_Missing);

    // Nothing was set up: the first good sample is still measured from zero.
    Sample(1000, {Second / 2, Second / 2});
    EXPECT_EQ(sampler.CPU_Instance_Count(), 2);
    EXPECT_GT(sampler.CPU_Instance_Usage(0), 0.999);
}

TEST_F(NT_Sampler, Missing_Counter_Fails_Every_Sample_After_Fixing_The_Count)
{
    Fake_Object processor = Processor({0, 0});
    processor.counters = {2, 4};
    Serve(0, {processor});
    EXPECT_EQ(Error_Of([&] { sampler.Take_CPU_Sample(); }), Counter_Missing);
    EXPECT_EQ(Error_Of([&] { sampler.Take_CPU_Sample(); }), Counter_Missing);
    EXPECT_EQ(sampler.CPU_Instance_Count(), 2); // set up, so no further sample is taken
    EXPECT_EQ(perf.offered_sizes.size(), 2u);
    EXPECT_EQ(sampler.CPU_Instance_Usage(1), 0.0); // no time has been read yet
}

TEST_F(NT_Sampler, Failed_Queries_Repeat_The_Last_Data)
{
    perf.failure = ERROR_FILE_NOT_FOUND;
    EXPECT_EQ(Error_Of([&] { sampler.Take_CPU_Sample(); }), Object_Missing); // the zero-filled buffer

    perf.failure = ERROR_SUCCESS;
    Sample(0, {0});
    Sample(1000, {Second / 4});
    perf.failure = ERROR_ACCESS_DENIED;
    sampler.Take_CPU_Sample();
    EXPECT_EQ(sampler.CPU_Instance_Usage(0), 0.0);

    // A time that cannot be converted counts as the same data again, and the
    // next sample measures across both intervals.
    perf.failure = ERROR_SUCCESS;
    perf.times_convert = false;
    Sample(2000, {Second / 2});
    EXPECT_EQ(sampler.CPU_Instance_Usage(0), 0.0);
    perf.times_convert = true;
    Sample(3000, {Second});
    EXPECT_EQ(sampler.CPU_Instance_Usage(0), 0.625);
}

TEST_F(NT_Sampler, A_Query_That_Never_Fits_Does_Not_Grow_Without_End)
{
    perf.failure = ERROR_MORE_DATA;
    EXPECT_EQ(Error_Of([&] { sampler.Take_CPU_Sample(); }), Object_Missing);
    EXPECT_EQ(sampler.Buffer_Size(), 16 * 1024 * 1024);
}

TEST_F(NT_Sampler, Object_Without_Instances_Reads_Zero)
{
    for (const std::int32_t declared : {0, PERF_NO_INSTANCES}) {
        CPU_Sampler sampler_for_it;
        Fake_Object object;
        object.declared_instances = declared;
        object.trailing_bytes = 16; // where an instance-less object keeps its one counter block
        Serve(0, {object});
        EXPECT_EQ(Current_CPU_Usage(sampler_for_it), 0);
        EXPECT_EQ(sampler_for_it.CPU_Instance_Count(), 0);
        EXPECT_EQ(Error_Of([&] { sampler_for_it.CPU_Instance_Usage(0); }), Out_Of_Bounds);
    }
}

TEST_F(NT_Sampler, Damaged_Instances_Fail_The_Sample_Without_Touching_The_Counters)
{
    // An instance count the data cannot hold must not size anything.
    Fake_Object boasting = Processor({0, 0});
    boasting.declared_instances = 0x7fffffff;
    Serve(0, {boasting});
    EXPECT_EQ(Error_Of([&] { sampler.Take_CPU_Sample(); }), Counter_Missing);

    Sample(0, {0, 0, 0});
    // A later block with fewer instances would be read past its object.
    Serve(1000, {Processor({Second, Second})});
    EXPECT_EQ(Error_Of([&] { sampler.Take_CPU_Sample(); }), Counter_Missing);
    Sample(2000, {Second, Second / 2, 0});
    EXPECT_EQ(sampler.CPU_Instance_Usage(0), 0.5);
    EXPECT_EQ(sampler.CPU_Instance_Usage(1), 0.75);

    // Nor read past the bytes of the answer, into the rest of a longer one
    // before it, when its object claims that longer length.
    const std::vector<std::uint8_t> longer = perf.data;
    Serve(3000, {Processor({2 * Second, 2 * Second})});
    platform::PERF_DATA_BLOCK block;
    std::memcpy(&block, perf.data.data(), sizeof block);
    std::memcpy(perf.data.data() + block.HeaderLength, longer.data() + block.HeaderLength, sizeof(std::uint32_t));
    EXPECT_EQ(Error_Of([&] { sampler.Take_CPU_Sample(); }), Counter_Missing);
}

TEST_F(NT_Sampler, Damaged_Blocks_Give_An_Error_Not_A_Crash)
{
    // Every byte of a block, damaged three ways, read by a fresh sampler and
    // by one with two good samples behind it (loads 0.5 and 0.75). A damaged
    // block either reads or raises one of the sampler's own errors; an error
    // leaves the readings of the samples before it as they were.
    Fake_Object other;
    other.title_index = 2;
    other.instances = {{0}};
    const std::vector<std::uint8_t> first = Build_Perf_Data(Fake_Time(0), {other, Processor({0, 0})});
    const std::vector<std::uint8_t> second =
        Build_Perf_Data(Fake_Time(1000), {other, Processor({Second / 2, Second / 4})});
    const std::vector<std::uint8_t> good = Build_Perf_Data(Fake_Time(2000), {other, Processor({Second, Second})});
    const auto known = [](const std::string& error) {
        return error == "(no error)" || error == Object_Missing || error == Counter_Missing;
    };
    int errors = 0;
    for (std::size_t at = 0; at < good.size(); ++at) {
        for (const std::uint8_t value : {std::uint8_t{0x00}, std::uint8_t{0x7f}, std::uint8_t{0xff}}) {
            std::vector<std::uint8_t> damaged = good;
            damaged[at] = value;

            perf.data = damaged;
            CPU_Sampler fresh;
            const std::string first_error = Error_Of([&] { fresh.Take_CPU_Sample(); });
            EXPECT_TRUE(known(first_error)) << "byte " << at << ": " << first_error;

            CPU_Sampler running;
            perf.data = first;
            running.Take_CPU_Sample();
            perf.data = second;
            running.Take_CPU_Sample();
            perf.data = damaged;
            const std::string error = Error_Of([&] { running.Take_CPU_Sample(); });
            EXPECT_TRUE(known(error)) << "byte " << at << ": " << error;
            if (error == "(no error)")
                continue;
            ++errors;
            EXPECT_EQ(running.CPU_Instance_Count(), 2) << "byte " << at;
            EXPECT_EQ(running.CPU_Instance_Usage(0), 0.5) << "byte " << at;
            EXPECT_EQ(running.CPU_Instance_Usage(1), 0.75) << "byte " << at;
        }
    }
    EXPECT_GT(errors, 0) << "no damage was noticed";
}

TEST(CPU_Sampler_Start_Up, Chooses_The_Method_From_The_Version)
{
    Fake_Version version;
    platform::Scoped_Service<platform::Version_Service> guard(version);
    CPU_Sampler sampler;

    version.succeeds = false;
    EXPECT_EQ(Error_Of([&] { sampler.Start_Up(); }), "Can't get the Windows version");

    version.succeeds = true;
    for (const auto& [id, nt] : {std::pair<std::uint32_t, bool>{VER_PLATFORM_WIN32_NT, true},
                                 {VER_PLATFORM_WIN32_WINDOWS, false}, {VER_PLATFORM_WIN32s, false}, {7, false}}) {
        version.platform_id = id;
        sampler.Start_Up();
        EXPECT_EQ(sampler.Is_NT_Family(), nt) << id;
        EXPECT_EQ(sampler.Buffer_Size(), 8192);
    }
}

} // namespace
