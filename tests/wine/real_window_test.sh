#!/usr/bin/env bash
# The Windows program as a user gets it, under Wine on a private X display
# with a window manager: unpacked from its zip into a fresh folder and
# started from elsewhere, its window appears, the drive report opens from
# its button, Help opens the readme and the catalogue in Notepad, File >
# Auto-Run at Windows Startup writes and removes its Run key entry, and
# File > Exit closes it, leaving vistrel.ini beside the executable in
# Windows' profile format. Screenshots of the running window, the report,
# Notepad and the start-at-log-on message are left in the work folder.
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
window=""
for _ in $(seq 600); do
  window=$(xdotool search --onlyvisible --name "^Vistrel v" 2>/dev/null | head -n 1) || true
  [ -n "$window" ] && break
  kill -0 "$program" 2>/dev/null || fail "the program ended before its window appeared: $(cat "$work/vistrel.log")"
  sleep 0.1
done
[ -n "$window" ] || fail "no window within a minute"
echo "window \"$(xdotool getwindowname "$window")\" after $(( ($(date +%s%N) - started) / 1000000 )) ms"
sleep 2 # a few refresh ticks, so that the figures are there
import -window root "$work/vistrel-wine.png"

# The report button, below the disk gauge: its centre lies at (180, 163) of
# the 201 x 239 client area below the menu bar, which the layout stretches
# to the window's size. The menu bar's height depends on the font, about
# 21 pixels; a few more or less move the point by a pixel.
geometry="$(xwininfo -id "$window")"
X=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$geometry")
Y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$geometry")
WIDTH=$(awk '/^ *Width:/ {print $NF}' <<<"$geometry")
HEIGHT=$(awk '/^ *Height:/ {print $NF}' <<<"$geometry")
button_x=$((X + WIDTH * 180 / 201))
button_y=$((Y + HEIGHT - (HEIGHT - 21) * (239 - 163) / 239))
xdotool mousemove "$button_x" "$button_y" click 1
report=""
for _ in $(seq 100); do
  report=$(xdotool search --onlyvisible --name "Report for" 2>/dev/null | head -n 1) || true
  [ -n "$report" ] && break
  sleep 0.1
done
[ -n "$report" ] || fail "no drive report after a click on ($button_x, $button_y)"
title="$(xdotool getwindowname "$report")"
[ "$title" = " Report for C:\\ Drive" ] || fail "the report is titled \"$title\""
import -window root "$work/vistrel-wine-report.png"
xdotool windowactivate --sync "$report" key Escape
for _ in $(seq 100); do xdotool search --onlyvisible --name "Report for" >/dev/null 2>&1 || break; sleep 0.1; done

# Opens the File menu and presses the keys in it.
file_menu() {
  xdotool windowactivate --sync "$window" mousemove $((X + 12)) $((Y + 10)) click 1
  sleep 0.5
  xdotool key "$@"
}

# Waits for a visible window titled exactly so, and prints its id.
await_window() {
  local found=""
  for _ in $(seq 300); do
    found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
    [ -n "$found" ] && break
    sleep 0.1
  done
  [ -n "$found" ] || fail "no window \"$1\"${2:+ after $2}"
  echo "$found"
}

# Closes the window with the key and waits until it is gone.
close_window() {
  xdotool windowactivate --sync "$1" key "$2"
  for _ in $(seq 100); do
    xwininfo -id "$1" 2>/dev/null | grep -q IsViewable || return 0
    sleep 0.1
  done
  fail "\"$(xdotool getwindowname "$1")\" stayed open after $2"
}

# Help > View Readme file and View Shareware Catalog: Notepad opens each on
# its full path in the program's folder, whose name holds dots, although the
# program was started from another working folder. Its command line shows
# the path it was given.
for document in "v vistrel.txt" "s catalog.txt"; do
  key="${document%% *}" file="${document#* }"
  xdotool windowactivate --sync "$window" key alt+h
  sleep 0.5
  xdotool key "$key"
  notepad="$(await_window "$file - Notepad" "Help > $file")"
  expected="$("$wine" winepath -w "$folder/$file" 2>/dev/null | tr -d '\r')"
  given="$(tr '\0' ' ' <"/proc/$(xdotool getwindowpid "$notepad")/cmdline")"
  [[ "$given" == *"$expected"* ]] || fail "Notepad was given \"$given\", not $expected"
  echo "Notepad opened $expected"
  import -window root "$work/vistrel-wine-${file%.txt}.png"
  close_window "$notepad" alt+F4
done

# File > Auto-Run at Windows Startup (the second item) puts the program's
# full path in the machine's Run key under vistrel.exe, and takes it out
# again; each time an information message says so.
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
program_path="$("$wine" winepath -w "$folder/vistrel.exe" 2>/dev/null | tr -d '\r')"
file_menu Down Down Return
message="$(await_window Information "File > Auto-Run at Windows Startup")"
import -window root "$work/vistrel-wine-auto-run.png"
close_window "$message" Return
entry="$("$wine" reg query "$run_key" /v vistrel.exe 2>&1 | tr -d '\r')" ||
  fail "no vistrel.exe in the Run key: $entry"
[ "$(sed -n 's/^ *vistrel\.exe *REG_SZ *//p' <<<"$entry")" = "$program_path" ] || fail "the Run key holds: $entry"
echo "start at log-on: vistrel.exe = $program_path"
file_menu Down Down Return
message="$(await_window Information "File > Auto-Run at Windows Startup, again")"
close_window "$message" Return
! "$wine" reg query "$run_key" /v vistrel.exe >/dev/null 2>&1 || fail "vistrel.exe stayed in the Run key"

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
echo "report opened, closed through File > Exit, $lines lines of settings beside the executable"
