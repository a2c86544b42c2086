// The odometer tick: distance, presses and what the panel shows.
#include "common/number_format.h"
#include "odometer/distance_label.h"
#include "odometer/odometer_sampling.h"
#include "odometer_fixture.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <cmath>
#include <limits>

namespace {

// Puts other separators in place for one test.
class Scoped_Separators {
public:
    Scoped_Separators(QChar decimal, QChar thousands) : saved_(Program_Format())
    {
        Program_Format() = Format_Settings{decimal, thousands};
    }
    ~Scoped_Separators() { Program_Format() = saved_; }

private:
    Format_Settings saved_;
};

} // namespace

TEST(Odometer_Arithmetic, Measures_A_Step_By_The_Ratio_Of_Sums)
{
    // 600 by 800 pixels on 1024 by 768 with 27 by 20 cm: 1000 * 47 / 1792 cm.
    const long double step = Step_Distance(600, 800, 27 + 20, 1024 + 768);
    EXPECT_NEAR(static_cast<double>(step), 26.2277, 1e-4);
    EXPECT_EQ(Format_Distance(Add_Step(0, step, true)), QStringLiteral("0.00026228"));
    // Imperial, 11 by 8 inches: 10.6027 inches, 0.00016734 miles.
    const long double inches = Step_Distance(600, -800, 11 + 8, 1024 + 768);
    EXPECT_NEAR(static_cast<double>(inches), 10.6027, 1e-4);
    EXPECT_EQ(Format_Distance(Add_Step(0, inches, false)), QStringLiteral("0.00016734"));
    // No pixels, no distance; no step, exactly nothing.
    EXPECT_EQ(Step_Distance(600, 800, 47, 0), 0);
    EXPECT_EQ(Add_Step(0.1, Step_Distance(0, 0, 47, 1792), true), 0.1);
}

TEST(Odometer_Arithmetic, A_Damaged_Total_Starts_Again_From_Zero)
{
    EXPECT_EQ(Add_Step(-5, 0, true), 0);
    EXPECT_EQ(Add_Step(-9999999, 1, false), 0);
    EXPECT_EQ(Add_Step(std::numeric_limits<double>::quiet_NaN(), 0, true), 0);
    EXPECT_EQ(Add_Step(std::numeric_limits<double>::infinity(), 0, true), 0);
    EXPECT_EQ(Add_Step(12.5, 0, false), 12.5);
}

TEST(Odometer_Arithmetic, Press_Counts_Group_With_A_Literal_Comma)
{
    const Scoped_Separators other(QLatin1Char(','), QLatin1Char('.'));
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0"},           {999, "999"},     {1000, "1,000"},       {1234567, "1,234,567"}, {-1234, "-1,234"},
        {-123, "-123"},     {-100000, "-100,000"},
        {9223372036854775807, "9,223,372,036,854,775,807"},
        {std::numeric_limits<std::int64_t>::min(), "-9,223,372,036,854,775,808"},
    };
    for (const auto& [count, text] : cases)
        EXPECT_EQ(Format_Press_Count(count), QString::fromLatin1(text)) << count;
}

TEST(Odometer_Arithmetic, Distance_Label_Follows_The_Users_Separators)
{
    EXPECT_EQ(Format_Distance(0), QStringLiteral("0.00000000"));
    EXPECT_EQ(Format_Distance(1234.5), QStringLiteral("1,234.50000000"));
    // Twelve significant digits: the decimals beyond them are zeros.
    EXPECT_EQ(Format_Distance(123456.789012345), QStringLiteral("123,456.78901200"));
    // More than twelve integer digits: exponent form.
    EXPECT_EQ(Format_Distance(999999999999.4), QStringLiteral("999,999,999,999.00000000"));
    EXPECT_EQ(Format_Distance(1234567890123.0), QStringLiteral("1.23456789012E12"));
    EXPECT_EQ(Format_Distance(999999999999.6), QStringLiteral("1E12"));
    const Scoped_Separators german(QLatin1Char(','), QLatin1Char('.'));
    EXPECT_EQ(Format_Distance(1234.5), QStringLiteral("1.234,50000000"));
    EXPECT_EQ(Format_Distance(1234567.125), QStringLiteral("1.234.567,12500000"));
}

