#include "metrics/refresh_tick.h"

#include "alarm/drop_alarm.h"
#include "cpu/cpu_display.h"
#include "metrics/disk_figures.h"
#include "metrics/drive_combo_box.h"
#include "metrics/memory_figures.h"
#include "platform/window_system.h"
#include "widgets/gauge.h"
#include "widgets/usage_colour.h"

#include <QCoreApplication>
#include <QLabel>

#include <chrono>

QString Next_Spinner_Text(const QString& text)
{
    if (text == QLatin1String("|"))
        return QStringLiteral("/");
    if (text == QLatin1String("/"))
        return QStringLiteral("-");
    if (text == QLatin1String("-"))
        return QStringLiteral("\\");
    return QStringLiteral("|");
}

namespace {

// Between its steps the tick gives the event loop a pass, so that a slow
// step (a drive that must spin up, a sluggish performance query) does not
// hold up the user's input, the window system's paints and the timers. A
// quick tick gives none: what waits runs in the loop a moment later, and a
// pass is not free (under Wine, several round trips to its server). Nor
// does a pass wait on the repaints the tick asked for itself: they are
// made once, at its end.
class Event_Passes {
public:
    static constexpr std::chrono::milliseconds Quick_Enough{20};

    void Between_Steps()
    {
        if (std::chrono::steady_clock::now() - since_ < Quick_Enough)
            return;
        if (platform::Input_Waiting())
            QCoreApplication::processEvents();
        since_ = std::chrono::steady_clock::now();
    }

private:
    std::chrono::steady_clock::time_point since_ = std::chrono::steady_clock::now();
};

// A tick that lets events run part-way must not start another inside itself.
class Tick_Guard {
public:
    explicit Tick_Guard(bool& running) : running_(running), entered_(!running) { running_ = true; }
    ~Tick_Guard()
    {
        if (entered_)
            running_ = false;
    }
    Tick_Guard(const Tick_Guard&) = delete;
    Tick_Guard& operator=(const Tick_Guard&) = delete;
    bool Entered() const { return entered_; }

private:
    bool& running_;
    bool entered_;
};

} // namespace

Refresh_Tick::Refresh_Tick(const Controls& controls, Cpu_Display& cpu, Drop_Alarm& alarm)
    : controls_(controls), cpu_(cpu), alarm_(alarm)
{
}

void Refresh_Tick::Timer1Timer()
{
    const Controls& c = controls_;
    Tick_Guard guard(running_);
    if (!guard.Entered())
        return;
    Event_Passes passes;

    // One reading of the memory status gives every memory figure of the tick.
    const platform::MEMORYSTATUSEX memory = Memory_Status();
    const std::uint64_t total_ram = Total_RAM_KB(memory);
    const std::uint64_t free_ram = Free_RAM_KB(memory);
    c.Phisical_RAM_Gauge->Set_MaxValue(Gauge_Value(total_ram));                                // 1
    c.Phisical_RAM_Gauge->Set_Progress(Gauge_Value(static_cast<long double>(total_ram)
                                                 - static_cast<long double>(free_ram)));
    ram_figures_.Show(                                                                // 2
        *c.RAM_Label, [&] { return KB_Text(free_ram) + QStringLiteral(" / ") + KB_Text(total_ram); }, free_ram,
        total_ram);
    const double total_swap = Total_Swap_KB(memory);
    const double free_swap = Free_Swap_KB(memory);
    c.Swap_File_Gauge->Set_MaxValue(Gauge_Value(total_swap));                                 // 3
    c.Swap_File_Gauge->Set_Progress(Gauge_Value(total_swap - free_swap));
    passes.Between_Steps();                                                                    // 4
    swap_figures_.Show(                                                               // 5
        *c.SWAP_Label, [&] { return KB_Text(free_swap) + QStringLiteral(" / ") + KB_Text(total_swap); }, free_swap,
        total_swap);
    c.Spinner_Label->setText(Next_Spinner_Text(c.Spinner_Label->text()));                      // 6
    passes.Between_Steps();                                                                    // 7

    // One query of the drive gives its text and its percentage.
    const Disk_Space disk = Disk_Space_Of(Drive_Number(QString(c.DriveComboBox1->Drive()))); // 8
    disk_figures_.Show(*c.Disk_Space_Label, [&] { return Disk_Space_Text(disk); }, Disk_Free_KB(disk),
                                  Disk_Total_KB(disk));
    // Also after a change of font or layout, not only of text; the label
    // keeps its size hint, so an unchanged one costs nothing.
    c.Disk_Space_Label->adjustSize();
    c.Disk_Used_Gauge->Set_Progress(100 - Disk_Free_Percent(disk));
    Set_Usage_Colour(*c.Disk_Used_Gauge);
    passes.Between_Steps();                                                                    // 9

    cpu_.CPU_Step();                                                                            // 10
    passes.Between_Steps();                                                                    // 11
    cpu_.Average_Step();                                                                        // 12
    passes.Between_Steps();                                                                    // 13
    alarm_.Check_CPU_Drop_Alarm();                                                                // 14
    passes.Between_Steps();                                                                    // 15
}
