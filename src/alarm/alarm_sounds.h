#pragma once
// The alarm's sounds: a single tone, the "wolf whistle" and the sliding scale.
//
// The routines here play on whatever thread calls them and return when the
// sound has ended; they touch no window. The program plays them on its
// sound thread (Sound_Player), so that a tone is one call to the device and
// the windows stay alive around it. Time is the local clock, in days.

#include <atomic>

namespace platform {
class Clock_Service;
class Sound_Service;
} // namespace platform

// True on the NT family (platform id 2 of the version query), asked afresh
// on every call.
bool Is_Windows_NT();

// What one sound is played with. The services and the family are taken on
// the user-interface thread when the sound is asked for; `stop`, when set,
// ends the sound between its tones.
struct Sound_Output {
    platform::Sound_Service& sound;
    platform::Clock_Service& clock;
    bool nt = true;
    const std::atomic<bool>* stop = nullptr;

    bool Stopped() const { return stop && stop->load(); }
};

// The services in use now and the family as the version query answers now.
Sound_Output Current_Sound_Output();

// One tone; returns when it has ended. On the NT family one speaker tone,
// otherwise default beeps repeated for the duration (frequency unused). A
// negative duration sounds nothing.
void Speaker_Tone(const Sound_Output& output, int duration_ms, int frequency_hz);

// Sweeps of 1 ms tones, repeated while the duration has not passed; a pass
// that has begun runs to its end, and a positive duration plays at least one.
void Play_Wolf_Whistle(const Sound_Output& output, int duration_ms);
void Play_Sliding_Scale(const Sound_Output& output, int duration_ms);
