#pragma once
#include "fakes/fake_clock.h"
#include "platform/sound.h"

#include <QCoreApplication>
#include <QThread>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A capture sink for sounds: records every tone and default beep, and moves
// the test's clock on by what each would have lasted, as a real device would.
// Sounds come from the program's sound thread; read what was recorded once the
// sound has ended (Play has returned).
class Fake_Sound final : public platform::Sound_Service {
public:
    struct Tone {
        int frequency_hz;
        int duration_ms;
        bool operator==(const Tone&) const = default;
    };

    explicit Fake_Sound(Fake_Clock* clock = nullptr) : clock_(clock) {}

    std::vector<Tone> tones;
    int message_beeps = 0;
    int silences = 0;
    int cuts = 0;
    int played_on_ui_thread = 0; // tones and beeps that held up the windows
    int message_beep_ms = 150;   // how long one default beep takes
    bool takes_real_time = false; // each sound also lasts its length on the wall clock
    // Runs after each tone or beep has "played", on the user-interface
    // thread while the sound thread waits (tests nest ticks here).
    std::function<void()> after_sound;

    // Each tone then lasts until it is cut short (or a minute has passed).
    void Hold_Tones()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        hold_ = true;
    }
    bool Tone_Started()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return started_ > 0;
    }

    void Beep(int frequency_hz, int duration_ms) override
    {
        Wait_While_Held();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            tones.push_back({frequency_hz, duration_ms});
        }
        Advance(duration_ms);
    }
    void Message_Beep(unsigned) override
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++message_beeps;
        }
        Advance(message_beep_ms);
    }
    void Silence() override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++silences;
        cut_ = false;
    }
    bool Cut_Short() override
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++cuts;
            cut_ = true;
        }
        woken_.notify_all();
        return true;
    }

    std::vector<int> Frequencies() const
    {
        std::vector<int> out;
        for (const Tone& tone : tones)
            out.push_back(tone.frequency_hz);
        return out;
    }

private:
    static bool On_Ui_Thread() { return QThread::currentThread() == QCoreApplication::instance()->thread(); }

    void Wait_While_Held()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        ++started_;
        if (hold_)
            woken_.wait_for(lock, std::chrono::minutes(1), [this] { return cut_; });
    }

    void Advance(int milliseconds)
    {
        const bool on_ui_thread = On_Ui_Thread();
        if (takes_real_time && milliseconds > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        {
            std::lock_guard<std::mutex> lock(mutex_);
            played_on_ui_thread += on_ui_thread;
            if (clock_ && milliseconds > 0)
                clock_->Advance_Seconds(milliseconds / 1000.0);
            if (cut_)
                return;
        }
        if (!after_sound)
            return;
        if (on_ui_thread)
            after_sound();
        else
            QMetaObject::invokeMethod(QCoreApplication::instance(), after_sound, Qt::BlockingQueuedConnection);
    }

    std::mutex mutex_;
    std::condition_variable woken_;
    bool hold_ = false;
    bool cut_ = false;
    int started_ = 0;
    Fake_Clock* clock_;
};
