#!/usr/bin/env bash
# Checks that the CPU gauge follows the machine's real load: first with the
# machine as it is, then with one core kept busy by stress-ng. In each phase
# the gauge's figure (the program's own CPU step on live performance data)
# is set beside one computed independently from the aggregate line of
# /proc/stat over the same interval. Fails when they differ by more than
# the tolerance; prints the figures either way.
#
#   bench/cpu_reading_check.sh [intervals per phase, default 8] [tolerance, default 3]
#
# Needs a built tree (scripts/build) and stress-ng. Not part of ctest.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VISTREL_BUILD_DIR:-$root/build}"
runner="$build/bench/vistrel_bench"
intervals="${1:-8}"
tolerance="${2:-3}"
[[ -x "$runner" ]] || { echo "no $runner: run scripts/build first" >&2; exit 2; }
command -v stress-ng >/dev/null || { echo "stress-ng is not installed" >&2; exit 2; }

status=0
phase() {
    local title="$1" expected="$2" output largest mean
    echo "== $title (a whole-machine reading near $expected expected when nothing else runs)"
    output="$(VISTREL_CPU_READING_CHECK="$intervals" "$runner" --benchmark_filter='^CPU_Reading_Check' 2>&1 >/dev/null)"
    grep -E '^(interval|mean)' <<<"$output" || true
    mean="$(sed -n 's/^mean: //p' <<<"$output")"
    largest="$(sed -n 's/.*largest difference \([0-9.]*\).*/\1/p' <<<"$output")"
    if [[ -z "$largest" ]]; then
        echo "FAIL: $title: the runner printed no figures"
        status=1
    elif awk -v d="$largest" -v t="$tolerance" 'BEGIN { exit !(d > t) }'; then
        echo "FAIL: $title: the gauge strays $largest points from /proc/stat (tolerance $tolerance)"
        status=1
    else
        echo "ok: $title: $mean"
    fi
}

phase "as the machine is" 0

cores="$(nproc)"
stress-ng --cpu 1 --timeout $((intervals * 2 + 30))s --quiet &
stress=$!
trap 'kill "$stress" 2>/dev/null || true' EXIT
sleep 2
phase "one of $cores cores busy" "$((100 / cores))"
kill "$stress" 2>/dev/null || true
wait "$stress" 2>/dev/null || true
trap - EXIT
exit "$status"
