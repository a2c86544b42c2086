// The older family's sampler on an in-memory registry.
#include "platform/error.h"
#include "cpu/cpu_sampler.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_registry.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;
const std::string Start_Key = "PerfStats\\StartStat";
const std::string Data_Key = "PerfStats\\StatData";
const std::string Stop_Key = "PerfStats\\StopStat";
const std::string Usage_Value = "KERNEL\\CPUUsage";

class Sampler_9x : public ::testing::Test {
protected:
    Sampler_9x()
    {
        version.platform_id = VER_PLATFORM_WIN32_WINDOWS;
        registry.Set_DWORD(HKEY_DYN_DATA, Start_Key, Usage_Value, 0);
        registry.Set_DWORD(HKEY_DYN_DATA, Data_Key, Usage_Value, 37);
        registry.Set_DWORD(HKEY_DYN_DATA, Stop_Key, Usage_Value, 0);
        sampler.Start_Up();
    }

    std::string Error_Of_Sample()
    {
        try {
            sampler.Take_CPU_Sample();
        } catch (const Program_Error& error) {
            return error.what();
        }
        return "(no error)";
    }

    Fake_Version version;
    Fake_Registry registry;
    platform::Scoped_Service<platform::Version_Service> version_guard{version};
    platform::Scoped_Service<platform::Registry_Service> registry_guard{registry};
    CPU_Sampler sampler;
};

TEST_F(Sampler_9x, Starts_The_Statistics_Once_Then_Reads_The_Kernel_Percentage)
{
    EXPECT_FALSE(sampler.Is_NT_Family());
    EXPECT_EQ(sampler.CPU_Instance_Count(), 1);
    EXPECT_TRUE(registry.log.empty());

    sampler.Take_CPU_Sample();
    EXPECT_EQ(registry.log, (Log{"open " + Start_Key, "read " + Usage_Value, "close " + Start_Key,
                                 "open " + Data_Key, "read " + Usage_Value}));
    EXPECT_TRUE(sampler.Statistics_Started());
    EXPECT_DOUBLE_EQ(sampler.CPU_Instance_Usage(0), 0.37);

    registry.log.clear();
    registry.Set_DWORD(HKEY_DYN_DATA, Data_Key, Usage_Value, 100);
    sampler.Take_CPU_Sample();
    EXPECT_EQ(registry.log, (Log{"read " + Usage_Value}));
    EXPECT_DOUBLE_EQ(sampler.CPU_Instance_Usage(0), 1.0);
    EXPECT_EQ(registry.Open_Handles(), 1u); // the data key, kept open

    for (const std::int32_t outside : {1, -1}) {
        try {
            sampler.CPU_Instance_Usage(outside);
            ADD_FAILURE() << "index " << outside << " gave a load";
        } catch (const Program_Error& error) {
            EXPECT_STREQ(error.what(), "CPU index out of bounds") << outside;
        }
    }
}

TEST_F(Sampler_9x, A_Usage_Request_Before_Any_Sample_Starts_The_Statistics)
{
    EXPECT_DOUBLE_EQ(sampler.CPU_Instance_Usage(0), 0.37);
    EXPECT_TRUE(sampler.Statistics_Started());
}

TEST_F(Sampler_9x, Failed_Opens_Leave_The_Statistics_Stopped_And_Are_Retried)
{
    registry.failing_opens = {Start_Key};
    EXPECT_EQ(Error_Of_Sample(), "Unable to start performance monitoring");
    EXPECT_FALSE(sampler.Statistics_Started());

    registry.failing_opens = {Data_Key};
    registry.log.clear();
    EXPECT_EQ(Error_Of_Sample(), "Unable to read performance data");
    EXPECT_FALSE(sampler.Statistics_Started());
    EXPECT_EQ(registry.Open_Handles(), 0u); // the start key was read and closed

    registry.failing_opens.clear();
    registry.log.clear();
    sampler.Take_CPU_Sample();
    EXPECT_EQ(registry.log.front(), "open " + Start_Key); // again from the start key
    EXPECT_TRUE(sampler.Statistics_Started());
}

TEST_F(Sampler_9x, Stop_Closes_The_Data_Key_And_The_Next_Sample_Starts_Again)
{
    sampler.Take_CPU_Sample();
    registry.log.clear();
    sampler.Stop_CPU_Statistics();
    EXPECT_EQ(registry.log, (Log{"close " + Data_Key, "open " + Stop_Key, "read " + Usage_Value, "close " + Stop_Key}));
    EXPECT_FALSE(sampler.Statistics_Started());
    EXPECT_EQ(registry.Open_Handles(), 0u);

    registry.log.clear();
    sampler.Stop_CPU_Statistics(); // a second stop has nothing to do
    EXPECT_TRUE(registry.log.empty());

    sampler.Take_CPU_Sample();
    EXPECT_EQ(registry.log.front(), "open " + Start_Key);
    EXPECT_TRUE(sampler.Statistics_Started());

    // A stop key that cannot be opened still leaves the statistics stopped.
    registry.failing_opens = {Stop_Key};
    sampler.Stop_CPU_Statistics();
    EXPECT_FALSE(sampler.Statistics_Started());
    EXPECT_EQ(registry.Open_Handles(), 0u);

    sampler.Take_CPU_Sample();
    sampler.Shut_Down();
    EXPECT_FALSE(sampler.Statistics_Started());
}

TEST(Sampler_NT_Family, Stop_Never_Touches_The_Registry)
{
    Fake_Version version;
    Fake_Registry registry;
    platform::Scoped_Service<platform::Version_Service> version_guard(version);
    platform::Scoped_Service<platform::Registry_Service> registry_guard(registry);
    CPU_Sampler sampler;
    sampler.Start_Up();
    sampler.Stop_CPU_Statistics();
    sampler.Shut_Down();
    EXPECT_TRUE(registry.log.empty());
}

} // namespace
