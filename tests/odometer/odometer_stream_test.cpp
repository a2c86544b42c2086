// An odometer fed with the server's timestamped positions, read in batches,
// counts to the last digit what a sample of the pointer every 10 ms counts,
// however the pointer was moved and whenever the moves began.
#include "odometer/odometer_stream.h"
#include "odometer_fixture.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

struct Move {
    std::int64_t time_ms = 0; // from the start of the recording
    std::int32_t x = 0;
    std::int32_t y = 0;
};

constexpr std::int32_t Rest_X = 500;
constexpr std::int32_t Rest_Y = 400;
// Long enough at rest after the last move for the slowest batches to read
// it and then find nothing more.
constexpr std::int64_t Rest_After_ms = 2 * Odometer_Stream::Unseen_Batch_Interval_ms + 100;

struct Recording {
    std::string name;
    std::vector<Move> moves; // from rest at (Rest_X, Rest_Y)
    bool steady = false;     // a move in every sample interval while moving
};

// A program warping the pointer to and fro, 10 px each time, 50 ms apart.
Recording Warp_Zigzag()
{
    Recording r{"warps", {}, false};
    for (int i = 0; i < 66; ++i)
        r.moves.push_back({20 + 50 * i, Rest_X + (i % 2 == 0 ? 10 : 0), Rest_Y});
    return r;
}

// Absolute moves as a remote desktop sends them: bursts a millisecond
// apart, some within one sample interval, some across it, then rest.
Recording Absolute_Bursts()
{
    Recording r{"absolute bursts", {}, false};
    std::int32_t x = Rest_X;
    std::int32_t y = Rest_Y;
    for (int burst = 0; burst < 6; ++burst) {
        for (int i = 0; i < 3 + 4 * burst; ++i) {
            x += 7 - 3 * (i % 3);
            y += (burst % 2 ? 5 : -4);
            r.moves.push_back({30 + 180 * burst + 3 * i, x, y});
        }
    }
    return r;
}

// A device reporting `rate` times a second along a circle for `ms`, with a
// warp back to where it started halfway.
Recording Device(int rate, int ms)
{
    Recording r{"device at " + std::to_string(rate) + " Hz", {}, true};
    const double every = 1000.0 / rate;
    for (int i = 1; i * every <= ms; ++i) {
        const double angle = i * every / 150.0;
        const auto x = static_cast<std::int32_t>(std::lround(Rest_X + 200 * std::sin(angle)));
        const auto y = static_cast<std::int32_t>(std::lround(Rest_Y + 120 * (1 - std::cos(angle))));
        r.moves.push_back({10 + static_cast<std::int64_t>(std::lround(i * every)), x, y});
        if (i == static_cast<int>(rate / 2))
            r.moves.push_back({r.moves.back().time_ms, Rest_X, Rest_Y});
    }
    return r;
}

// The stream, its batches and the platform's socket on one virtual clock
// that is also the server's: the reports of a millisecond first, then a
// wake-up if they may wake the odometer, then the timer when it is due.
class Virtual_Server final : public Odometer_Stream::Host {
public:
    Virtual_Server(Odometer& odometer, Fake_Input& input) : odometer_(odometer), input_(input)
    {
        input_.positions = input_.reports = true;
        input_.Report_Activity(&listener_);
    }

    void Take_Position(std::int32_t x, std::int32_t y) override
    {
        sample_times.push_back(now_);
        odometer_.Take_Position(x, y);
    }
    void Run_Timer(int interval_ms) override
    {
        interval_ = interval_ms;
        due_ = interval_ms > 0 ? now_ + interval_ms : -1;
    }
    void Report_Motion(bool on) override { input_.Report_Motion(on); }
    void Read_Reports() override { input_.Read_Reports(); }
    bool Show_Distance() override { return false; }
    bool Distance_Seen() override { return seen; }

    // Plays the recording from `start_ms` of the server's clock, to rest or
    // up to `until_ms` of it; the distance comes into view at `shown_ms` of
    // it, if it is not seen already.
    void Play(const Recording& recording, std::int64_t start_ms, std::int64_t shown_ms = -1, std::int64_t until_ms = -1)
    {
        now_ = start_ms;
        odometer_.Take_Position(Rest_X, Rest_Y);
        stream.Start(Rest_X, Rest_Y);
        const std::int64_t end = start_ms + (until_ms >= 0 ? until_ms : recording.moves.back().time_ms + Rest_After_ms);
        std::size_t next = 0;
        for (; now_ < end; ++now_) {
            if (!seen && now_ == start_ms + shown_ms) {
                seen = true;
                stream.View_Changed();
            }
            for (; next < recording.moves.size() && start_ms + recording.moves[next].time_ms == now_; ++next)
                input_.Report_Position(recording.moves[next].x, recording.moves[next].y, static_cast<std::uint32_t>(now_));
            if (input_.motion_reported && !input_.waiting.empty()) {
                ++wake_ups;
                input_.Hand_Over();
            }
            if (due_ >= 0 && now_ >= due_) {
                ++wake_ups;
                due_ += interval_;
                stream.Timer_Fired();
            }
        }
    }

