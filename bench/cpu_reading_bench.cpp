// The CPU step of one refresh tick, and (when VISTREL_CPU_READING_CHECK is
// set) the reading check that bench/cpu_reading_check.sh drives: the CPU
// gauge's figure against one computed independently from /proc/stat.
#include "app/main_form.h"
#include "cpu/cpu_display.h"
#include "cpu/cpu_reading.h"
#include "cpu/cpu_sampler.h"
#include "platform/perf_walk.h"
#include "widgets/gauge.h"

#include <QThread>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// Sampling, walking and averaging the machine's real performance data, as
// step 10 of every tick does.
void CPU_Step_Of_One_Tick(benchmark::State& state)
{
    CPU_Sampler sampler;
    for (auto _ : state)
        benchmark::DoNotOptimize(Current_CPU_Usage(sampler));
    state.counters["instances"] = sampler.CPU_Instance_Count();
}
BENCHMARK(CPU_Step_Of_One_Tick);

// ---- The reading check.

struct Jiffies {
    double idle = 0;  // idle + iowait
    double total = 0; // user nice system idle iowait irq softirq steal
};

Jiffies Read_Aggregate_Line()
{
    std::ifstream stat("/proc/stat");
    std::string line;
    std::getline(stat, line);
    std::istringstream fields(line.substr(3));
    Jiffies jiffies;
    double value = 0;
    for (int field = 0; field < 8 && fields >> value; ++field) {
        jiffies.total += value;
        if (field == 3 || field == 4)
            jiffies.idle += value;
    }
    return jiffies;
}

// The sampler's mean load in percent for its last sample, before the CPU
// step cuts it to the gauge's whole percent.
double Sampler_Mean_Percent(CPU_Sampler& sampler)
{
    const std::int32_t count = sampler.CPU_Instance_Count();
    double sum = 0;
    for (std::int32_t i = 0; i < count; ++i)
        sum += sampler.CPU_Instance_Usage(i) * 100;
    return count > 0 ? sum / count : 0;
}

// Every interval the gauge is set by the real CPU step and /proc/stat is
// read at the same moment, so both figures cover the same stretch of time.
void CPU_Reading_Check(benchmark::State& state)
{
    const int intervals = std::max(1, std::atoi(std::getenv("VISTREL_CPU_READING_CHECK")));
    const int interval_ms = 1000;
    CPU_Sampler sampler;
    Scoped_CPU_Sampler guard(sampler);
    TMainForm1 form;
    form.Reset_CPU_Monitoring_Timer->stop();

    double gauge_sum = 0;
    double sampler_sum = 0;
    double independent_sum = 0;
    double worst = 0;
    for (auto _ : state) {
        Jiffies before = Read_Aggregate_Line();
        form.CPU_Display->CPU_Step();
        for (int n = 1; n <= intervals; ++n) {
            QThread::msleep(interval_ms);
            const Jiffies after = Read_Aggregate_Line();
            form.CPU_Display->CPU_Step();
            const double total = after.total - before.total;
            const double independent = total > 0 ? 100.0 * (1.0 - (after.idle - before.idle) / total) : 0;
            const int gauge = form.CPU_Gauge->Progress();
            const double mean = Sampler_Mean_Percent(sampler);
            std::fprintf(stderr, "interval %d: gauge %d, sampler %.2f, /proc/stat %.2f, difference %+.2f\n", n,
                         gauge, mean, independent, mean - independent);
            gauge_sum += gauge;
            sampler_sum += mean;
            independent_sum += independent;
            worst = std::max(worst, std::fabs(mean - independent));
            before = after;
        }
    }
    std::fprintf(stderr, "mean: gauge %.1f, sampler %.2f, /proc/stat %.2f, largest difference %.2f\n",
                 gauge_sum / intervals, sampler_sum / intervals, independent_sum / intervals, worst);
    state.counters["gauge"] = gauge_sum / intervals;
    state.counters["proc_stat"] = independent_sum / intervals;
    state.counters["largest_difference"] = worst;
}

const bool check_registered = [] {
    if (std::getenv("VISTREL_CPU_READING_CHECK"))
        benchmark::RegisterBenchmark("CPU_Reading_Check", CPU_Reading_Check)->Iterations(1)->Unit(benchmark::kSecond);
    return true;
}();

} // namespace
