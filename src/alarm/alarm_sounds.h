#pragma once
// The alarm's sounds: a single tone, the "wolf whistle" and the sliding scale.
//
// Every tone ends with the processing of pending events, so the windows stay
// alive while a sound plays and other handlers (the refresh tick, a second
// Sound Test) may run nested inside it. Time is the local clock, in days.

// True on the NT family (platform id 2 of the version query), asked afresh
// on every call.
bool Is_Windows_NT();

// One tone; returns when it has ended. On the NT family the speaker tone,
// otherwise default beeps repeated for the duration (frequency unused).
// Events are processed during a long tone as well as after it. A negative
// duration sounds nothing.
void Speaker_Tone(int duration_ms, int frequency_hz);

// Sweeps of 1 ms tones, repeated while the duration has not passed; a pass
// that has begun runs to its end, and a positive duration plays at least one.
void Play_Wolf_Whistle(int duration_ms);
void Play_Sliding_Scale(int duration_ms);

// Tells the sound device, when it goes out of scope, that sound has stopped
// for now, so that it may be released.
class Silence_When_Done {
public:
    Silence_When_Done() = default;
    ~Silence_When_Done();
    Silence_When_Done(const Silence_When_Done&) = delete;
    Silence_When_Done& operator=(const Silence_When_Done&) = delete;
};
