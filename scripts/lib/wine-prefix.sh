# Sourced by the scripts that run the Windows program under Wine: the one
# way a private prefix is made and started.
#
# wine_prefix_start WINE WINESERVER LOG DRIVER
#   Starts a persistent Wine server for WINEPREFIX (stopping it is the
#   caller's part: "$WINESERVER" -k), makes the prefix on its first use, and
#   starts Wine's own services. DRIVER is the display driver: "null" for
#   none, "" for Wine's X11 driver on DISPLAY. Every prefix gets the fonts
#   Windows has (tests/wine/fonts.reg). Wine's output goes to LOG: its
#   services keep whatever output they inherit open, and a ctest pipe held
#   open makes ctest wait for ever.
wine_prefix_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

wine_prefix_start() {
  local wine="$1" wineserver="$2" log="$3" driver="$4"
  mkdir -p "$WINEPREFIX"
  : >"$log"
  "$wineserver" -p
  if [ ! -f "$WINEPREFIX/.vistrel-ready" ]; then
    "$wine" wineboot -i >>"$log" 2>&1
    [ -z "$driver" ] || "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d "$driver" /f >>"$log" 2>&1
    "$wine" regedit /S "Z:$wine_prefix_root/tests/wine/fonts.reg" >>"$log" 2>&1
    # The driver choice takes hold only in a server started after it: this
    # one stops (saving the registry) and another starts.
    "$wineserver" -k 2>/dev/null || true
    "$wineserver" -w
    "$wineserver" -p
    touch "$WINEPREFIX/.vistrel-ready"
  fi
  "$wine" wineboot >>"$log" 2>&1
}

# wine_program_window PID LOG
#   Prints the id of the program's main window once it is shown (a minute
#   at most); fails, with the program's output, when the program ends first
#   or no window comes.
wine_program_window() {
  local pid="$1" log="$2" window=""
  for _ in $(seq 600); do
    window=$(xdotool search --onlyvisible --name "^Vistrel v" 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && { echo "$window"; return 0; }
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before its window appeared: $(cat "$log")" >&2; return 1; }
    sleep 0.1
  done
  echo "the program showed no window within a minute" >&2
  return 1
}
