// The drop alarm's share of every refresh tick.
#include "alarm/cpu_drop_form.h"
#include "alarm/drop_alarm.h"
#include "alarm/drop_detector.h"
#include "app/main_form.h"
#include "widgets/gauge.h"

#include <QAction>
#include <QRadioButton>
#include <QTimer>
#include <benchmark/benchmark.h>

static void Drop_Alarm_Rule(benchmark::State& state)
{
    Drop_Alarm_State alarm{false, 100, 0};
    double now = 46000.5;
    int reading = 0;
    for (auto _ : state) {
        now += 0.5 / 86400;
        reading = (reading + 7) % 101;
        benchmark::DoNotOptimize(Drop_Alarm_Check(alarm, reading, 50, 500, now));
        alarm.previous_usage = reading;
    }
}
BENCHMARK(Drop_Alarm_Rule);

// The detector step of the window, disarmed (the usual case) and armed
// without firing, on the live clock.
static void Check_CPU_Drop_Alarm_Step(benchmark::State& state)
{
    TMainForm1 form;
    TCPU_Drop_Form drop;
    form.Attach_Windows(nullptr, &drop, nullptr, nullptr);
    form.Trailcount_Timer->stop();
    form.Reset_CPU_Monitoring_Timer->stop();
    const bool armed = state.range(0) != 0;
    form.Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option->setChecked(armed);
    form.CPU_Drop_RadioButton->setVisible(armed);
    int reading = 0;
    for (auto _ : state) {
        reading = reading == 80 ? 90 : 80; // never below the threshold: never fires
        form.CPU_Gauge->Set_Progress(reading);
        form.CPU_Drop_Alarm->Check_CPU_Drop_Alarm();
    }
}
BENCHMARK(Check_CPU_Drop_Alarm_Step)->Arg(0)->Arg(1);