TEST(Repaint_Limiter, Paints_A_Change_At_Once_Then_At_Most_Once_Per_Interval)
{
    Repaint_Limiter limiter(40);
    EXPECT_TRUE(limiter.Paint_Now(true, 1000));
    EXPECT_FALSE(limiter.Paint_Now(true, 1010)); // too soon: held back
    EXPECT_FALSE(limiter.Paint_Now(false, 1030));
    EXPECT_TRUE(limiter.Paint_Now(false, 1040)); // the held change is painted later
    EXPECT_FALSE(limiter.Paint_Now(false, 1100)); // nothing new
    EXPECT_TRUE(limiter.Paint_Now(true, 1200));
}

// ---- The tick on the odometer's labels.

using Odometer_Tick = Odometer_Fixture;

TEST_F(Odometer_Tick, Adds_The_Physical_Length_Of_Each_Step_But_Nothing_For_The_Start)
{
    Tick_At(300, 200); // far from (0, 0): the first tick only takes the position
    EXPECT_EQ(odometer.Odometer_Distance, 0);
    EXPECT_EQ(Distance_Travelled_Label->text(), QStringLiteral("0.00000000"));

    Tick_At(900, 1000);
    EXPECT_NEAR(odometer.Odometer_Distance, 26.2277 / 100000, 1e-9);
    EXPECT_EQ(Distance_Travelled_Label->text(), QStringLiteral("0.00026228"));

    // At rest: exactly nothing more, and the label is still written every tick.
    const double total = odometer.Odometer_Distance;
    Distance_Travelled_Label->setText(QStringLiteral("stale"));
    for (int i = 0; i < 50; ++i)
        Tick_At(900, 1000);
    EXPECT_EQ(odometer.Odometer_Distance, total);
    EXPECT_EQ(Distance_Travelled_Label->text(), QStringLiteral("0.00026228"));

    // Back the same way: the distance adds up, it never cancels.
    Tick_At(300, 200);
    EXPECT_NEAR(odometer.Odometer_Distance, 2 * 26.2277 / 100000, 1e-9);
}

TEST_F(Odometer_Tick, Counts_Miles_With_Imperial_Sizes)
{
    Set_Sizes(11, 8, 1);
    Tick_At(0, 0);
    Tick_At(600, 800);
    EXPECT_EQ(Distance_Travelled_Label->text(), QStringLiteral("0.00016734"));

    // A screen that reports no pixels adds nothing.
    input.screen_width = 0;
    input.screen_height = 0;
    Tick_At(0, 0);
    EXPECT_EQ(Distance_Travelled_Label->text(), QStringLiteral("0.00016734"));
}

TEST_F(Odometer_Tick, A_Damaged_Loaded_Distance_Shows_As_Zero_From_The_Next_Tick)
{
    odometer.Odometer_Distance = -5;
    Tick_At(10, 10);
    EXPECT_EQ(odometer.Odometer_Distance, 0);
    EXPECT_EQ(Distance_Travelled_Label->text(), QStringLiteral("0.00000000"));
}

TEST_F(Odometer_Tick, Rewrites_The_Label_When_The_Separators_Change)
{
    odometer.Odometer_Distance = 1234.5;
    Tick_At(5, 5);
    EXPECT_EQ(Distance_Travelled_Label->text(), QStringLiteral("1,234.50000000"));
    {
        const Scoped_Separators swiss(QLatin1Char('.'), QLatin1Char('\''));
        Tick_At(5, 5);
        EXPECT_EQ(Distance_Travelled_Label->text(), QStringLiteral("1'234.50000000"));
    }
    Tick_At(5, 5);
    EXPECT_EQ(Distance_Travelled_Label->text(), QStringLiteral("1,234.50000000"));
}

TEST_F(Odometer_Tick, Counts_A_Press_Once_However_Long_It_Is_Held)
{
    Tick_At(1, 1);
    Tick_At(1, 1, true);
    for (int i = 0; i < 20; ++i)
        Tick_At(1, 1, true);
    EXPECT_EQ(odometer.Left_Press_Count, 1);
    EXPECT_EQ(Left_Mouse_Label->text(), QStringLiteral("1"));
    Tick_At(1, 1);
    Tick_At(1, 1, true);
    EXPECT_EQ(odometer.Left_Press_Count, 2);
    EXPECT_EQ(odometer.Right_Press_Count, 0);

    // Both buttons at one tick: both count at that tick.
    Tick_At(1, 1);
    Tick_At(1, 1, true, true);
    EXPECT_EQ(odometer.Left_Press_Count, 3);
    EXPECT_EQ(odometer.Right_Press_Count, 1);
    EXPECT_EQ(Left_Mouse_Label->text(), QStringLiteral("3"));
    EXPECT_EQ(Right_Mouse_Label->text(), QStringLiteral("1"));

    // Right held while left goes up and down.
    Tick_At(1, 1, false, true);
    Tick_At(1, 1, true, true);
    EXPECT_EQ(odometer.Left_Press_Count, 4);
    EXPECT_EQ(odometer.Right_Press_Count, 1);
}

