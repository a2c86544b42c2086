#!/usr/bin/env bash
# The Debian package on this machine, as a user meets it: installed with
# apt-get, found where a desktop looks, the installed program started on the
# test display, "Start at log-on" chosen from its menu and the program closed;
# then purged, leaving nothing of the package behind.
# Usage: package_test.sh PACKAGE_FOLDER APP_ID
set -euo pipefail
packages="$1" app_id="$2"
. "$(dirname "$0")/installed_program.sh"

skip() { echo "SKIP: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
command -v apt-get >/dev/null || skip "no apt-get here"
[ -n "${VISTREL_E2E_DISPLAY:-}" ] || skip "no X server: run the tests through the README's test command"
debs=("$packages"/vistrel_*.deb)
[ -f "${debs[0]}" ] || fail "no package in $packages"

# Other checkouts on this machine run the same test: one at a time.
exec 9>/var/lock/vistrel-package-test
flock 9
installed() { dpkg-query -W -f='${Status}' vistrel 2>/dev/null | grep -q ' installed$'; }
installed && skip "vistrel is installed on this machine; the test would replace it"

apt=(apt-get -y -qq -o DPkg::Lock::Timeout=600)
work="$(mktemp -d)"
cleanup() {
  stop_program
  if installed; then DEBIAN_FRONTEND=noninteractive "${apt[@]}" purge vistrel >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

DEBIAN_FRONTEND=noninteractive "${apt[@]}" install "$(realpath "${debs[0]}")" >/dev/null 2>&1 ||
  fail "apt-get could not install ${debs[0]}"
installed || fail "not installed after apt-get install"
mapfile -t files < <(dpkg -L vistrel)

# The files themselves are checked by the install tree test; here, that the
# package put them under /usr, where the desktop looks.
grep -qx 'Exec=/usr/bin/vistrel' "/usr/share/applications/$app_id.desktop" || fail "no menu entry for /usr/bin/vistrel"
for file in /usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128}/apps/vistrel.png \
  /usr/share/icons/hicolor/scalable/apps/vistrel.svg /usr/share/vistrel/vistrel.txt /usr/share/vistrel/catalog.txt; do
  [ -f "$file" ] || fail "not installed: $file"
done

home="$work/home"
start_program /usr/bin/vistrel "$home"
keys alt+f Down Return # File, "Auto-Run at Windows Startup"
answer_message Return  # its message
close_program

grep -qx 'Exec=/usr/bin/vistrel' "$home/.config/autostart/vistrel.desktop" ||
  fail "no autostart entry for /usr/bin/vistrel"
grep -q '^Auto_Run_at_Windows_Startup_Option=1' "$home/.config/vistrel/vistrel.ini" ||
  fail "settings not saved in \$XDG_CONFIG_HOME/vistrel/vistrel.ini"
[ ! -e /usr/bin/vistrel.ini ] || fail "settings written beside the installed program"

DEBIAN_FRONTEND=noninteractive "${apt[@]}" purge vistrel >/dev/null 2>&1 || fail "apt-get could not purge vistrel"
! dpkg-query -W vistrel >/dev/null 2>&1 || fail "dpkg still knows the package"
for file in "${files[@]}"; do
  # Folders the package shares with others (/usr, /usr/share/icons...) stay.
  if [ -e "$file" ] && [ ! -d "$file" ]; then fail "left behind: $file"; fi
done
[ ! -e /usr/share/vistrel ] || fail "left behind: /usr/share/vistrel"
echo "installed, run and purged: ${debs[0]}"
