#!/usr/bin/env bash
# What the monitor costs the machine, against the lightest peer: whole
# process, all threads, under Xvfb with openbox, in one interleaved run.
#
#   bench/overhead.sh [seconds per measurement, default 30] [repetitions, default 3]
#
# CONDITIONS="rest mouse1000" measures only those conditions.
# BEFORE=path/to/an/earlier/vistrel adds that build as one more subject of
# the same run ("before"), to compare a change against what it replaces.
# PANEL=1 adds Vistrel with its odometer panel shown ("panel"): the distance
# is then painted 25 times a second while the pointer moves.
#
# Subjects: Vistrel as shipped, xosview, Vistrel with its odometer stopped,
# and nothing at all (what Xvfb and the pointer mover cost on their own).
# Conditions: the pointer at rest; moved every 50 ms by xdotool
# mousemove_relative (through the XTest device, as a mouse moves it); moved
# every 50 ms by absolute xdotool mousemove (warps, which no device reports);
# moved relatively through XTest 125 and 1,000 times a second (mouse125,
# mouse1000: a common mouse and a gaming mouse) by vistrel_xtest_mover.
# Each repetition measures every condition for every subject in turn, so
# that drift in the machine's load spreads evenly over them.
#
# Per measurement: CPU time and time slices (wake-ups) of the process, the
# sum over its threads of /proc/PID/task/TID/schedstat; VmRSS and PSS at
# the end; and Xvfb's own CPU time over the same period, less what it spent
# with no subject at all (Xvfb's CPU caused by the subject). The table gives
# medians and each ratio to xosview, then each program's time to its first
# window (median of five starts).
#
# Needs the build (scripts/build) and xosview (Debian xosview, xfonts-base).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VISTREL_BUILD_DIR:-$root/build}"
seconds="${1:-30}"
repetitions="${2:-3}"
display=":$((500 + RANDOM % 300))"
program="$build/vistrel"
harness="$build/bench/vistrel_overhead_harness"
first_window="$build/bench/vistrel_first_window"
xtest_mover="$build/bench/vistrel_xtest_mover"
for executable in "$program" "$harness" "$first_window" "$xtest_mover"; do
  [ -x "$executable" ] || { echo "missing $executable: run scripts/build first" >&2; exit 1; }
done
command -v xosview >/dev/null || { echo "xosview is missing: apt-get install xosview xfonts-base" >&2; exit 1; }

# Each program keeps its settings in a folder of its own, so that no
# earlier run's settings file changes what is measured.
work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
cp "$program" "$harness" "$work/"
if [ -n "${BEFORE:-}" ]; then mkdir "$work/before" && cp "$BEFORE" "$work/before/vistrel"; fi
if [ -n "${PANEL:-}" ]; then
  mkdir "$work/panel" && cp "$program" "$work/panel/"
  printf '[vistrel]\nShow_Trailcount_Option=1\n' > "$work/panel/vistrel.ini"
fi
export XDG_CONFIG_HOME="$work/config" HOME="$work"

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
pids+=("$xvfb")
for _ in $(seq 50); do DISPLAY="$display" xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
export DISPLAY="$display"
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 0.5

