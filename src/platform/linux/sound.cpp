// Tones on ALSA's default playback device.
//
// A tone is a square wave written to the device as it is asked for and paced
// by the system clock: the call returns when the tone has all but played, a
// little ahead so that the next tone is queued before the device runs dry.
// Consecutive tones therefore join into one sound, and the wave's phase runs
// on from one tone to the next, so a sweep of 1 ms tones sounds as a sweep.
// The device stays open between tones and is closed by Silence().
//
// Tones are played on the program's sound thread; Cut_Short, from any
// thread, ends the tone in progress at its next chunk or wait, and the
// stream is dropped rather than played out.
//
// The device is opened non-blocking and every wait on it is bounded: a
// machine without sound, or a device that fails or stalls, gives silence of
// the tone's length, never an error and never a hang. ALSA's own error
// printing is switched off, since a missing device is not worth a word.
#include "platform/sound.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr unsigned Wanted_Rate = 48000;
constexpr unsigned Wanted_Buffer_Us = 100000;
constexpr unsigned Wanted_Period_Us = 10000;
// How far ahead of its end a tone returns; less than the device's buffer.
constexpr auto Lead = milliseconds(30);
// How long past a tone's end a device that takes no data is waited for.
constexpr auto Stall_Limit = milliseconds(500);
// Longest wait for queued sound to play out when sound stops.
constexpr auto Drain_Limit = milliseconds(1000);
constexpr std::int16_t Amplitude = 8000;
constexpr unsigned Max_Channels = 8;
constexpr long Chunk_Frames = 1024;

// The default beep: a short tone and a short pause, so that repeated beeps
// are heard as beeps.
constexpr int Default_Beep_Hz = 880;
constexpr int Default_Beep_Ms = 100;
constexpr int Default_Beep_Pause_Ms = 50;

void Quiet(const char*, int, const char*, int, const char*, ...) {}

class Alsa_Sound_Service final : public Sound_Service {
public:
    Alsa_Sound_Service() { snd_lib_error_set_handler(&Quiet); }
    ~Alsa_Sound_Service() override { Close(); }
    Alsa_Sound_Service(const Alsa_Sound_Service&) = delete;
    Alsa_Sound_Service& operator=(const Alsa_Sound_Service&) = delete;

    void Beep(int frequency_hz, int duration_ms) override { Play(frequency_hz, duration_ms); }

    void Message_Beep(unsigned) override
    {
        Play(Default_Beep_Hz, Default_Beep_Ms);
        Play(0, Default_Beep_Pause_Ms);
    }

    void Silence() override
    {
        if (pcm_ && !Cut())
            Play_Out();
        Close();
        // A device that failed may be back by the next sound.
        open_failed_ = false;
        std::lock_guard<std::mutex> lock(mutex_);
        cut_ = false;
    }

    bool Cut_Short() override
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            cut_ = true;
        }
        woken_.notify_all();
        return true;
    }

