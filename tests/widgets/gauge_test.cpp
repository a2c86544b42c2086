// The gauge's properties: range rules, clamping and when it repaints.
#include "widgets/gauge.h"
#include "widgets/usage_colour.h"

#include "platform/error.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

void Expect_Refused(TGauge& gauge, void (TGauge::*setter)(int), int value, const char* message)
{
    const int min = gauge.MinValue(), max = gauge.MaxValue(), progress = gauge.Progress();
    const int requests = gauge.Repaint_Requests();
    try {
        (gauge.*setter)(value);
        ADD_FAILURE() << value << " was accepted";
    } catch (const Program_Error& error) {
        EXPECT_STREQ(error.what(), message);
    }
    EXPECT_EQ(gauge.MinValue(), min);
    EXPECT_EQ(gauge.MaxValue(), max);
    EXPECT_EQ(gauge.Progress(), progress);
    EXPECT_EQ(gauge.Repaint_Requests(), requests);
}

} // namespace

TEST(Gauge, A_New_Gauge)
{
    TGauge gauge;
    EXPECT_EQ(gauge.size(), QSize(100, 100));
    EXPECT_EQ(gauge.Kind(), TGauge::gkHorizontalBar);
    EXPECT_EQ(gauge.MinValue(), 0);
    EXPECT_EQ(gauge.MaxValue(), 100);
    EXPECT_EQ(gauge.Progress(), 0);
    EXPECT_TRUE(gauge.ShowText());
    EXPECT_EQ(gauge.BorderStyle(), TGauge::bsSingle);
    EXPECT_EQ(gauge.ForeColor(), QColor(Qt::black));
    EXPECT_EQ(gauge.BackColor(), QColor(Qt::white));
    EXPECT_EQ(gauge.property("ShownPercent").toInt(), 0);
}

TEST(Gauge, Range_Errors_Leave_The_Gauge_As_It_Was)
{
    TGauge gauge;
    gauge.Set_Progress(40);
    Expect_Refused(gauge, &TGauge::Set_MinValue, 101, "Value must be between -2147483647 and 99");
    Expect_Refused(gauge, &TGauge::Set_MaxValue, -1, "Value must be between 1 and 2147483647");
    gauge.Set_MinValue(INT_MIN);
    gauge.Set_MaxValue(INT_MIN);
    Expect_Refused(gauge, &TGauge::Set_MinValue, 0, "Value must be between -2147483647 and -2147483649");
    gauge.Set_MaxValue(INT_MAX);
    gauge.Set_MinValue(INT_MAX);
    Expect_Refused(gauge, &TGauge::Set_MaxValue, 0, "Value must be between 2147483648 and 2147483647");
}

TEST(Gauge, Progress_Is_Clamped_Into_The_Range)
{
    TGauge gauge;
    gauge.Set_Progress(150);
    EXPECT_EQ(gauge.Progress(), 100);
    EXPECT_EQ(gauge.ShownPercent(), 100);
    gauge.Set_Progress(-5);
    EXPECT_EQ(gauge.Progress(), 0);
    gauge.Set_Progress(10);
    gauge.Set_MinValue(30);
    EXPECT_EQ(gauge.Progress(), 30);
    gauge.Set_Progress(90);
    gauge.Set_MaxValue(60);
    EXPECT_EQ(gauge.Progress(), 60);

    // An empty range: 0 % and no fill, however high the value.
    gauge.Set_ShowText(false);
    gauge.Set_MinValue(60);
    gauge.Set_Progress(1000);
    EXPECT_EQ(gauge.Progress(), 60);
    EXPECT_EQ(gauge.ShownPercent(), 0);
    const QImage image = gauge.Render();
    EXPECT_EQ(image.pixel(1, 50), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(98, 50), qRgb(255, 255, 255));
}

TEST(Gauge, Repaints_Only_For_A_Visible_Change)
{
    TGauge gauge;
    gauge.Set_MaxValue(1000);
    gauge.Set_Progress(500);
    const QImage at_50 = gauge.Render();
    int requests = gauge.Repaint_Requests();

    gauge.Set_Progress(505); // still 50 %
    EXPECT_EQ(gauge.Repaint_Requests(), requests);
    EXPECT_EQ(gauge.Render(), at_50);
    gauge.Set_Progress(510);
    EXPECT_EQ(gauge.Repaint_Requests(), ++requests);
    EXPECT_NE(gauge.Render(), at_50);

    gauge.Set_Kind(TGauge::gkHorizontalBar);
    gauge.Set_ShowText(true);
    gauge.Set_BorderStyle(TGauge::bsSingle);
    gauge.Set_ForeColor(Qt::black);
    gauge.Set_BackColor(Qt::white);
    gauge.Set_MinValue(0);
    gauge.Set_MaxValue(1000);
    gauge.Set_Kind(static_cast<TGauge::TGaugeKind>(9));
    EXPECT_EQ(gauge.Repaint_Requests(), requests);
    EXPECT_EQ(gauge.Kind(), TGauge::gkHorizontalBar);

    gauge.Set_Kind(TGauge::gkPie);
    gauge.Set_ShowText(false);
    gauge.Set_BorderStyle(TGauge::bsNone);
    gauge.Set_ForeColor(Qt::red);
    gauge.Set_BackColor(Qt::green);
    gauge.Set_MinValue(1); // the percentage stays 50 %, the range still changed
    gauge.Set_MaxValue(999);
    EXPECT_EQ(gauge.Repaint_Requests(), requests + 7);
}

TEST(Usage_Colour, Changes_At_85_And_96)
{
    TGauge gauge;
    const struct {
        int value;
        QColor colour;
    } cases[] = {{0, QColor(0, 255, 0)},   {84, QColor(0, 255, 0)},  {85, QColor(255, 255, 0)},
                 {95, QColor(255, 255, 0)}, {96, QColor(255, 0, 0)}, {100, QColor(255, 0, 0)},
                 {150, QColor(255, 0, 0)}};
    for (const auto& c : cases) {
        gauge.Set_Progress(c.value);
        Set_Usage_Colour(gauge);
        EXPECT_EQ(gauge.ForeColor(), c.colour) << c.value;
    }
}
