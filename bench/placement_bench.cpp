// The placement pass that runs every 500 ms for the program's whole life:
// on a window already where it belongs it should cost next to nothing.
#include "app/main_form.h"
#include "app/windows.h"
#include "platform/input.h"

#include <QAction>
#include <benchmark/benchmark.h>

namespace {

class Bench_Screen final : public platform::Input_Service {
public:
    platform::Pointer_State Query_Pointer() override { return {}; }
    std::int32_t Get_System_Metrics(int index) override
    {
        return index == SM_CXSCREEN ? 1280 : index == SM_CYSCREEN ? 800 : 0;
    }
};

} // namespace

static void Placement_Pass_On_A_Settled_Window(benchmark::State& state)
{
    Bench_Screen screen;
    platform::Scoped_Service<platform::Input_Service> guard(screen);
    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    form.show(); // the start-up sequence snaps the window to its corner
    form.Keep_Program_Inside_the_Screen_Bounds_Option->setChecked(true);
    for (auto _ : state)
        form.Placement->Program_Size_TimerTimer();
}
BENCHMARK(Placement_Pass_On_A_Settled_Window);
