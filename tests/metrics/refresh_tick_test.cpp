#include "common/number_format.h"
#include "cpu/cpu_sampler.h"
#include "fakes/fake_perf_data.h"
#include "fakes/faked_windows.h"
#include "fakes/monitor_controls.h"
#include "cpu/cpu_display.h"
#include "metrics/drive_combo_box.h"
#include "metrics/refresh_tick.h"
#include "widgets/gauge.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>
#include <chrono>
#include <map>
#include <thread>
#include <vector>

TEST(Refresh_Tick, Spinner_Turns_Through_Four_Characters)
{
    QString text = QStringLiteral("|");
    QStringList seen;
    for (int i = 0; i < 4; ++i) {
        text = Next_Spinner_Text(text);
        seen << text;
    }
    EXPECT_EQ(seen.join(QString()), QStringLiteral("/-\\|"));
    EXPECT_EQ(Next_Spinner_Text(QString()), QStringLiteral("|"));
    EXPECT_EQ(Next_Spinner_Text(QStringLiteral("x")), QStringLiteral("|"));
    EXPECT_EQ(Next_Spinner_Text(QStringLiteral("||")), QStringLiteral("|"));
}

TEST(Refresh_Tick, The_First_Tick_Fills_Every_Figure)
{
    Monitor_Controls form;
    const Format_Settings saved = Program_Format();
    Program_Format() = {QLatin1Char('.'), QLatin1Char(',')};
    form.tick.Timer1Timer();
    EXPECT_EQ(form.Phisical_RAM_Gauge->MaxValue(), 8388608);
    EXPECT_EQ(form.Phisical_RAM_Gauge->Progress(), 2097152);
    EXPECT_EQ(form.Phisical_RAM_Gauge->ShownPercent(), 25);
    EXPECT_EQ(form.RAM_Label->text().toStdString(), "6,291,456 / 8,388,608");
    EXPECT_EQ(form.Swap_File_Gauge->MaxValue(), 2097152);
    EXPECT_EQ(form.Swap_File_Gauge->ShownPercent(), 50);
    EXPECT_EQ(form.SWAP_Label->text().toStdString(), "1,048,576 / 2,097,152");
    EXPECT_EQ(form.Spinner_Label->text(), QStringLiteral("/"));
    EXPECT_EQ(form.Disk_Space_Label->text().toStdString(), "25.00 GB / 100.00 GB");
    EXPECT_EQ(form.Disk_Used_Gauge->Progress(), 75);
    EXPECT_EQ(form.Disk_Used_Gauge->ForeColor(), QColor(0, 255, 0));
    Program_Format() = saved;
}

TEST(Refresh_Tick, Swap_Of_Zero_And_A_Missing_Drive)
{
    Monitor_Controls form;
    form.memory.status.ullTotalPageFile = 0;
    form.memory.status.ullAvailPageFile = 0;
    form.DriveComboBox1->Set_Drive(QLatin1Char('q'));
    form.tick.Timer1Timer();
    EXPECT_EQ(form.Swap_File_Gauge->MaxValue(), 0);
    EXPECT_EQ(form.Swap_File_Gauge->ShownPercent(), 0);
    EXPECT_EQ(form.SWAP_Label->text(), QStringLiteral("0 / 0"));
    EXPECT_EQ(form.Disk_Space_Label->text(), QStringLiteral("0"));
    EXPECT_EQ(form.Disk_Used_Gauge->Progress(), 100);
    EXPECT_EQ(form.Disk_Used_Gauge->ForeColor(), QColor(255, 0, 0));
    EXPECT_EQ(form.DriveComboBox1->Drive(), QLatin1Char('q')) << "kept, to be saved again";
}

TEST(Refresh_Tick, A_Tick_Does_Not_Start_Inside_Another)
{
    Monitor_Controls form;
    // A drive slow to answer: the tick lets events run after it. A timer
    // then due asks for a second tick. It is a window-system timer (over
    // 20 ms), due before the tick begins: the tick lets the window system's
    // input, paints and timers run, not the program's own posted events.
    form.disk.on_query = [] { std::this_thread::sleep_for(std::chrono::milliseconds(30)); };
    int nested_requests = 0;
    QTimer nested;
    nested.setInterval(25);
    QObject::connect(&nested, &QTimer::timeout, [&] {
        ++nested_requests;
        form.tick.Timer1Timer();
    });
    nested.start();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    form.Spinner_Label->setText(QStringLiteral("|"));
    form.tick.Timer1Timer();
    nested.stop();
    EXPECT_GT(nested_requests, 0);
    EXPECT_EQ(form.Spinner_Label->text(), QStringLiteral("/")) << "exactly one spinner step";
}

namespace {
class Paint_Counter final : public QObject {
public:
    std::map<QObject*, int> paints;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints[watched];
        return false;
    }
};
} // namespace

// Twice a second for as long as the program runs: a tick whose figures did
// not change reads the memory status once, formats nothing and paints
// nothing but the spinner; a changed figure is written and painted.
TEST(Refresh_Tick, An_Unchanged_Tick_Paints_Only_The_Spinner)
{
    Faked_Windows app;
    Fake_Cpu_Load cpu;
    cpu.load = 0.5;
    platform::Scoped_Service<platform::Performance_Data_Service> use_cpu{cpu};
    CPU_Sampler sampler;
    Scoped_CPU_Sampler use_sampler{sampler};
    TMainForm1& form = app.form();
    form.show();
    for (QTimer* timer : {form.Timer1, form.Program_Size_Timer, form.Reset_CPU_Monitoring_Timer, form.Trailcount_Timer})
        timer->stop();
    form.Refresh->Timer1Timer();
    form.CPU_Display->Reset_Average_OptionClick(); // the first reading is measured against nothing
    form.Refresh->Timer1Timer();
    QCoreApplication::processEvents();

    Paint_Counter counter;
    const std::vector<QWidget*> figures = {form.Phisical_RAM_Gauge, form.Swap_File_Gauge, form.Disk_Used_Gauge,
                                           form.CPU_Gauge,          form.Avg_CPU_Gauge,   form.RAM_Label,
                                           form.SWAP_Label,         form.Disk_Space_Label, form.Client};
    for (QWidget* figure : figures)
        figure->installEventFilter(&counter);
    form.Spinner_Label->installEventFilter(&counter);
    const int reads = app.memory.calls;
    form.Refresh->Timer1Timer();
    form.Refresh->Timer1Timer();
    QCoreApplication::processEvents();
    EXPECT_EQ(app.memory.calls, reads + 2);
    for (QWidget* figure : figures)
        EXPECT_EQ(counter.paints[figure], 0) << figure->objectName().toStdString();
    EXPECT_GE(counter.paints[form.Spinner_Label], 1);

    app.memory.status.ullAvailPhys -= 1 << 20; // a megabyte more in use
    const QString before = form.RAM_Label->text();
    form.Refresh->Timer1Timer();
    QCoreApplication::processEvents();
    EXPECT_NE(form.RAM_Label->text(), before);
    EXPECT_GE(counter.paints[form.RAM_Label], 1);
    EXPECT_EQ(counter.paints[form.Phisical_RAM_Gauge], 0) << "the same whole percentage";

    // The start-up empties the labels: the same figures are written again.
    form.RAM_Label->setText(QString());
    form.Refresh->Timer1Timer();
    EXPECT_FALSE(form.RAM_Label->text().isEmpty());
}
