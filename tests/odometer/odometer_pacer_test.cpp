// An odometer that sleeps while the pointer rests counts exactly what one
// that samples every 10 ms counts, and misses no press.
#include "odometer/odometer_scheduler.h"
#include "odometer_fixture.h"
#include "fakes/faked_windows.h"

#include <QLabel>
#include <QTest>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// The pointer at one 10 ms step of a recording. A move by a device is
// reported; a warp by a program is not. A fast device reports more often
// than once a step (here once more, 5 ms later).
struct Step {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool left = false;
    bool right = false;
    bool warp = false;
    bool fast = false;
};

class Recording {
public:
    std::vector<Step> steps{Step{500, 400}};

    Recording& Rest(int count)
    {
        Step still = steps.back();
        still.warp = still.fast = false;
        steps.insert(steps.end(), count, still);
        return *this;
    }
    // `count` moves of (dx, dy), one every `every` steps.
    Recording& Move(int count, int dx, int dy, int every = 1, bool fast = false)
    {
        for (int i = 0; i < count; ++i) {
            Rest(every - 1);
            Step next = steps.back();
            next.x += dx;
            next.y += dy;
            next.fast = fast;
            steps.push_back(next);
        }
        return *this;
    }
    Recording& Buttons(bool left, bool right)
    {
        Step next = steps.back();
        next.left = left;
        next.right = right;
        next.warp = next.fast = false;
        steps.push_back(next);
        return *this;
    }
    Recording& Warp_To(std::int32_t x, std::int32_t y)
    {
        Step next = steps.back();
        next.x = x;
        next.y = y;
        next.warp = true;
        next.fast = false;
        steps.push_back(next);
        return *this;
    }
};

Recording A_Session()
{
    Recording r;
    r.Rest(50).Move(30, 3, 1).Rest(100);
    r.Buttons(true, false).Rest(5).Buttons(false, false).Rest(20);
    r.Buttons(false, true).Move(20, 7, -2, 1, true).Buttons(false, false).Rest(30); // a fast drag
    r.Warp_To(100, 100).Rest(60);
    r.Move(20, 2, 2, 5).Rest(3).Move(10, -1, 4, 2);                      // slow, then slower
    r.Buttons(true, true).Rest(3).Buttons(false, false).Rest(40);
    // A warp is seen by the backup poll, so it counts the same when the
    // pointer then stays put for a poll's length.
    r.Move(5, 40, 0, 1, true).Rest(2).Warp_To(900, 700).Rest(Odometer_Pacer::Backup_Poll_ms / 10).Move(10, -5, -5, 3);
    r.Rest(150);
    return r;
}

struct Figures {
    double distance = 0;
    std::int64_t left = 0;
    std::int64_t right = 0;
    int samples = 0;
};

// The pacer on a clock of its own: a millisecond at a time, each step's
// change first, then its reports, then the timer when it is due.
class Virtual_Time final : public Odometer_Pacer::Host {
public:
    Virtual_Time(Odometer& odometer, Fake_Input& input) : odometer_(odometer), input_(input) {}

    bool Sample() override
    {
        ++samples;
        return Sample_Odometer(odometer_);
    }
    void Run_Timer(int interval_ms) override
    {
        riding_ = false;
        interval_ = interval_ms;
        due_ = now_ + interval_ms;
    }
    // As the program does: the backup poll rides a refresh that keeps its
    // own phase, whenever the pacer asked for it.
    void Run_Backup_Poll() override
    {
        riding_ = true;
        due_ = std::numeric_limits<std::int64_t>::max();
    }
    void Report_Motion(bool on) override { motion_reported_ = on; }

