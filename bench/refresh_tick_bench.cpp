// One whole refresh tick on the shown main window (offscreen), reading the
// machine's real /proc files and drive, with the repaints it asks for: what
// the monitor pays twice a second for as long as it runs.
#include "app/main_form.h"
#include "app/windows.h"
#include "metrics/refresh_tick.h"

#include <QCoreApplication>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

void Whole_Refresh_Tick(benchmark::State& state)
{
    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    form.show();
    for (QTimer* timer : {form.Timer1, form.Program_Size_Timer, form.Reset_CPU_Monitoring_Timer, form.Trailcount_Timer})
        timer->stop();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        form.Refresh->Timer1Timer();
        QCoreApplication::processEvents();
    }
}

} // namespace

BENCHMARK(Whole_Refresh_Tick)->Unit(benchmark::kMicrosecond);
