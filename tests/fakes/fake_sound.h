#pragma once
#include "fakes/fake_clock.h"
#include "platform/sound.h"

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

// A capture sink for sounds: records every tone and default beep, and moves
// the test's clock on by what each would have lasted, as a real device would.
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
    int message_beep_ms = 150; // how long one default beep takes
    bool takes_real_time = false; // each sound also lasts its length on the wall clock
    // Runs after each tone or beep has "played" (tests nest ticks here).
    std::function<void()> after_sound;

    void Beep(int frequency_hz, int duration_ms) override
    {
        tones.push_back({frequency_hz, duration_ms});
        Advance(duration_ms);
    }
    void Message_Beep(unsigned) override
    {
        ++message_beeps;
        Advance(message_beep_ms);
    }
    void Silence() override { ++silences; }

    std::vector<int> Frequencies() const
    {
        std::vector<int> out;
        for (const Tone& tone : tones)
            out.push_back(tone.frequency_hz);
        return out;
    }

private:
    void Advance(int milliseconds)
    {
        if (takes_real_time && milliseconds > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        if (clock_ && milliseconds > 0)
            clock_->Advance_Seconds(milliseconds / 1000.0);
        if (after_sound)
            after_sound();
    }

    Fake_Clock* clock_;
};