    Figures Play(const Recording& recording, int extra_ms = 2000)
    {
        odometer_.Take_Presses_From_Reports(true);
        pacer_.Start(true, now_);
        const std::int64_t end = static_cast<std::int64_t>(recording.steps.size()) * 10 + extra_ms;
        for (; now_ < end; ++now_) {
            const auto step = static_cast<std::size_t>(now_ / 10);
            if (now_ % 10 == 0 && step < recording.steps.size())
                Apply(recording.steps[step]);
            if (now_ % 10 == 5 && step < recording.steps.size() && recording.steps[step].fast && motion_reported_)
                pacer_.Pointer_Moved(now_);
            if (now_ >= due_) {
                due_ += interval_;
                pacer_.Timer_Fired(now_);
            } else if (riding_ && now_ % Odometer_Pacer::Backup_Poll_ms == Refresh_Phase_ms) {
                pacer_.Timer_Fired(now_);
            }
        }
        return {odometer_.Odometer_Distance, odometer_.Left_Press_Count,
                odometer_.Right_Press_Count, samples};
    }

    void Click(platform::Mouse_Button button)
    {
        Press(button, true);
        Press(button, false);
    }

    int samples = 0;

private:
    void Apply(const Step& step)
    {
        const bool moved = step.x != input_.pointer.x || step.y != input_.pointer.y;
        input_.Move_To(step.x, step.y);
        if (moved && !step.warp && motion_reported_)
            pacer_.Pointer_Moved(now_);
        if (step.left != input_.pointer.left_down)
            Press(platform::Mouse_Button::Left, step.left);
        if (step.right != input_.pointer.right_down)
            Press(platform::Mouse_Button::Right, step.right);
    }

    void Press(platform::Mouse_Button button, bool down)
    {
        (button == platform::Mouse_Button::Left ? input_.pointer.left_down : input_.pointer.right_down) = down;
        odometer_.Trailcount_Button(button, down);
        pacer_.Button_Changed(odometer_.Left_Press_Latch || odometer_.Right_Press_Latch, now_);
    }

    Odometer& odometer_;
    Fake_Input& input_;
    Odometer_Pacer pacer_{*this};
    std::int64_t now_ = 0;
    std::int64_t due_ = std::numeric_limits<std::int64_t>::max();
    int interval_ = 0;
    bool motion_reported_ = true;
    bool riding_ = false;
    static constexpr int Refresh_Phase_ms = 137; // the refresh's phase against the virtual clock
};

class Odometer_Pacing : public Odometer_Fixture {
protected:
    // The recording played by a timer that never stops, then by the pacer.
    std::pair<Figures, Figures> Play_Both(const Recording& recording)
    {
        const Figures polled = Play_Polling(recording);
        static_cast<Odometer_State&>(odometer) = Odometer_State{};
        input.Move_To(recording.steps.front().x, recording.steps.front().y); // where the recording starts
        input.pointer.left_down = input.pointer.right_down = false;
        Virtual_Time paced(odometer, input);
        return {polled, paced.Play(recording)};
    }

    // The timer that never stops: a sample at every step, buttons from the samples.
    Figures Play_Polling(const Recording& recording)
    {
        Figures figures;
        for (const Step& step : recording.steps) {
            Tick_At(step.x, step.y, step.left, step.right);
            ++figures.samples;
        }
        figures.distance = odometer.Odometer_Distance;
        figures.left = odometer.Left_Press_Count;
        figures.right = odometer.Right_Press_Count;
        return figures;
    }
};

} // namespace

TEST_F(Odometer_Pacing, Sleeping_Between_Moves_Counts_Exactly_What_Sampling_Every_Tick_Counts)
{
    const auto [polled, reported] = Play_Both(A_Session());
    ASSERT_GT(polled.distance, 0);
    ASSERT_EQ(polled.left, 2);
    ASSERT_EQ(polled.right, 2);
    EXPECT_EQ(reported.distance, polled.distance); // not near: equal
    EXPECT_EQ(reported.left, polled.left);
    EXPECT_EQ(reported.right, polled.right);
    EXPECT_LT(reported.samples, polled.samples / 2) << "the rests are slept through";

    // A click shorter than a tick falls between two samples; its reports do not.
    const std::int64_t left = odometer.Left_Press_Count;
    Virtual_Time paced(odometer, input);
    paced.Click(platform::Mouse_Button::Left);
    paced.Click(platform::Mouse_Button::Left);
    EXPECT_EQ(odometer.Left_Press_Count, left + 2);
    EXPECT_EQ(Left_Mouse_Label->text(), QString::number(left + 2));
}

