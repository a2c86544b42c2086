#!/usr/bin/env bash
# The real-window tests of the Linux runner, pointed at the packaged Windows
# program: each test's copy of the package folder is started with Wine's X11
# driver on a private Xvfb display with openbox. Tests whose subject the
# Windows program lacks, or that Wine cannot show, skip with the reason.
# Usage: e2e_test.sh WINE WINESERVER PACKAGE_FOLDER RUNNER WORK_FOLDER [runner arguments]
set -euo pipefail
wine="$1" wineserver="$2" package="$3" runner="$4" work="$5"
shift 5

[ -x "$runner" ] || { echo "no real-window runner at $runner (scripts/build --target vistrel_e2e_tests)" >&2; exit 1; }
[ -f "$package/vistrel.exe" ] || { echo "no vistrel.exe in $package" >&2; exit 1; }
mkdir -p "$work"
runner="$(realpath "$runner")" package="$(realpath "$package")"
work="$(cd "$work" && pwd)"

unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM VISTREL_E2E_DISPLAY
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/scripts/lib/test-display.sh"
trap '"$wineserver" -k 2>/dev/null || true; kill $test_display_wm $test_display_xvfb 2>/dev/null || true' EXIT

# A prefix of its own with Wine's X11 driver (the run's other tests use the
# null driver); its server and services live as long as this script.
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all DISPLAY="$VISTREL_E2E_DISPLAY"
source "$root/scripts/lib/wine-prefix.sh"
wine_prefix_start "$wine" "$wineserver" "$work/wineboot.log" ""
# The prefix outlives the run: a start-at-log-on entry left by a run that
# broke off would fail every later one.
for root in HKLM HKCU; do
  "$wine" reg delete "$root\Software\Microsoft\Windows\CurrentVersion\Run" /v vistrel.exe /f >/dev/null 2>&1 || true
done

export VISTREL_E2E_WINDOWS_PACKAGE="$package" VISTREL_E2E_WINE="$wine"
cd "$work"
"$runner" "$@"
