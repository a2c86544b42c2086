// The cursor odometer on a real X server: the pointer moved and the buttons
// pressed by xdotool, as a person would, over a window that is not the
// monitor's own.
#include "app/main_form.h"
#include "app/windows.h"
#include "e2e/e2e.h"
#include "odometer/odometer_sampling.h"
#include "odometer/odometer_scheduler.h"
#include "platform/input.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QWidget>

#include <xcb/xcb.h>

namespace {

QString Number(int value)
{
    return QString::number(value);
}

void Move_Pointer(QPoint to)
{
    e2e::Run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), Number(to.x()), Number(to.y())});
}

void Button(const char* action, int button)
{
    e2e::Run(QStringLiteral("xdotool"), {QString::fromLatin1(action), Number(button)});
}

bool Odometer_Saw(const TMainForm1& form, QPoint position)
{
    return form.Odometer.Has_Previous_Cursor && form.Odometer.Previous_Cursor_X == position.x()
           && form.Odometer.Previous_Cursor_Y == position.y();
}

} // namespace

TEST(Odometer_On_X, Measures_Pointer_Moves_And_Counts_Presses_Over_Another_Window)
{
    VISTREL_REQUIRE_DISPLAY();
    VISTREL_REQUIRE_IN_PROCESS();
    platform::Input_Service& input = platform::Use<platform::Input_Service>();
    const QStringList screen = e2e::Run(QStringLiteral("xdotool"), {QStringLiteral("getdisplaygeometry")})
                                   .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    ASSERT_EQ(screen.size(), 2);
    const int width = screen[0].toInt();
    const int height = screen[1].toInt();
    EXPECT_EQ(input.Get_System_Metrics(SM_CXSCREEN), width);
    EXPECT_EQ(input.Get_System_Metrics(SM_CYSCREEN), height);

    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    form.show();
    ASSERT_TRUE(e2e::Wait_Until([&] { return form.isVisible(); }, 5000));

    QWidget other;
    other.setWindowTitle(QStringLiteral("Another window"));
    other.resize(300, 200);
    other.show();
    ASSERT_TRUE(e2e::Wait_Until([&] { return other.isVisible(); }, 5000));
    e2e::Wait(300); // let the window manager place it

    // One jump of 300 by 400 pixels: 500 pixels at 27 + 20 cm over the
    // screen's width + height pixels.
    const QPoint start(100, 100);
    const QPoint end = start + QPoint(300, 400);
    Move_Pointer(start);
    ASSERT_TRUE(e2e::Wait_Until([&] { return Odometer_Saw(form, start); }, 3000));
    EXPECT_EQ(input.Query_Pointer().x, start.x());
    const double before = form.Odometer.Odometer_Distance;
    Move_Pointer(end);
    ASSERT_TRUE(e2e::Wait_Until([&] { return Odometer_Saw(form, end); }, 3000));
    e2e::Wait(50);
    const double expected_km = 500.0 * (27 + 20) / (width + height) / 100000;
    EXPECT_NEAR(form.Odometer.Odometer_Distance - before, expected_km, 1e-12);
    EXPECT_EQ(form.Distance_Travelled_Label->text(), Format_Distance(form.Odometer.Odometer_Distance));

    // Presses over the other window, each held for a while as a person holds one.
    const QPoint over_other = other.mapToGlobal(other.rect().center());
    ASSERT_EQ(QApplication::widgetAt(over_other), &other);
    Move_Pointer(over_other);
    ASSERT_TRUE(e2e::Wait_Until([&] { return Odometer_Saw(form, over_other); }, 3000));
    const std::int64_t left = form.Odometer.Left_Press_Count;
    const std::int64_t right = form.Odometer.Right_Press_Count;
    Button("mousedown", 1);
    e2e::Wait(150);
    EXPECT_TRUE(input.Query_Pointer().left_down);
    Button("mouseup", 1);
    e2e::Wait(100);
    Button("mousedown", 3);
    e2e::Wait(150);
    Button("mouseup", 3);
    e2e::Wait(100);
    EXPECT_EQ(form.Odometer.Left_Press_Count, left + 1);
    EXPECT_EQ(form.Odometer.Right_Press_Count, right + 1);

    // Both at once count one each.
    Button("mousedown", 1);
    Button("mousedown", 3);
    e2e::Wait(150);
    Button("mouseup", 3);
    Button("mouseup", 1);
    e2e::Wait(100);
    EXPECT_EQ(form.Odometer.Left_Press_Count, left + 2);
    EXPECT_EQ(form.Odometer.Right_Press_Count, right + 2);
    EXPECT_EQ(form.Left_Mouse_Label->text(), Format_Press_Count(left + 2));
    EXPECT_EQ(form.Right_Mouse_Label->text(), Format_Press_Count(right + 2));
    EXPECT_FALSE(input.Query_Pointer().left_down);

    // Clicks as short as a program makes them, shorter than any tick, count
    // all the same; and the pointer at rest, the odometer sleeps.
    e2e::Run(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("3"),
                                         QStringLiteral("--delay"), QStringLiteral("40"), QStringLiteral("1")});
    EXPECT_TRUE(e2e::Wait_Until([&] { return form.Odometer.Left_Press_Count == left + 5; }, 3000));
    EXPECT_EQ(form.Odometer.Right_Press_Count, right + 2);
    EXPECT_TRUE(e2e::Wait_Until([&] { return form.Odometer.Pacing().Resting(); }, 5000));

    // A device's move (XTest's pointer) is reported, and measured.
    const double rested = form.Odometer.Odometer_Distance;
    e2e::Run(QStringLiteral("xdotool"), {QStringLiteral("mousemove_relative"), QStringLiteral("--"),
                                         QStringLiteral("30"), QStringLiteral("40")});
    ASSERT_TRUE(e2e::Wait_Until([&] { return Odometer_Saw(form, over_other + QPoint(30, 40)); }, 3000));
    EXPECT_NEAR(form.Odometer.Odometer_Distance - rested, 50.0 * (27 + 20) / (width + height) / 100000, 1e-12);
}