    Odometer_Stream stream{*this};
    bool seen = true;
    int wake_ups = 0;
    std::vector<std::int64_t> sample_times;

private:
    class Listener final : public platform::Pointer_Activity_Listener {
    public:
        explicit Listener(Virtual_Server& server) : server_(server) {}
        void Pointer_Moved() override { ADD_FAILURE() << "a report without its position"; }
        void Pointer_At(std::int32_t x, std::int32_t y, std::uint32_t time_ms) override
        {
            server_.stream.Pointer_At(x, y, time_ms);
        }
        void Button_Changed(platform::Mouse_Button, bool) override {}

    private:
        Virtual_Server& server_;
    };

    Odometer& odometer_;
    Fake_Input& input_;
    Listener listener_{*this};
    std::int64_t now_ = 0;
    std::int64_t due_ = -1;
    int interval_ = 0;
};

class Odometer_Streaming : public Odometer_Fixture {
protected:
    // The odometer's figure for a timer sampling every 10 ms from server
    // time 0: at each tick, the last position the server had before it.
    double Polled(const Recording& recording, std::int64_t start_ms)
    {
        Fresh();
        Tick_At(Rest_X, Rest_Y);
        const std::int64_t end = start_ms + recording.moves.back().time_ms + Rest_After_ms;
        std::size_t next = 0;
        std::int32_t x = Rest_X;
        std::int32_t y = Rest_Y;
        for (std::int64_t tick = (start_ms / 10 + 1) * 10; tick < end; tick += 10) {
            for (; next < recording.moves.size() && start_ms + recording.moves[next].time_ms < tick; ++next) {
                x = recording.moves[next].x;
                y = recording.moves[next].y;
            }
            Tick_At(x, y);
        }
        return odometer.Odometer_Distance;
    }

    void Fresh()
    {
        static_cast<Odometer_State&>(odometer) = Odometer_State{};
        input = Fake_Input{};
    }
};

} // namespace

TEST_F(Odometer_Streaming, Counts_What_A_Poll_Every_10_ms_Counts_At_Every_Phase_With_Few_Wake_Ups)
{
    // The distance seen throughout, never, or only from halfway.
    enum class View { Seen, Unseen, Shown_Halfway };
    for (const Recording& recording :
         {Warp_Zigzag(), Absolute_Bursts(), Device(125, 1200), Device(1000, 1200), Device(333, 700)}) {
        const std::int64_t halfway = recording.moves.back().time_ms / 2;
        for (const View view : {View::Seen, View::Unseen, View::Shown_Halfway}) {
            const int pace = view == View::Seen ? Odometer_Stream::Batch_Interval_ms
                                                : Odometer_Stream::Unseen_Batch_Interval_ms;
            // Every phase of the sample grid and of the batch timer (of the
            // slow one, every 7th: all ten of the grid still), and a server
            // clock far from 0.
            const int step = pace == Odometer_Stream::Batch_Interval_ms ? 1 : 7;
            for (std::int64_t start : {std::int64_t{0}, std::int64_t{3'000'000'000}}) {
                for (int phase = 0; phase < pace; phase += step) {
                    SCOPED_TRACE(recording.name + ", view " + std::to_string(static_cast<int>(view)) + ", from "
                                 + std::to_string(start + phase) + " ms");
                    const double polled = Polled(recording, start + phase);
                    Fresh();
                    Virtual_Server server(odometer, input);
                    server.seen = view == View::Seen;
                    server.Play(recording, start + phase, view == View::Shown_Halfway ? halfway : -1);
                    ASSERT_GT(polled, 0);
                    ASSERT_EQ(odometer.Odometer_Distance, polled); // not near: equal
                    EXPECT_FALSE(server.stream.Following()) << "asleep again at rest";
                    EXPECT_TRUE(input.motion_reported);
                    if (!recording.steady)
                        continue;

                    // A few batches a second however fast the device; the
                    // distance moves on at least 25 times a second while it
                    // is seen, from the moment it comes into view.
                    const auto seconds = static_cast<double>(recording.moves.back().time_ms - recording.moves.front().time_ms) / 1000;
                    if (view != View::Shown_Halfway) {
                        EXPECT_LE(server.wake_ups, 1000 / pace * seconds + 3);
                    }
                    std::int64_t last = view == View::Shown_Halfway ? start + phase + halfway : 0;
                    std::int64_t longest = 0;
                    for (const std::int64_t time : server.sample_times) {
                        if (time > start + phase + recording.moves.back().time_ms)
                            break; // the last sample waits for a batch to find nothing more
                        if (time >= last && last > 0)
                            longest = std::max(longest, time - last);
                        last = std::max(last, time);
                    }
                    EXPECT_LE(longest, view == View::Unseen ? pace : Odometer_Stream::Batch_Interval_ms);
                }
            }
        }
    }
}

// The figure stored while unread reports wait (the window closed as the
// pointer stops) counts them all.
TEST_F(Odometer_Streaming, Catching_Up_Before_A_Store_Counts_The_Reports_Waiting)
{
    const Recording recording = Device(1000, 300);
    const double polled = Polled(recording, 0);
    Fresh();
    Virtual_Server server(odometer, input);
    server.seen = false;
    server.Play(recording, 0, -1, recording.moves.back().time_ms + 1);
    ASSERT_TRUE(server.stream.Following());
    ASSERT_FALSE(input.waiting.empty());
    server.stream.Catch_Up();
    EXPECT_TRUE(input.waiting.empty());
    EXPECT_EQ(odometer.Odometer_Distance, polled);
}
