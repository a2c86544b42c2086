// The gauge's arithmetic, case by case.
#include "widgets/gauge_geometry.h"

#include <gtest/gtest.h>

#include <climits>

TEST(Gauge_Geometry, Shown_Percent_Cuts_Towards_Zero_And_Survives_The_Whole_Scale)
{
    struct Case {
        int min, max, progress, expected;
    };
    const Case cases[] = {
        {0, 0, 0, 0},          {50, 50, 50, 0},        {0, 1000, 999, 99},       {0, 1000, 505, 50},
        {0, 3, 2, 66},         {-100, 100, 0, 50},     {-300, -100, -250, 25},   {INT_MIN, INT_MAX, 0, 50},
        {INT_MIN, INT_MAX, INT_MAX, 100}, {INT_MIN, INT_MAX, INT_MIN, 0}, {0, 100, 100, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Gauge_Shown_Percent(c.min, c.max, c.progress), c.expected)
            << c.min << ".." << c.max << " at " << c.progress;
}

TEST(Gauge_Geometry, Bar_Length_Uses_The_Inexact_Hundredth)
{
    EXPECT_EQ(Gauge_Bar_Length(20, 5), 0); // one short: 0.05 is held just below
    EXPECT_EQ(Gauge_Bar_Length(139, 1), 1);
    EXPECT_EQ(Gauge_Bar_Length(139, 2), 2);
    EXPECT_EQ(Gauge_Bar_Length(139, 50), 69);
    EXPECT_EQ(Gauge_Bar_Length(139, 100), 139);
    EXPECT_EQ(Gauge_Bar_Length(0, 100), 0);
    EXPECT_EQ(Gauge_Bar_Length(-1, 100), -1);
}

TEST(Gauge_Geometry, Bars_Fill_From_The_Corner_To_The_Length)
{
    const Gauge_Rect framed = Gauge_Paint_Rect(140, 20, true);
    EXPECT_EQ(framed, (Gauge_Rect{1, 1, 139, 19}));
    EXPECT_EQ(Horizontal_Bar_Fill(framed, 50), (Gauge_Rect{1, 1, 69, 19}));
    EXPECT_EQ(Horizontal_Bar_Fill(framed, 100), (Gauge_Rect{1, 1, 139, 19}));
    EXPECT_TRUE(Horizontal_Bar_Fill(framed, 1).Is_Empty());
    EXPECT_TRUE(Horizontal_Bar_Fill(framed, 0).Is_Empty());
    const Gauge_Rect open = Gauge_Paint_Rect(140, 20, false);
    EXPECT_EQ(Horizontal_Bar_Fill(open, 50), (Gauge_Rect{0, 0, 70, 21}));
    // A vertical bar stops one short of the top.
    const Gauge_Rect column = Gauge_Paint_Rect(20, 100, true);
    EXPECT_EQ(Vertical_Bar_Fill(column, 100), (Gauge_Rect{1, 1, 19, 99}));
    EXPECT_EQ(Vertical_Bar_Fill(column, 50), (Gauge_Rect{1, 50, 19, 99}));
    EXPECT_TRUE(Gauge_Paint_Rect(1, 1, true).Is_Empty());
}

TEST(Gauge_Geometry, Pie_Box_And_Start_Point)
{
    EXPECT_EQ(Pie_Ellipse_Box(Gauge_Paint_Rect(89, 29, true), true), (Gauge_Rect{1, 1, 88, 28}));
    EXPECT_EQ(Pie_Ellipse_Box(Gauge_Paint_Rect(89, 29, false), false), (Gauge_Rect{0, 0, 89, 29}));
    EXPECT_EQ(Pie_Start_Point(44, 14, 25), QPoint(88, 14));
    EXPECT_EQ(Pie_Start_Point(44, 14, 50), QPoint(44, 28));
    EXPECT_EQ(Pie_Start_Point(44, 14, 75), QPoint(0, 14));
    EXPECT_EQ(Pie_Start_Point(44, 14, 100), QPoint(44, 0)); // the end point: a full ellipse
    EXPECT_EQ(Pie_Start_Point(44, 14, 1), QPoint(47, 0));
    EXPECT_EQ(Pie_Start_Point(44, 14, 2), QPoint(50, 0));
}

TEST(Gauge_Geometry, Needle_And_Text_Positions)
{
    EXPECT_EQ(Needle_End_Point(50, 98, 0), QPoint(0, 98));
    EXPECT_EQ(Needle_End_Point(50, 98, 50), QPoint(50, 0));
    EXPECT_EQ(Needle_End_Point(50, 98, 100), QPoint(100, 98));
    const Gauge_Rect framed{1, 1, 139, 19};
    EXPECT_EQ(Gauge_Text_Origin(framed, 31, 19), QPoint(54, 0));
    // Wider than the gauge: the half is cut towards zero, not rounded down.
    EXPECT_EQ(Gauge_Text_Origin(framed, 150, 22), QPoint(-5, -1));
}
