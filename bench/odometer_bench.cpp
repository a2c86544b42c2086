// The odometer tick's own work, a hundred times a second for the program's
// whole life: one pointer query, the step, the label, the buttons; and what
// painting the distance label costs with and without the repaint limit.
#include "app/main_form.h"
#include "app/windows.h"
#include "odometer/distance_label.h"
#include "odometer/odometer_sampling.h"
#include "platform/input.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

// A pointer that answers at once, so that only the program's own work is timed.
class Bench_Pointer final : public platform::Input_Service {
public:
    bool moving = true;
    platform::Pointer_State Query_Pointer() override
    {
        if (moving)
            state_.x = (state_.x + 7) % 1000;
        return state_;
    }
    std::int32_t Get_System_Metrics(int index) override { return index == SM_CXSCREEN ? 1024 : 768; }

private:
    platform::Pointer_State state_;
};

// The main window shown (on the offscreen platform) with the odometer panel
// inside it, and no timer running but what the benchmark drives.
void Tick(benchmark::State& state, bool moving)
{
    Bench_Pointer pointer;
    pointer.moving = moving;
    platform::Scoped_Service<platform::Input_Service> guard(pointer);
    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    form.show();
    form.Odometer.Show_Trailcount_OptionClick();
    for (QTimer* timer : {form.Timer1, form.Program_Size_Timer, form.Reset_CPU_Monitoring_Timer, form.Trailcount_Timer})
        timer->stop();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        form.Odometer.Trailcount_TimerTimer();
        // What the tick asked of the event loop (repaints, layout) is part of its cost.
        QCoreApplication::processEvents();
    }
}

QLabel* Shown_Distance_Label(QWidget& window)
{
    auto* label = new QLabel(&window);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(24);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(8, 16, 177, 27);
    window.resize(201, 60);
    window.show();
    QCoreApplication::processEvents();
    return label;
}

} // namespace

static void Odometer_Tick_Cursor_At_Rest(benchmark::State& state)
{
    Tick(state, false);
}
BENCHMARK(Odometer_Tick_Cursor_At_Rest);

static void Odometer_Tick_Cursor_Moving(benchmark::State& state)
{
    Tick(state, true);
}
BENCHMARK(Odometer_Tick_Cursor_Moving);

// One tick's label work when every changed text is painted at once.
static void Distance_Label_Painted_At_Every_Change(benchmark::State& state)
{
    QWidget window;
    QLabel* label = Shown_Distance_Label(window);
    double distance = 0;
    for (auto _ : state) {
        distance += 0.00000113;
        label->setText(Format_Distance(distance));
        QCoreApplication::processEvents();
    }
}
BENCHMARK(Distance_Label_Painted_At_Every_Change);

// The same with the label painted at most every 40 ms of 10 ms ticks.
static void Distance_Label_Painted_At_Most_25_Times_A_Second(benchmark::State& state)
{
    QWidget window;
    QLabel* label = Shown_Distance_Label(window);
    Distance_Label_Writer writer;
    double distance = 0;
    std::int64_t now_ms = 0;
    for (auto _ : state) {
        distance += 0.00000113;
        writer.Write(*label, distance, now_ms += 10);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(Distance_Label_Painted_At_Most_25_Times_A_Second);
