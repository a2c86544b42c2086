// Tones through the system's Beep, the default sound through MessageBeep.
//
// Beep returns when its tone has played. Where it returns sooner (no
// speaker, a frequency it refuses, a system that does not wait) the rest of
// the tone's length passes in silence, so that a sound always lasts as long
// as asked.
//
// A Beep in progress cannot be stopped: Cut_Short ends only the silent rest
// and the tones after it, and a tone still sounding at the program's end is
// left to the system, which ends it with the process.
#include "platform/sound.h"

#include "platform/win32_names.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace platform {
namespace {

class Win32_Sound_Service final : public Sound_Service {
public:
    void Beep(int frequency_hz, int duration_ms) override
    {
        if (duration_ms <= 0 || cut_)
            return;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(duration_ms);
        if (frequency_hz > 0)
            ::Beep(static_cast<DWORD>(frequency_hz), static_cast<DWORD>(duration_ms));
        // A sleep may end a little early here; the tone may not.
        for (auto now = std::chrono::steady_clock::now(); now < end && !cut_; now = std::chrono::steady_clock::now())
            std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(end - now, Cut_Check));
    }

    void Message_Beep(unsigned type) override
    {
        if (!cut_)
            MessageBeep(type);
    }

    void Silence() override { cut_ = false; }

    bool Cut_Short() override
    {
        cut_ = true;
        return false;
    }

private:
    // How often the silent rest of a tone looks for a cut.
    static constexpr std::chrono::milliseconds Cut_Check{20};
    std::atomic<bool> cut_{false};
};

} // namespace

template <>
Sound_Service& Default_Service<Sound_Service>()
{
    static Win32_Sound_Service service;
    return service;
}

} // namespace platform
