# Shared by the install tests: start an installed vistrel on the test display
# as a user would, drive it with the keyboard, and close it.
# Sourced; sets $program_pid and $window.

fail() { echo "FAIL: $*" >&2; exit 1; }

program_pid=""
window=""

# start_program EXECUTABLE CONFIG_HOME: from /, with HOME and XDG_CONFIG_HOME
# inside the test's own folder, on the test display, no toolkit platform chosen.
start_program() {
  (cd / && exec env -u QT_QPA_PLATFORM DISPLAY="$VISTREL_E2E_DISPLAY" HOME="$2" XDG_CONFIG_HOME="$2/.config" \
    "$1" >/dev/null 2>&1) &
  program_pid=$!
  window=$(DISPLAY="$VISTREL_E2E_DISPLAY" timeout 15 xdotool search --sync --onlyvisible --pid "$program_pid" \
    --name 'Vistrel v4.8f' | head -n 1) || true
  [ -n "$window" ] || fail "no window from $1"
  sleep 1.5 # the start-up's first placement passes
}

# keys KEY...: typed into the program's window, a moment apart (a loaded
# machine opens a menu slowly).
keys() {
  DISPLAY="$VISTREL_E2E_DISPLAY" xdotool windowactivate --sync "$window"
  for key in "$@"; do
    DISPLAY="$VISTREL_E2E_DISPLAY" xdotool key --clearmodifiers "$key"
    sleep 1
  done
}

# answer_message KEY: waits for a window of the program's other than the
# main one (a message box) and types KEY into it.
answer_message() {
  local other=""
  for _ in $(seq 150); do
    other=$(DISPLAY="$VISTREL_E2E_DISPLAY" xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null |
      grep -vx "$window" | head -n 1) || true
    [ -n "$other" ] && break
    sleep 0.1
  done
  [ -n "$other" ] || fail "no message box"
  DISPLAY="$VISTREL_E2E_DISPLAY" xdotool windowactivate --sync "$other" key --clearmodifiers "$1"
  for _ in $(seq 150); do
    DISPLAY="$VISTREL_E2E_DISPLAY" xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null |
      grep -qvx "$window" || return 0
    sleep 0.1
  done
  fail "the message box stayed open"
}

# close_program: through the window manager's own key, pressed again if a
# slow machine let the first one go astray; fails unless the program ends
# with status 0, and never waits for ever.
close_program() {
  local status=0
  for _ in 1 2 3; do
    keys alt+F4
    for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$program_pid" 2>/dev/null || break
  done
  if kill -0 "$program_pid" 2>/dev/null; then
    kill -9 "$program_pid" 2>/dev/null || true
    program_pid=""
    fail "the program did not close on alt+F4"
  fi
  wait "$program_pid" || status=$?
  program_pid=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

stop_program() {
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
}
