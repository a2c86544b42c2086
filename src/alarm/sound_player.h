#pragma once
// The sound thread: plays the alarm's sounds one after another, each whole,
// while the user-interface thread goes on handling events.
//
// A sound asked for while another plays waits for it: sounds are queued, never
// mixed and never dropped. The thread touches no window and no Qt object; the
// user-interface side learns that a sound has ended by looking, from its own
// event loop.

#include "alarm/alarm_sounds.h"

#include <functional>
#include <memory>

class Sound_Player {
public:
    using Sound = std::function<void(const Sound_Output&)>;

    Sound_Player();
    // Ends the sound in progress at once where the system allows it and
    // drops those still queued; never waits for a long tone to play out
    // (where a tone cannot be stopped, the thread is left to finish it).
    ~Sound_Player();
    Sound_Player(const Sound_Player&) = delete;
    Sound_Player& operator=(const Sound_Player&) = delete;

    // Queues the sound, with the services in use now, and returns when it
    // has ended. Events are handled meanwhile, so other handlers (the
    // refresh tick, a second Sound Test) run nested inside this call. When
    // the application is asked to quit, returns at once, the sound playing on.
    void Play(Sound sound);

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};
