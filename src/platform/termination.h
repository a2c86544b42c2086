#pragma once
// Closing when the session ends.
//
// Contract: Watch_Termination arranges for `close_request` to run on the
// user-interface thread when the desktop ends the session or the process is
// asked to terminate, so the program closes as through its close box and
// saves its settings. Call once, after the event loop's objects exist.
// Linux: SIGTERM, SIGHUP and SIGINT, delivered through a self-pipe to the
// event loop. Win32: the session-end messages, which the toolkit already
// turns into a close of the main window; nothing to do.

#include <functional>

namespace platform {

void Watch_Termination(std::function<void()> close_request);

} // namespace platform