TEST_F(Odometer_Pacing, A_Program_Warping_The_Pointer_Along_A_Path_Is_Followed_Once_The_Poll_Sees_It)
{
    Recording warps;
    warps.Rest(10).Warp_To(300, 300).Rest(Odometer_Pacer::Backup_Poll_ms / 10);
    for (int i = 1; i <= 40; ++i)
        warps.Rest(4).Warp_To(300 + 20 * i, 300 + (i % 2) * 30);
    warps.Rest(150);
    const auto [polled, reported] = Play_Both(warps);
    EXPECT_EQ(reported.distance, polled.distance);
}

// The window's Trailcount_Timer and the platform's reports, wired to its odometer.
TEST(Odometer_Wiring, The_Timer_Sleeps_At_Rest_And_A_Report_Wakes_It)
{
    Faked_Windows windows;
    Fake_Input& input = windows.screen;
    TMainForm1& form = windows.form();
    for (QTimer* timer : {form.Timer1, form.Program_Size_Timer, form.Reset_CPU_Monitoring_Timer})
        timer->stop();

    // A window whose platform reports activity, on the real timer.
    form.Odometer.Pacing().Stop();
    input.reports = true;
    input.Move_To(10, 10);
    form.Odometer.Pacing().Start();
    ASSERT_EQ(form.Odometer.Pacing().Mode(), Odometer_Pacer::Mode::Listening);
    EXPECT_EQ(form.Trailcount_Timer->interval(), Odometer_Pacer::Backup_Poll_ms);
    EXPECT_TRUE(input.motion_reported);

    // Until a button is reported, the samples count the presses: a platform
    // may take the registration and report nothing (Wine's raw input).
    input.pointer.left_down = true;
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.Odometer.Left_Press_Count == 1; }, 10000));
    input.pointer.left_down = false;

    // Two moves, sampled as they are reported or, when they come too close
    // together, by the timer a moment later; then all is as before.
    input.Device_Move_To(310, 410);
    input.Device_Move_To(610, 810);
    const double expected = 1000.0 * 47 / 1792 / 100000;
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::abs(form.Odometer.Odometer_Distance - expected) < 1e-12; }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.Odometer.Pacing().Mode() == Odometer_Pacer::Mode::Listening; }, 10000));
    EXPECT_TRUE(input.motion_reported);
    EXPECT_EQ(form.Trailcount_Timer->interval(), Odometer_Pacer::Backup_Poll_ms);

    // A press held keeps the timer sampling, the reports of motion off,
    // until it is let go.
    input.Device_Button(platform::Mouse_Button::Right, true);
    EXPECT_EQ(form.Odometer.Right_Press_Count, 1);
    EXPECT_EQ(form.Odometer.Pacing().Mode(), Odometer_Pacer::Mode::Ticking);
    EXPECT_FALSE(input.motion_reported);
    QTest::qWait(100);
    EXPECT_EQ(form.Odometer.Pacing().Mode(), Odometer_Pacer::Mode::Ticking);
    input.Device_Button(platform::Mouse_Button::Right, false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.Odometer.Pacing().Mode() == Odometer_Pacer::Mode::Listening; }, 10000));
    EXPECT_EQ(form.Odometer.Right_Press_Count, 1);

    // Once the refresh runs, the backup poll rides its wakes, with no timer
    // of the odometer's own; a warp is seen at a refresh.
    form.Timer1->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.Trailcount_Timer->isActive(); }, 10000));
    input.Move_To(610, 1110);
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::abs(form.Odometer.Odometer_Distance - expected * 1.3) < 1e-12; }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.Trailcount_Timer->isActive(); }, 10000)) << "riding again";
    form.Timer1->stop();
}
