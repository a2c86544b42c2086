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

# keys KEY...: typed into the program's window, a moment apart.
keys() {
  DISPLAY="$VISTREL_E2E_DISPLAY" xdotool windowactivate --sync "$window"
  for key in "$@"; do
    DISPLAY="$VISTREL_E2E_DISPLAY" xdotool key --clearmodifiers "$key"
    sleep 0.4
  done
}

# close_program: through the window manager's own key; fails unless the
# program ends with status 0.
close_program() {
  keys alt+F4
  local status=0
  for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
  wait "$program_pid" || status=$?
  program_pid=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

stop_program() {
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
}
