#pragma once
// Tones and the default beep.
//
// Contracts:
// - Beep: sounds a tone of the frequency (Hz) for the duration (ms) and
//   returns when it has played. Consecutive short tones join into one
//   continuous sound. No sound device, or one that fails, means silence for
//   the tone's duration: never an error, never a hang.
// - Message_Beep: the default system sound (type 0), short and fixed.
// - Silence: sound has stopped for now; the device may be released. Lets
//   what is queued play out, unless the sound was cut short.
// - Cut_Short: the one call that may come from another thread than the one
//   that plays. A tone in progress, and every later one until the next
//   Silence, ends at once as far as the system allows; answers whether a
//   tone in progress does end (false where it plays on to its end).
// Win32: Beep, MessageBeep; where Beep returns before the tone's length
// (no speaker), the rest passes in silence; a Beep in progress cannot be
// stopped. Linux: ALSA's default PCM device, square wave; a cut drops the
// stream.

#include "platform/services.h"

namespace platform {

class Sound_Service {
public:
    virtual ~Sound_Service() = default;
    virtual void Beep(int frequency_hz, int duration_ms) = 0;
    virtual void Message_Beep(unsigned type) = 0;
    virtual void Silence() = 0;
    virtual bool Cut_Short() = 0;
};

template <>
Sound_Service& Default_Service<Sound_Service>();

} // namespace platform
