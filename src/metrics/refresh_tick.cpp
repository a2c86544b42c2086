// The refresh tick: every figure of the monitor changes here, twice a second.
#include "metrics/refresh_tick.h"

#include "app/main_form.h"
#include "metrics/disk_figures.h"
#include "metrics/drive_combo_box.h"
#include "metrics/memory_figures.h"
#include "widgets/gauge.h"

#include <QCoreApplication>
#include <QLabel>

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

void Set_Usage_Colour(TGauge& gauge)
{
    const int value = gauge.Progress();
    if (value > 95)
        gauge.Set_ForeColor(QColor(255, 0, 0));
    else if (value >= 85)
        gauge.Set_ForeColor(QColor(255, 255, 0));
    else
        gauge.Set_ForeColor(QColor(0, 255, 0));
}

namespace {

void Process_Events()
{
    QCoreApplication::processEvents();
}

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

void TMainForm1::Timer1Timer()
{
    Tick_Guard guard(tick_running_);
    if (!guard.Entered())
        return;

    Phisical_RAM_Gauge->Set_MaxValue(Gauge_Value(Total_RAM_KB()));                          // 1
    Phisical_RAM_Gauge->Set_Progress(Gauge_Value(static_cast<long double>(Total_RAM_KB())
                                                 - static_cast<long double>(Free_RAM_KB())));
    RAM_Label->setText(KB_Text(Free_RAM_KB()) + QStringLiteral(" / ") + KB_Text(Total_RAM_KB())); // 2
    Swap_File_Gauge->Set_MaxValue(Gauge_Value(Total_Swap_KB()));                            // 3
    Swap_File_Gauge->Set_Progress(Gauge_Value(Total_Swap_KB() - Free_Swap_KB()));
    Process_Events();                                                                      // 4
    SWAP_Label->setText(KB_Text(Free_Swap_KB()) + QStringLiteral(" / ") + KB_Text(Total_Swap_KB())); // 5
    Spinner_Label->setText(Next_Spinner_Text(Spinner_Label->text()));                      // 6
    Process_Events();                                                                      // 7

    const int drive = Drive_Number(QString(DriveComboBox1->Drive()));                      // 8
    Disk_Space_Label->setText(Disk_Space_Text(drive));
    Disk_Space_Label->adjustSize();
    Disk_Used_Gauge->Set_Progress(100 - Disk_Free_Percent(drive));
    Set_Usage_Colour(*Disk_Used_Gauge);
    Process_Events();                                                                      // 9

    CPU_Step();                                                                            // 10
    Process_Events();                                                                      // 11
    Average_Step();                                                                        // 12
    Process_Events();                                                                      // 13
    Check_CPU_Drop_Alarm();                                                                // 14
    Process_Events();                                                                      // 15
}
