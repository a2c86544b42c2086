// The memory and disk figures one refresh tick reads.
#include "metrics/disk_figures.h"
#include "metrics/memory_figures.h"

#include <benchmark/benchmark.h>

static void Memory_Figures_Of_One_Tick(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(Total_RAM_KB() + Free_RAM_KB());
        benchmark::DoNotOptimize(KB_Text(Free_RAM_KB()) + KB_Text(Total_RAM_KB()));
        benchmark::DoNotOptimize(Total_Swap_KB() - Free_Swap_KB());
        benchmark::DoNotOptimize(KB_Text(Free_Swap_KB()) + KB_Text(Total_Swap_KB()));
    }
}
BENCHMARK(Memory_Figures_Of_One_Tick);

static void Disk_Figures_Of_One_Tick(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(Disk_Space_Text(3));
        benchmark::DoNotOptimize(Disk_Free_Percent(3));
    }
}
BENCHMARK(Disk_Figures_Of_One_Tick);
