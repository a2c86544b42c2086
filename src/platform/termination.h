#pragma once
// Closing when the session ends.
//
// Contract: Watch_Termination arranges for `close_request` to run on the
// user-interface thread when the desktop ends the session or the process is
// asked to terminate, so the program closes as through its close box and
// saves its settings. Call once, after the event loop's objects exist.
// Linux: SIGTERM, SIGHUP and SIGINT, delivered through a self-pipe to the
// event loop. Win32: WM_ENDSESSION, taken by a hidden top-level window of
// its own and answered before the session ends; a console's Ctrl+C, close,
// log-off and shut-down events, passed to that window.

#include <functional>

namespace platform {

void Watch_Termination(std::function<void()> close_request);

} // namespace platform