// Another program warping the pointer to and fro, as a game recentring it or
// an automation tool does: the server's record of it is followed move by
// move, as a sample every 10 ms would follow it, with nothing queried.
TEST(Odometer_On_X, Follows_Another_Programs_Warps_To_The_Pixel)
{
    VISTREL_REQUIRE_DISPLAY();
    VISTREL_REQUIRE_IN_PROCESS();
    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    form.show();
    ASSERT_TRUE(e2e::Wait_Until([&] { return form.isVisible(); }, 5000));
    ASSERT_TRUE(form.Odometer.Pacing().Streaming()) << "the server records pointer events (RECORD)";
    platform::Input_Service& input = platform::Use<platform::Input_Service>();
    const std::int64_t pixels = std::int64_t{input.Get_System_Metrics(SM_CXSCREEN)} + input.Get_System_Metrics(SM_CYSCREEN);

    xcb_connection_t* other = xcb_connect(nullptr, nullptr);
    ASSERT_FALSE(xcb_connection_has_error(other));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(other)).data->root;
    const auto warp = [&](QPoint to) {
        xcb_warp_pointer(other, XCB_NONE, root, 0, 0, 0, 0, static_cast<std::int16_t>(to.x()),
                         static_cast<std::int16_t>(to.y()));
        xcb_flush(other);
    };
    const QPoint start(600, 300);
    warp(start);
    ASSERT_TRUE(e2e::Wait_Until([&] { return Odometer_Saw(form, start) && form.Odometer.Pacing().Resting(); }, 3000));
    const double before = form.Odometer.Odometer_Distance;

    for (int i = 1; i <= 40; ++i) {
        warp(start + QPoint(i % 2 ? 10 : 0, 0));
        e2e::Wait(20);
    }
    ASSERT_TRUE(e2e::Wait_Until([&] { return Odometer_Saw(form, start) && form.Odometer.Pacing().Resting(); }, 3000));
    EXPECT_NEAR(form.Odometer.Odometer_Distance - before, 400.0 * 47 / static_cast<double>(pixels) / 100000, 1e-12);
    EXPECT_EQ(form.Distance_Travelled_Label->text(), Format_Distance(form.Odometer.Odometer_Distance));
    xcb_disconnect(other);
}