private:
    bool Cut()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return cut_;
    }

    // Sleeps until the time, or until the sound is cut short.
    void Wait_Until(Clock::time_point until)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        woken_.wait_until(lock, until, [this] { return cut_; });
    }

    void Play(int frequency_hz, int duration_ms)
    {
        if (duration_ms <= 0 || Cut())
            return;
        const Clock::time_point now = Clock::now();
        if (stream_end_ < now)
            stream_end_ = now; // the sound had stopped: this tone starts it again
        const Clock::time_point tone_end = stream_end_ + milliseconds(duration_ms);
        stream_end_ = tone_end;
        if (Open() && !Write_Tone(frequency_hz, duration_ms, tone_end + Stall_Limit) && !Cut()) {
            Close();
            open_failed_ = true;
        }
        Wait_Until(pcm_ ? tone_end - Lead : tone_end);
    }

    bool Open()
    {
        if (pcm_)
            return true;
        if (open_failed_)
            return false;
        snd_pcm_t* pcm = nullptr;
        if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0 || !Configure(pcm)) {
            if (pcm)
                snd_pcm_close(pcm);
            open_failed_ = true;
            return false;
        }
        pcm_ = pcm;
        phase_ = 0;
        frames_owed_ = 0;
        return true;
    }

    bool Configure(snd_pcm_t* pcm)
    {
        snd_pcm_hw_params_t* hw = nullptr;
        snd_pcm_hw_params_alloca(&hw);
        unsigned rate = Wanted_Rate;
        unsigned channels = 1;
        unsigned buffer_us = Wanted_Buffer_Us;
        unsigned period_us = Wanted_Period_Us;
        if (snd_pcm_hw_params_any(pcm, hw) < 0
            || snd_pcm_hw_params_set_access(pcm, hw, SND_PCM_ACCESS_RW_INTERLEAVED) < 0
            || snd_pcm_hw_params_set_format(pcm, hw, SND_PCM_FORMAT_S16) < 0
            || snd_pcm_hw_params_set_channels_near(pcm, hw, &channels) < 0
            || snd_pcm_hw_params_set_rate_near(pcm, hw, &rate, nullptr) < 0)
            return false;
        // Best effort: a device keeps its own sizes when it cannot meet these.
        snd_pcm_hw_params_set_buffer_time_near(pcm, hw, &buffer_us, nullptr);
        snd_pcm_hw_params_set_period_time_near(pcm, hw, &period_us, nullptr);
        if (snd_pcm_hw_params(pcm, hw) < 0 || rate == 0 || channels == 0 || channels > Max_Channels)
            return false;

        // Start as soon as one period is queued, not when the buffer is full,
        // so that a short tone is heard without waiting for more.
        snd_pcm_uframes_t period = 0;
        snd_pcm_hw_params_get_period_size(hw, &period, nullptr);
        snd_pcm_sw_params_t* sw = nullptr;
        snd_pcm_sw_params_alloca(&sw);
        if (snd_pcm_sw_params_current(pcm, sw) == 0) {
            snd_pcm_sw_params_set_start_threshold(pcm, sw, std::max<snd_pcm_uframes_t>(period, 1));
            snd_pcm_sw_params_set_avail_min(pcm, sw, std::max<snd_pcm_uframes_t>(period, 1));
            snd_pcm_sw_params(pcm, sw);
        }
        rate_ = rate;
        channels_ = channels;
        return true;
    }

    bool Write_Tone(int frequency_hz, int duration_ms, Clock::time_point give_up)
    {
        // Frequencies the device cannot carry are silence.
        const double step =
            frequency_hz > 0 && 2.0 * frequency_hz < rate_ ? static_cast<double>(frequency_hz) / rate_ : 0.0;
        // Whole frames now, the fraction carried to the next tone, so that
        // many short tones keep their total length at any rate.
        frames_owed_ += static_cast<double>(duration_ms) * rate_ / 1000.0;
        long frames = static_cast<long>(std::floor(frames_owed_));
        frames_owed_ -= static_cast<double>(frames);

        while (frames > 0) {
            const long count = std::min(frames, Chunk_Frames);
            std::int16_t* sample = chunk_.data();
            for (long i = 0; i < count; ++i) {
                std::int16_t value = 0;
                if (step > 0) {
                    value = phase_ < 0.5 ? Amplitude : static_cast<std::int16_t>(-Amplitude);
                    phase_ += step;
                    if (phase_ >= 1.0)
                        phase_ -= 1.0;
                }
                for (unsigned channel = 0; channel < channels_; ++channel)
                    *sample++ = value;
            }
            if (Cut() || !Write(chunk_.data(), count, give_up))
                return false;
            frames -= count;
        }
        return true;
    }

    bool Write(const std::int16_t* data, long frames, Clock::time_point give_up)
    {
        while (frames > 0) {
            const snd_pcm_sframes_t written =
                snd_pcm_writei(pcm_, data, static_cast<snd_pcm_uframes_t>(frames));
            if (written > 0) {
                data += written * static_cast<long>(channels_);
                frames -= written;
                continue;
            }
            if (Clock::now() >= give_up || Cut())
                return false;
            if (written == 0 || written == -EAGAIN) {
                snd_pcm_wait(pcm_, 20);
            } else if (written == -EPIPE || written == -ESTRPIPE) {
                // Ran dry between tones, or was suspended: start again from here.
                if (snd_pcm_prepare(pcm_) < 0)
                    return false;
            } else if (written != -EINTR) {
                return false;
            }
        }
        return true;
    }

    // Lets what is queued play to its end, within a bound.
    void Play_Out()
    {
        if (snd_pcm_state(pcm_) == SND_PCM_STATE_PREPARED)
            snd_pcm_start(pcm_);
        Clock::time_point until = stream_end_;
        snd_pcm_sframes_t queued = 0;
        if (snd_pcm_delay(pcm_, &queued) == 0 && queued > 0)
            until = std::max(until, Clock::now() + milliseconds(queued * 1000 / rate_));
        Wait_Until(std::min(until, Clock::now() + Drain_Limit));
    }

    void Close()
    {
        if (!pcm_)
            return;
        snd_pcm_drop(pcm_);
        snd_pcm_close(pcm_);
        pcm_ = nullptr;
        // What was cut short no longer holds back the next sound.
        stream_end_ = Clock::time_point{};
    }

    snd_pcm_t* pcm_ = nullptr;
    bool open_failed_ = false;
    unsigned rate_ = Wanted_Rate;
    unsigned channels_ = 1;
    double phase_ = 0;       // of the square wave, in cycles
    double frames_owed_ = 0; // fraction of a frame carried between tones
    Clock::time_point stream_end_{}; // when all sound written so far will have played
    std::array<std::int16_t, Chunk_Frames * Max_Channels> chunk_{};
    std::mutex mutex_;
    std::condition_variable woken_;
    bool cut_ = false; // guarded by mutex_
};

} // namespace

template <>
Sound_Service& Default_Service<Sound_Service>()
{
    static Alsa_Sound_Service service;
    return service;
}

} // namespace platform
