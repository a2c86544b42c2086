#!/usr/bin/env bash
# What the Windows program costs at rest under Wine, beside Wine's own
# Notepad in the same prefix and the same run: both started on a private
# Xvfb with openbox and Wine's X11 driver, the pointer still, then measured
# together over the same seconds. Every Win32 call that reaches the Wine
# server is a round trip, so thread runs a second show each waking timer.
#
#   bench/wine_overhead.sh [seconds per measurement, default 30] [repetitions, default 3]
#
# Per process: CPU time (% of one core) and time slices a second (thread
# runs), the sums over its threads of /proc/PID/task/TID/schedstat; then,
# for Vistrel, the same per thread, for the last repetition.
# Needs the packaged program (scripts/package-windows).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VISTREL_BUILD_DIR:-$root/build}/windows"
seconds="${1:-30}"
repetitions="${2:-3}"
folder="$(ls -d "$build"/packages/vistrel-*-win64 2>/dev/null | head -n 1)"
[ -n "$folder" ] && [ -f "$folder/vistrel.exe" ] || { echo "no packaged program: run scripts/package-windows" >&2; exit 1; }
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine64
wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver64)"

work="$(mktemp -d)"
export WINEPREFIX="$build/bench-prefix" WINEARCH=win64 WINEDEBUG=-all
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
source "$root/scripts/lib/test-display.sh"
export DISPLAY="$VISTREL_E2E_DISPLAY"
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  kill $test_display_wm $test_display_xvfb 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
source "$root/scripts/lib/wine-prefix.sh"
wine_prefix_start "$wine" "$wineserver" "$work/wineboot.log" ""

# A copy of its own, so that its settings file starts from the defaults.
cp -r "$folder" "$work/program"
(cd "$work" && exec "$wine" notepad >/dev/null 2>&1) &
(cd "$work" && exec "$wine" "$work/program/vistrel.exe" >"$work/vistrel.log" 2>&1) &
wine_program_window $! "$work/vistrel.log" >/dev/null
# Wine starts each program through start.exe, so the process is found by
# its Windows command line, in this prefix only.
windows_pid() {
  local pid
  for pid in $(pgrep -f "$1"); do
    grep -qzx "WINEPREFIX=$WINEPREFIX" /proc/"$pid"/environ 2>/dev/null && ! grep -q start.exe /proc/"$pid"/cmdline &&
      { echo "$pid"; return; }
  done
}
for _ in $(seq 100); do
  notepad=$(windows_pid 'system32.notepad.exe') vistrel=$(windows_pid 'program.vistrel.exe')
  [ -n "$notepad" ] && [ -n "$vistrel" ] && break
  sleep 0.1
done
[ -n "${vistrel:-}" ] || { echo "vistrel.exe did not start" >&2; exit 1; }
xdotool mousemove 1200 760
sleep 5 # past the start-up's own work

# field 1: nanoseconds on the CPU; field 3: time slices
task_figures() { awk '{ print FILENAME, $1, $3 }' /proc/"$1"/task/*/schedstat 2>/dev/null | sed 's|/proc/[0-9]*/task/||; s|/schedstat||'; }
total() { task_figures "$1" | awk -v f="$2" '{ t += $f } END { printf "%.0f\n", t }'; }

printf '%-10s %12s %12s\n' process "CPU %core" "runs/s"
for repetition in $(seq "$repetitions"); do
  n0=$(total "$notepad" 2) nr0=$(total "$notepad" 3) v0=$(total "$vistrel" 2) vr0=$(total "$vistrel" 3)
  task_figures "$vistrel" >"$work/tasks0"
  sleep "$seconds"
  n1=$(total "$notepad" 2) nr1=$(total "$notepad" 3) v1=$(total "$vistrel" 2) vr1=$(total "$vistrel" 3)
  task_figures "$vistrel" >"$work/tasks1"
  awk -v s="$seconds" -v r="$repetition" -v n="$((n1 - n0))" -v nr="$((nr1 - nr0))" -v v="$((v1 - v0))" -v vr="$((vr1 - vr0))" 'BEGIN {
      np = n / s / 1e7; vp = v / s / 1e7; floor = np < 0.05 ? 0.05 : np
      printf "notepad    %12.3f %12.1f\n", np, nr / s
      printf "vistrel    %12.3f %12.1f   %.2f x Notepad (counted as at least 0.05 %%)\n", vp, vr / s, vp / floor
    }'
done
echo "Vistrel's threads over the last measurement:"
join "$work/tasks0" "$work/tasks1" | while read -r tid cpu0 runs0 cpu1 runs1; do
  name=$(cat /proc/"$vistrel"/task/"$tid"/comm 2>/dev/null || echo '?')
  awk -v s="$seconds" -v t="$tid" -v name="$name" -v c="$((cpu1 - cpu0))" -v r="$((runs1 - runs0))" \
    'BEGIN { if (r > 0) printf "  %-8s %-16s %8.3f %%core %8.1f runs/s\n", t, name, c / s / 1e7, r / s }'
done