TEST_F(Odometer_Tick, A_Count_Reaching_The_Limit_Starts_Again_At_Zero)
{
    odometer.Left_Press_Count = 9223372036854775805;
    odometer.Right_Press_Count = 1000;
    Tick_At(1, 1, true);
    EXPECT_EQ(odometer.Left_Press_Count, 0);
    EXPECT_EQ(Left_Mouse_Label->text(), QStringLiteral("0"));
    EXPECT_EQ(Right_Mouse_Label->text(), QStringLiteral("1,000"));

    // A loaded count at the very top must not overflow on its next press.
    odometer.Right_Press_Count = std::numeric_limits<std::int64_t>::max();
    Tick_At(1, 1, false, true);
    EXPECT_EQ(odometer.Right_Press_Count, 0);
}

TEST_F(Odometer_Tick, Caption_Names_The_Unit)
{
    Set_Sizes(27, 20, 1);
    odometer.Show_Distance_Units_Caption();
    EXPECT_EQ(Distance_Travelled_GroupBox->title(), QStringLiteral(" Mouse Miles Travelled : "));
    Set_Sizes(27, 20, -1); // no unit: counted as imperial
    odometer.Show_Distance_Units_Caption();
    EXPECT_EQ(Distance_Travelled_GroupBox->title(), QStringLiteral(" Mouse Miles Travelled : "));
    Set_Sizes(27, 20, 0);
    odometer.Show_Distance_Units_Caption();
    EXPECT_EQ(Distance_Travelled_GroupBox->title(), QStringLiteral(" Mouse Kilometers Travelled : "));
}

// ---- How often the label is painted.

namespace {
class Paint_Counter : public QObject {
public:
    int paints = 0;
    int window_updates = 0; // repaint passes the window was asked for
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        if (event->type() == QEvent::UpdateRequest)
            ++window_updates;
        return false;
    }
};
} // namespace

TEST(Distance_Label_Writer, Sets_The_Text_Every_Tick_But_Paints_At_Most_25_Times_A_Second)
{
    QLabel label;
    label.resize(177, 27);
    label.show();
    QCoreApplication::processEvents();
    Paint_Counter counter;
    label.installEventFilter(&counter);

    Distance_Label_Writer writer;
    std::int64_t now = 5000;
    for (int tick = 0; tick < 100; ++tick, now += 10) { // one second of a moving cursor
        writer.Write(label, tick * 0.001, now);
        EXPECT_EQ(label.text(), Format_Distance(tick * 0.001));
        QCoreApplication::processEvents();
    }
    EXPECT_GE(counter.paints, 20);
    EXPECT_LE(counter.paints, 26);

    // The cursor stops: the last value is still painted, then nothing more.
    const int before = counter.paints;
    for (int tick = 0; tick < 20; ++tick, now += 10) {
        writer.Write(label, 0.099, now);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(counter.paints, before + 1);
}

TEST(Distance_Label_Writer, Does_Not_Paint_A_Label_Outside_Its_Window_But_Keeps_Its_Text)
{
    QWidget window;
    window.resize(201, 239);
    auto* label = new QLabel(&window);
    label->setGeometry(8, 256, 177, 27); // below the client area, as with the panel hidden
    window.show();
    QCoreApplication::processEvents();
    Paint_Counter counter;
    label->installEventFilter(&counter);
    window.installEventFilter(&counter);

    Distance_Label_Writer writer;
    std::int64_t now = 0;
    for (int tick = 0; tick < 50; ++tick, now += 10) {
        writer.Write(*label, tick * 0.5, now);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(counter.paints, 0);
    EXPECT_EQ(counter.window_updates, 0);
    EXPECT_EQ(label->text(), Format_Distance(49 * 0.5));

    window.resize(201, 337); // the panel shown: the latest figure appears
    QCoreApplication::processEvents();
    EXPECT_GE(counter.paints, 1);
}
