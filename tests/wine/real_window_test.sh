#!/usr/bin/env bash
# The Windows program as a user gets it, under Wine on a private X display
# with a window manager: unpacked from its zip into a fresh folder and
# started from elsewhere, its window appears, and File > Exit closes it,
# leaving vistrel.ini beside the executable in Windows' profile format. A
# screenshot of the running window is left in the work folder. (The report,
# the documents, start at log-on and the rest are the real-window tests',
# run against the same program by e2e_test.sh.)
# Usage: real_window_test.sh WINE WINESERVER ZIP WORK_FOLDER
set -euo pipefail
wine="$1" wineserver="$2" zip="$3" work="$4"

fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$work"
work="$(cd "$work" && pwd)"
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all
export DISPLAY=":$((300 + RANDOM % 600))"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

xvfb="" wm=""
cleanup() {
  # Every Wine process of this prefix, the server with them.
  "$wineserver" -k 2>/dev/null || true
  [ -z "$wm" ] || kill "$wm" 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start on $DISPLAY"
openbox >/dev/null 2>&1 &
wm=$!

# A prefix of its own, with Wine's X11 driver (the other Wine tests run
# without a display).
source "$(cd "$(dirname "$0")/../../scripts/lib" && pwd)/wine-prefix.sh"
wine_prefix_start "$wine" "$wineserver" "$work/wineboot.log" ""

rm -rf "$work/unpacked"
mkdir -p "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip")
folder="$(find "$work/unpacked" -mindepth 1 -maxdepth 1 -type d | head -n 1)"
[ -f "$folder/vistrel.exe" ] || fail "no vistrel.exe in $zip"

started=$(date +%s%N)
(cd "$work" && exec "$wine" "$folder/vistrel.exe" >"$work/vistrel.log" 2>&1) &
program=$!
window=$(wine_program_window "$program" "$work/vistrel.log") || fail "no window"
echo "window \"$(xdotool getwindowname "$window")\" after $(( ($(date +%s%N) - started) / 1000000 )) ms"
sleep 2 # a few refresh ticks, so that the figures are there
import -window root "$work/vistrel-wine.png"

geometry="$(xwininfo -id "$window")"
X=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$geometry")
Y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$geometry")

# Opens the File menu and presses the keys in it.
file_menu() {
  xdotool windowactivate --sync "$window" mousemove $((X + 12)) $((Y + 10)) click 1
  sleep 0.5
  xdotool key "$@"
}

# File > Exit.
file_menu x
for _ in $(seq 300); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program" 2>/dev/null && fail "still running after File > Exit"
wait "$program" || fail "the program ended with status $?"

ini="$folder/vistrel.ini"
[ -f "$ini" ] || fail "no vistrel.ini beside the executable"
[ ! -e "$work/vistrel.ini" ] || fail "vistrel.ini written to the working folder"
head -n 1 "$ini" | grep -q $'^\\[vistrel\\]\r$' || fail "vistrel.ini does not start with its section: $(head -n 1 "$ini" | od -c | head -2)"
lines=$(wc -l <"$ini")
crlf=$(grep -c $'\r$' "$ini" || true)
[ "$lines" -gt 20 ] && [ "$crlf" -eq "$lines" ] || fail "vistrel.ini: $crlf of $lines lines end in CR LF"
echo "closed through File > Exit, $lines lines of settings beside the executable"
