// The memory and disk figures one refresh tick reads.
#include "metrics/disk_figures.h"
#include "metrics/memory_figures.h"

#include <benchmark/benchmark.h>

static void Memory_Figures_Of_One_Tick(benchmark::State& state)
{
    for (auto _ : state) {
        const platform::MEMORYSTATUSEX status = Memory_Status();
        benchmark::DoNotOptimize(Total_RAM_KB(status) + Free_RAM_KB(status));
        benchmark::DoNotOptimize(KB_Text(Free_RAM_KB(status)) + KB_Text(Total_RAM_KB(status)));
        benchmark::DoNotOptimize(Total_Swap_KB(status) - Free_Swap_KB(status));
        benchmark::DoNotOptimize(KB_Text(Free_Swap_KB(status)) + KB_Text(Total_Swap_KB(status)));
    }
}
BENCHMARK(Memory_Figures_Of_One_Tick);

static void Disk_Figures_Of_One_Tick(benchmark::State& state)
{
    for (auto _ : state) {
        const Disk_Space space = Disk_Space_Of(3);
        benchmark::DoNotOptimize(Disk_Space_Text(space));
        benchmark::DoNotOptimize(Disk_Free_Percent(space));
    }
}
BENCHMARK(Disk_Figures_Of_One_Tick);
