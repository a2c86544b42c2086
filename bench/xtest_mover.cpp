// Moves the pointer as a mouse does, through XTest's relative motion, at a
// mouse's report rate, round a circle (x 520..880, y 340..700) at about a
// thousand pixels a second, clear of the windows the overhead check watches.
// xdotool cannot keep up with a fast mouse; this can.
//
//   vistrel_xtest_mover RATE_HZ SECONDS
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

timespec Plus_ns(timespec t, long ns)
{
    t.tv_nsec += ns;
    while (t.tv_nsec >= 1000000000L) {
        t.tv_nsec -= 1000000000L;
        ++t.tv_sec;
    }
    return t;
}

} // namespace

int main(int argc, char** argv)
{
    const int rate = argc > 1 ? std::atoi(argv[1]) : 0;
    const double seconds = argc > 2 ? std::atof(argv[2]) : 0;
    if (rate <= 0 || rate > 10000 || seconds <= 0) {
        std::fprintf(stderr, "usage: vistrel_xtest_mover RATE_HZ SECONDS\n");
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "vistrel_xtest_mover: cannot open the display\n");
        return 1;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    // From the circle's rightmost point, with an absolute move to start.
    constexpr double centre_x = 700, centre_y = 520, radius = 180, radians_per_second = 1000 / radius;
    xcb_test_fake_input(connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, screen->root,
                        static_cast<std::int16_t>(centre_x + radius), static_cast<std::int16_t>(centre_y), 0);
    xcb_flush(connection);
    long x = std::lround(centre_x + radius);
    long y = std::lround(centre_y);

    const long period_ns = 1000000000L / rate;
    const long moves = std::lround(seconds * rate);
    timespec next;
    clock_gettime(CLOCK_MONOTONIC, &next);
    for (long i = 1; i <= moves; ++i) {
        next = Plus_ns(next, period_ns);
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
        const double angle = static_cast<double>(i) / rate * radians_per_second;
        const long to_x = std::lround(centre_x + radius * std::cos(angle));
        const long to_y = std::lround(centre_y + radius * std::sin(angle));
        // detail 1: relative to where the pointer is, as a device moves it.
        xcb_test_fake_input(connection, XCB_MOTION_NOTIFY, 1, XCB_CURRENT_TIME, XCB_NONE,
                            static_cast<std::int16_t>(to_x - x), static_cast<std::int16_t>(to_y - y), 0);
        xcb_flush(connection);
        x = to_x;
        y = to_y;
        if (xcb_connection_has_error(connection))
            return 1;
    }
    xcb_disconnect(connection);
    return 0;
}
