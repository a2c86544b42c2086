// One repaint of the main window's gauges: a CPU bar and a memory pie.
#include "widgets/gauge.h"

#include <benchmark/benchmark.h>

#include <QFont>

namespace {

void Repaint(benchmark::State& state, TGauge::TGaugeKind kind, QSize size, int pixel_size, bool bold)
{
    TGauge gauge;
    gauge.Set_Kind(kind);
    gauge.resize(size);
    gauge.Set_ForeColor(QColor(255, 0, 0));
    gauge.Set_BackColor(QColor(0, 255, 0));
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(pixel_size);
    font.setBold(bold);
    gauge.setFont(font);
    int percent = 0;
    for (auto _ : state) {
        // A new whole percentage every time, so every round paints afresh.
        percent = percent == 99 ? 1 : percent + 1;
        gauge.Set_Progress(percent);
        benchmark::DoNotOptimize(gauge.Render().constBits());
    }
}

} // namespace

static void Gauge_Repaint_CPU_Bar(benchmark::State& state)
{
    Repaint(state, TGauge::gkHorizontalBar, QSize(140, 20), 17, false);
}
BENCHMARK(Gauge_Repaint_CPU_Bar);

static void Gauge_Repaint_Memory_Pie(benchmark::State& state)
{
    Repaint(state, TGauge::gkPie, QSize(89, 29), 21, true);
}
BENCHMARK(Gauge_Repaint_Memory_Pie);