namespace {

// Two monitors side by side on the one X screen, the left one primary, for
// as long as the guard lives.
class Two_Monitors {
public:
    Two_Monitors()
    {
        e2e::Run(QStringLiteral("xrandr"), {QStringLiteral("--setmonitor"), QStringLiteral("vistrel-left"),
                                            QStringLiteral("640/169x800/254+0+0"), QStringLiteral("screen")});
        e2e::Run(QStringLiteral("xrandr"), {QStringLiteral("--setmonitor"), QStringLiteral("vistrel-right"),
                                            QStringLiteral("640/169x800/254+640+0"), QStringLiteral("none")});
    }
    ~Two_Monitors()
    {
        for (const char* name : {"vistrel-left", "vistrel-right"})
            e2e::Run(QStringLiteral("xrandr"), {QStringLiteral("--delmonitor"), QString::fromLatin1(name)});
    }
    bool Set_Up() const
    {
        return e2e::Run(QStringLiteral("xrandr"), {QStringLiteral("--listmonitors")}).contains(QStringLiteral("vistrel-left"));
    }
};

} // namespace

TEST(Odometer_On_X, The_Screen_Size_And_The_Corners_Are_The_Primary_Monitors)
{
    VISTREL_REQUIRE_DISPLAY();
    VISTREL_SKIP_UNDER_WINE("Wine takes its monitors from XRandR's outputs and ignores the ones xrandr --setmonitor "
                            "adds: it sees one monitor as large as the X screen");
    const QStringList screen = e2e::Run(QStringLiteral("xdotool"), {QStringLiteral("getdisplaygeometry")})
                                   .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    ASSERT_EQ(screen.size(), 2);
    ASSERT_EQ(screen[0].toInt(), 1280) << "the test display is 1280 pixels wide";
    const Two_Monitors monitors;
    ASSERT_TRUE(monitors.Set_Up());

    Move_Pointer(QPoint(900, 500)); // before the start: the first sample takes it
    e2e::Program_Copy copy;
    const QString window = copy.Start();
    ASSERT_FALSE(window.isEmpty());

    // Snapped to the top right corner of the left monitor, not of the desktop.
    const QString geometry = e2e::Run(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    const int x = geometry.section(QStringLiteral("X="), 1).section(QLatin1Char('\n'), 0, 0).toInt();
    const int width = geometry.section(QStringLiteral("WIDTH="), 1).section(QLatin1Char('\n'), 0, 0).toInt();
    EXPECT_LE(x + width, 640);
    EXPECT_GE(x + width, 640 - 20) << geometry.toStdString();

    // 500 pixels of a device's motion, at 27 + 20 cm over the primary
    // monitor's 640 + 800 pixels.
    e2e::Run(QStringLiteral("xdotool"), {QStringLiteral("mousemove_relative"), QStringLiteral("--"),
                                         QStringLiteral("300"), QStringLiteral("-400")});
    e2e::Wait(500);
    ASSERT_TRUE(copy.Close(window));
    QFile settings(copy.File(QStringLiteral("vistrel.ini")));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(settings.readAll());
    const double km = text.section(QStringLiteral("Kilometers_Travelled_So_Far="), 1).section(QLatin1Char('\n'), 0, 0).trimmed().toDouble();
    EXPECT_NEAR(km, 500.0 * 47 / (640 + 800) / 100000, 1e-9) << text.toStdString();
}