# Sums over the threads: run time in ns ($1) and time slices ($3).
schedstat() {
  awk -v field="$2" '{ total += $field } END { printf "%.0f\n", total }' /proc/"$1"/task/*/schedstat 2>/dev/null || echo 0
}

# The pointer walks round a circle (x 520..880, y 340..700), clear of every
# subject's window wherever it opens or snaps, a step every 50 ms.
start_mover() {
  local kind="$1" steps=$(( (seconds + 10) * 20 )) path
  case "$kind" in
    mouse*)
      "$xtest_mover" "${kind#mouse}" "$((seconds + 10))" &
      mover=$!
      pids+=("$mover")
      return ;;
  esac
  xdotool mousemove 880 520
  path=$(awk -v n="$steps" -v kind="$kind" 'BEGIN { px = 880; py = 520
      for (i = 1; i <= n; i++) {
        a = i * 0.05; x = int(700 + 180 * cos(a) + 0.5); y = int(520 + 180 * sin(a) + 0.5)
        if (kind == "relative") printf "mousemove_relative -- %d %d sleep 0.05 ", x - px, y - py
        else printf "mousemove %d %d sleep 0.05 ", x, y
        px = x; py = y } }')
  # shellcheck disable=SC2086
  xdotool $path &
  mover=$!
  pids+=("$mover")
}

results="$work/results"
: > "$results"

# measure SUBJECT CONDITION COMMAND...
measure() {
  local subject="$1" condition="$2"; shift 2
  local pid=""
  if (($#)); then
    "$@" >/dev/null 2>&1 &
    pid=$!
    pids+=("$pid")
    sleep 3 # start-up is not what is measured
  fi
  mover=""
  [ "$condition" = rest ] || start_mover "$condition"
  sleep 1
  local cpu0=0 slices0=0 xvfb0 cpu1=0 slices1=0 xvfb1 rss=0 pss=0
  if [ -n "$pid" ]; then cpu0=$(schedstat "$pid" 1); slices0=$(schedstat "$pid" 3); fi
  xvfb0=$(schedstat "$xvfb" 1)
  sleep "$seconds"
  if [ -n "$pid" ]; then
    cpu1=$(schedstat "$pid" 1); slices1=$(schedstat "$pid" 3)
    rss=$(awk '/^VmRSS:/ { print $2 }' /proc/"$pid"/status)
    pss=$(awk '/^Pss:/ { print $2 }' /proc/"$pid"/smaps_rollup)
  fi
  xvfb1=$(schedstat "$xvfb" 1)
  [ -z "$mover" ] || kill "$mover" 2>/dev/null || true
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  echo "$subject $condition $((cpu1 - cpu0)) $((slices1 - slices0)) $((xvfb1 - xvfb0)) $rss $pss" >> "$results"
}

subjects=(vistrel ${BEFORE:+before} ${PANEL:+panel} xosview no-odometer none)
run_subject() {
  case "$1" in
    vistrel) measure vistrel "$2" "$work/vistrel" ;;
    xosview) measure xosview "$2" xosview ;;
    before) measure before "$2" "$work/before/vistrel" ;;
    panel) measure panel "$2" "$work/panel/vistrel" ;;
    no-odometer) measure no-odometer "$2" "$work/vistrel_overhead_harness" --no-odometer ;;
    none) measure none "$2" ;;
  esac
}

echo "display $display, $seconds s per measurement, $repetitions repetitions"
for repetition in $(seq "$repetitions"); do
  for condition in ${CONDITIONS:-rest relative absolute mouse125 mouse1000}; do
    for subject in "${subjects[@]}"; do
      run_subject "$subject" "$condition"
      echo "  done: repetition $repetition, $condition, $subject" >&2
    done
  done
done

echo
awk -v s="$seconds" '
  function median(list,   n, a, i, j, t) {
    n = split(list, a, " ")
    for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
  }
  { key = $1 " " $2
    cpu[key] = cpu[key] " " $3 / 1e7 / s; wake[key] = wake[key] " " $4 / s; x[key] = x[key] " " $5 / 1e7 / s
    rss[key] = rss[key] " " $6 / 1024; pss[key] = pss[key] " " $7 / 1024 }
  END {
    split(ENVIRON["CONDITIONS"] ? ENVIRON["CONDITIONS"] : "rest relative absolute mouse125 mouse1000", conditions, " ")
    split("vistrel" (ENVIRON["BEFORE"] ? " before" : "") (ENVIRON["PANEL"] ? " panel" : "") " xosview no-odometer", names, " ")
    printf "%-10s %-12s %8s %8s %9s %11s %8s %8s\n", "pointer", "program", "CPU %", "wake/s", "x xosview", "Xvfb CPU %", "RSS MB", "PSS MB"
    for (c = 1; c in conditions; c++) {
      base = median(x["none " conditions[c]])
      peer = median(cpu["xosview " conditions[c]])
      for (n = 1; n in names; n++) {
        key = names[n] " " conditions[c]
        m = median(cpu[key])
        printf "%-10s %-12s %8.3f %8.1f %9.2f %11.3f %8.1f %8.1f\n", conditions[c], names[n], m, median(wake[key]),
               (peer > 0 ? m / peer : 0), median(x[key]) - base, median(rss[key]), median(pss[key])
      }
    }
  }' "$results"

echo
for subject in vistrel xosview; do
  times=()
  for _ in 1 2 3 4 5; do
    if [ "$subject" = vistrel ]; then times+=("$("$first_window" "$work/vistrel")"); else times+=("$("$first_window" xosview)"); fi
    sleep 0.5
  done
  printf '%s\n' "${times[@]}" | sort -n | awk -v name="$subject" '{ t[NR] = $1 } END { printf "time to first window, %-8s %6.1f ms (median of %d)\n", name, t[int((NR + 1) / 2)], NR }'
done
