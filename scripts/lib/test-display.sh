# Sourced by the test scripts: a private Xvfb display with openbox for the
# real-window tests, named in VISTREL_E2E_DISPLAY and stopped when the
# script exits. Where the caller already names one, that one is used.
# The number is drawn at random, so that others testing on the same machine
# keep theirs; one whose lock file exists is passed over, and one that does
# not come up is given up for another draw.
if [ -z "${VISTREL_E2E_DISPLAY:-}" ]; then
  test_display=""
  test_display_xvfb=""
  test_display_wm=""
  trap 'kill $test_display_wm $test_display_xvfb 2>/dev/null || true' EXIT
  for _ in $(seq 10); do
    number=$((300 + RANDOM % 600))
    [ -e "/tmp/.X$number-lock" ] && continue
    Xvfb ":$number" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    test_display_xvfb=$!
    for _ in $(seq 100); do
      DISPLAY=":$number" xdpyinfo >/dev/null 2>&1 && { test_display=":$number"; break; }
      kill -0 "$test_display_xvfb" 2>/dev/null || break
      sleep 0.1
    done
    [ -n "$test_display" ] && break
    kill "$test_display_xvfb" 2>/dev/null || true
    test_display_xvfb=""
  done
  if [ -z "$test_display" ]; then
    echo "test display: no Xvfb display could be started" >&2
    exit 1
  fi
  # The window manager is not what the tests test. Should it end while the
  # display lives (it has, once in many runs, leaving no trace), every later
  # test would fail for want of frames; so it is started again, its output
  # kept, and the restart said on standard error.
  test_display_wm_log="${TMPDIR:-/tmp}/vistrel-openbox-${test_display#:}.log"
  : >"$test_display_wm_log"
  (
    while kill -0 "$test_display_xvfb" 2>/dev/null; do
      DISPLAY="$test_display" openbox >>"$test_display_wm_log" 2>&1 && status=0 || status=$?
      kill -0 "$test_display_xvfb" 2>/dev/null || break
      echo "test display: openbox ended with status $status; started again (its output: $test_display_wm_log)" >&2
      sleep 0.2
    done
  ) &
  test_display_wm=$!
  # The window manager owns the screen once it has set its check window.
  for _ in $(seq 50); do
    DISPLAY="$test_display" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  export VISTREL_E2E_DISPLAY="$test_display"
fi
