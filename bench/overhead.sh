#!/usr/bin/env bash
# The odometer's cost to the whole process: CPU time of the running monitor
# under Xvfb while xdotool moves the cursor without pause, with the odometer's
# 10 ms timer running and with it stopped. CPU time is the sum over the
# process's threads of /proc/PID/task/TID/schedstat (nanoseconds on a CPU),
# read at the start and the end of the measured period.
#
#   bench/odometer_overhead.sh [display] [seconds]
#
# Starts its own Xvfb and openbox on the display (default: a free-looking
# random one) and stops them at the end. Needs the build (scripts/build).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VISTREL_BUILD_DIR:-$root/build}"
display="${1:-:$((500 + RANDOM % 300))}"
seconds="${2:-30}"
program="$build/vistrel"
harness="$build/bench/vistrel_odometer_overhead"
for executable in "$program" "$harness"; do
  [ -x "$executable" ] || { echo "missing $executable: run scripts/build first" >&2; exit 1; }
done

pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do DISPLAY="$display" xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
DISPLAY="$display" openbox >/dev/null 2>&1 &
pids+=($!)
sleep 0.5
export DISPLAY="$display"

cpu_ns() {
  local total=0 ran
  for stat in /proc/"$1"/task/*/schedstat; do
    read -r ran _ < "$stat" 2>/dev/null || continue
    total=$((total + ran))
  done
  echo "$total"
}

# One xdotool process walks the cursor round a circle, a step every 10 ms,
# for longer than the measurement; its own CPU is not the monitor's. The
# circle (x 520..880, y 340..700) keeps clear of the monitor's own window,
# wherever it starts or snaps, so that the monitor gets no pointer events of
# its own and only the odometer's work differs between the runs.
start_mover() {
  local steps=$(( (seconds + 10) * 100 ))
  local path
  path=$(awk -v n="$steps" 'BEGIN { for (i = 0; i < n; i++) {
      a = i * 0.02; printf "mousemove %d %d sleep 0.01 ", 700 + 180 * cos(a), 520 + 180 * sin(a) } }')
  # shellcheck disable=SC2086
  xdotool $path &
  mover=$!
  pids+=("$mover")
}

measure() {
  local label="$1"; shift
  "$@" >/dev/null 2>&1 &
  local pid=$!
  pids+=("$pid")
  sleep 3 # start-up is not what is measured
  start_mover
  sleep 1
  local before after
  before=$(cpu_ns "$pid")
  sleep "$seconds"
  after=$(cpu_ns "$pid")
  kill "$mover" "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  awk -v l="$label" -v ns=$((after - before)) -v s="$seconds" \
    'BEGIN { printf "%-44s %8.1f ms CPU in %d s = %5.2f %% of one core\n", l, ns / 1e6, s, ns / 1e7 / s }'
}

echo "cursor moving continuously, $seconds s each, display $display"
measure "monitor as shipped (panel hidden)" "$program"
measure "monitor, odometer panel shown" "$harness" --panel
measure "monitor, odometer panel shown, timer stopped" "$harness" --panel --no-odometer
