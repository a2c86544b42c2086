// The CPU gauges, the running average and the two resets.
#include "app/main_form.h"
#include "cpu/cpu_display.h"
#include "cpu/cpu_reading.h"
#include "cpu/cpu_sampler.h"
#include "fakes/fake_disk.h"
#include "fakes/fake_memory.h"
#include "fakes/fake_perf_data.h"
#include "fakes/fake_registry.h"
#include "fakes/monitor_controls.h"
#include "platform/error.h"
#include "widgets/gauge.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double Second = 1e7; // in 100-ns units

TEST(CPU_Reading, Mean_Is_Cut_Towards_Zero_And_Held_To_The_Gauge_Range)
{
    struct Case {
        double percent_sum;
        std::int32_t count;
        int reading;
    };
    const Case cases[] = {
        {25.0 + 75.0, 2, 50},
        {99.9 + 99.9, 2, 99}, // never rounded up to 100
        {73.9, 1, 73},
        {100.0 + 101.0, 2, 100},
        {250.0, 1, 100},
        {-0.5, 1, 0},
        {-40.0 + 20.0, 2, 0},
        {std::numeric_limits<double>::quiet_NaN(), 1, 0},
        {1e300, 1, 100},
        {50.0, 0, 0}, // no instances: no division by zero
        {50.0, -1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Mean_Whole_Percent(c.percent_sum, c.count), c.reading) << c.percent_sum << " / " << c.count;
}

TEST(CPU_Reading, Average_Is_The_Integer_Mean_Of_The_Readings)
{
    EXPECT_EQ(Average_CPU_Usage(100 + 0 + 0, 3), 33);
    EXPECT_EQ(Average_CPU_Usage(1 + 2, 2), 1);
    EXPECT_EQ(Average_CPU_Usage(50 + 51, 2), 50);
    EXPECT_EQ(Average_CPU_Usage(0, 0), 0);
}

// The CPU display, wired into a refresh tick, measuring loads the test chooses.
class CPU_Display : public ::testing::Test {
protected:
    CPU_Display()
    {
        Feed({});
        sampler.Take_CPU_Sample(); // later readings are measured from here
    }

    // One more second of the given loads, one per instance.
    void Feed(const std::vector<double>& loads)
    {
        if (idle.size() < loads.size())
            idle.resize(loads.size(), 0);
        for (std::size_t i = 0; i < loads.size(); ++i)
            idle[i] += std::llround((1.0 - loads[i]) * Second);
        Fake_Object processor;
        for (const std::int64_t value : idle)
            processor.instances.push_back({value});
        if (!loads.empty())
            milliseconds += 1000;
        perf.data = Build_Perf_Data(Fake_Time(milliseconds), {processor});
    }

    int Reading_Of(const std::vector<double>& loads)
    {
        Feed(loads);
        cpu.CPU_Step();
        return m.CPU_Gauge->Progress();
    }

    Fake_Perf_Data perf;
    platform::Scoped_Service<platform::Performance_Data_Service> perf_guard{perf};
    CPU_Sampler sampler;
    Scoped_CPU_Sampler sampler_guard{sampler};
    Monitor_Controls m;
    Cpu_Display& cpu = m.cpu;
    std::vector<std::int64_t> idle = std::vector<std::int64_t>(2, 0);
    int milliseconds = 0;
};

TEST_F(CPU_Display, Current_Reading_Is_The_Mean_Load_Cut_To_A_Whole_Percent)
{
    EXPECT_EQ(Reading_Of({0.25, 0.75}), 50);
    EXPECT_EQ(m.CPU_Gauge->ForeColor(), QColor(0, 255, 0));
    EXPECT_EQ(Reading_Of({0.999, 0.999}), 99);
    EXPECT_EQ(m.CPU_Gauge->ForeColor(), QColor(255, 0, 0));
    EXPECT_EQ(Reading_Of({0.875, 0.875}), 87);
    EXPECT_EQ(m.CPU_Gauge->ForeColor(), QColor(255, 255, 0));
    EXPECT_EQ(Reading_Of({1.6, 1.2}), 100);
    EXPECT_EQ(Reading_Of({-0.3, 0.1}), 0);
}

TEST_F(CPU_Display, Clamped_Readings_Feed_The_Integer_Average)
{
    for (const std::vector<double>& loads : {std::vector{1.7, 1.5}, std::vector{-0.4, -0.2}, std::vector{0.0, 0.0}}) {
        Reading_Of(loads);
        cpu.Average_Step();
    }
    EXPECT_EQ(cpu.CPU_Usage_Total(), 100);
    EXPECT_EQ(cpu.CPU_Usage_Samples(), 3);
    EXPECT_EQ(m.Avg_CPU_Gauge->Progress(), 33);

    cpu.Reset_Average_OptionClick();
    EXPECT_EQ(m.Avg_CPU_Gauge->Progress(), 33); // kept until the next tick
    for (const double load : {1.0 / 64, 3.0 / 128}) { // readings 1 and 2
        Reading_Of({load, load});
        cpu.Average_Step();
    }
    EXPECT_EQ(m.Avg_CPU_Gauge->Progress(), 1);
}

TEST_F(CPU_Display, A_Reset_Between_The_Steps_Makes_This_Reading_The_First)
{
    for (int tick = 0; tick < 3; ++tick) {
        Reading_Of({0.2, 0.2});
        cpu.Average_Step();
    }
    Reading_Of({0.9, 0.95});
    cpu.Reset_Average_OptionClick();
    cpu.Average_Step();
    EXPECT_EQ(cpu.CPU_Usage_Samples(), 1);
    EXPECT_EQ(m.Avg_CPU_Gauge->Progress(), 92);
    EXPECT_EQ(m.Avg_CPU_Gauge->ForeColor(), QColor(255, 255, 0));
}

TEST_F(CPU_Display, A_Sampler_Error_Ends_The_Tick_Before_The_Gauges_Change)
{
    m.memory.status.ullTotalPhys = 8ull << 30;
    m.memory.status.ullAvailPhys = 2ull << 30;
    Feed({0.375, 0.625});
    m.tick.Timer1Timer();
    ASSERT_EQ(m.CPU_Gauge->Progress(), 50);
    ASSERT_EQ(m.Avg_CPU_Gauge->Progress(), 50);
    ASSERT_EQ(m.alarm.CPU_Drop_Previous_Usage(), 50);

    Fake_Object other;
    other.title_index = 4;
    perf.data = Build_Perf_Data(Fake_Time(milliseconds + 1000), {other});
    try {
        m.tick.Timer1Timer();
        ADD_FAILURE() << "the tick went through";
    } catch (const Program_Error& error) {
        EXPECT_STREQ(error.what(), "Unable to locate the \"Processor\" performance object");
    }
    EXPECT_EQ(m.CPU_Gauge->Progress(), 50);
    EXPECT_EQ(m.Avg_CPU_Gauge->Progress(), 50);
    EXPECT_EQ(cpu.CPU_Usage_Samples(), 1);
    EXPECT_EQ(m.alarm.CPU_Drop_Previous_Usage(), 50);

    Feed({0.75, 0.75}); // the next tick runs whole again
    m.tick.Timer1Timer();
    EXPECT_EQ(m.CPU_Gauge->Progress(), 75);
    EXPECT_EQ(m.alarm.CPU_Drop_Previous_Usage(), 75);
}

TEST_F(CPU_Display, Reset_CPU_Monitoring_Pauses_The_Tick_Once_And_Restarts_The_Statistics)
{
    Fake_Version version;
    version.platform_id = VER_PLATFORM_WIN32_WINDOWS;
    Fake_Registry registry;
    for (const char* key : {"PerfStats\\StartStat", "PerfStats\\StatData", "PerfStats\\StopStat"})
        registry.Set_DWORD(HKEY_DYN_DATA, key, "KERNEL\\CPUUsage", 64);
    platform::Scoped_Service<platform::Version_Service> version_guard(version);
    platform::Scoped_Service<platform::Registry_Service> registry_guard(registry);
    CPU_Sampler sampler_9x;
    sampler_9x.Start_Up();
    Scoped_CPU_Sampler guard_9x(sampler_9x);

    cpu.CPU_Step();
    EXPECT_EQ(m.CPU_Gauge->Progress(), 64);
    cpu.Average_Step();
    m.Timer1->start();

    cpu.Reset_CPU_Monitoring_OptionClick();
    EXPECT_FALSE(m.Timer1->isActive());
    EXPECT_FALSE(sampler_9x.Statistics_Started());
    EXPECT_EQ(registry.Open_Handles(), 0u);
    ASSERT_TRUE(m.Reset_CPU_Monitoring_Timer->isActive());
    EXPECT_EQ(m.Reset_CPU_Monitoring_Timer->interval(), 1000);

    // Chosen again while pending: the wait is not started over.
    const int remaining = m.Reset_CPU_Monitoring_Timer->remainingTime();
    QThread::msleep(20);
    cpu.Reset_CPU_Monitoring_OptionClick();
    EXPECT_LT(m.Reset_CPU_Monitoring_Timer->remainingTime(), remaining);
    EXPECT_EQ(cpu.CPU_Usage_Samples(), 1); // the average is cleared only when the wait ends

    cpu.Reset_CPU_Monitoring_TimerTimer();
    EXPECT_EQ(cpu.CPU_Usage_Total(), 0);
    EXPECT_EQ(cpu.CPU_Usage_Samples(), 0);
    EXPECT_TRUE(m.Timer1->isActive());
    EXPECT_FALSE(m.Reset_CPU_Monitoring_Timer->isActive());

    // The next sample starts the statistics afresh.
    registry.log.clear();
    cpu.CPU_Step();
    EXPECT_EQ(registry.log.front(), "open PerfStats\\StartStat");
    m.Timer1->stop();
}

TEST_F(CPU_Display, Completion_Leaves_A_Running_Tick_Timer_In_Its_Rhythm)
{
    m.Timer1->start();
    const int remaining = m.Timer1->remainingTime();
    QThread::msleep(20);
    cpu.Reset_CPU_Monitoring_TimerTimer();
    EXPECT_LT(m.Timer1->remainingTime(), remaining);
    m.Timer1->stop();
}

TEST(CPU_Display_Start, The_Reset_Timer_Fires_Once_About_A_Second_After_Creation)
{
    Fake_Perf_Data perf;
    perf.data = Build_Perf_Data(Fake_Time(0), {Fake_Object{}});
    Fake_Memory memory;
    Fake_Disk disk;
    platform::Scoped_Service<platform::Performance_Data_Service> perf_guard(perf);
    platform::Scoped_Service<platform::Memory_Service> memory_guard(memory);
    platform::Scoped_Service<platform::Disk_Service> disk_guard(disk);
    CPU_Sampler sampler;
    Scoped_CPU_Sampler sampler_guard(sampler);

    TMainForm1 form;
    ASSERT_TRUE(form.Reset_CPU_Monitoring_Timer->isActive());
    EXPECT_EQ(form.Reset_CPU_Monitoring_Timer->interval(), 1000);
    form.CPU_Display->CPU_Step(); // a reading of the first second
    form.CPU_Display->Average_Step();
    ASSERT_EQ(form.CPU_Display->CPU_Usage_Samples(), 1);

    QElapsedTimer waited;
    waited.start();
    while (form.Reset_CPU_Monitoring_Timer->isActive() && waited.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_FALSE(form.Reset_CPU_Monitoring_Timer->isActive());
    EXPECT_GE(waited.elapsed(), 900);
    EXPECT_EQ(form.CPU_Display->CPU_Usage_Total(), 0);
    EXPECT_EQ(form.CPU_Display->CPU_Usage_Samples(), 0);
    EXPECT_TRUE(form.Timer1->isActive());
    form.Timer1->stop();
}

} // namespace
