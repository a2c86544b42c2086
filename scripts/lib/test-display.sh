# Sourced by the test scripts: a private Xvfb display with openbox for the
# real-window tests, named in VISTREL_E2E_DISPLAY and stopped when the
# script exits. Where the caller already names one, that one is used.
if [ -z "${VISTREL_E2E_DISPLAY:-}" ]; then
  test_display=":$((200 + RANDOM % 300))"
  Xvfb "$test_display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  test_display_xvfb=$!
  test_display_wm=""
  trap 'kill $test_display_wm $test_display_xvfb 2>/dev/null || true' EXIT
  for _ in $(seq 50); do DISPLAY="$test_display" xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  DISPLAY="$test_display" openbox >/dev/null 2>&1 &
  test_display_wm=$!
  sleep 0.5
  export VISTREL_E2E_DISPLAY="$test_display"
fi
