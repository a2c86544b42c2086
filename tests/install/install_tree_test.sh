#!/usr/bin/env bash
# cmake --install into a private prefix, as a user would into ~/.local:
# every file is where a desktop looks for it, the desktop entry and the
# metadata validate, and the installed program keeps its settings in the
# user's configuration folder although it could write beside itself.
# Usage: install_tree_test.sh BUILD_FOLDER APP_ID
set -euo pipefail
build="$1" app_id="$2"
. "$(dirname "$0")/installed_program.sh"
work="$(mktemp -d)"
trap 'stop_program; rm -rf "$work"' EXIT
prefix="$work/prefix"

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/vistrel share/vistrel/vistrel.txt share/vistrel/catalog.txt \
  "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml" \
  share/icons/hicolor/scalable/apps/vistrel.svg; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done
for size in 16 32 48 64 128; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/vistrel.png"
  [ "$(identify -format '%wx%h' "$png")" = "${size}x${size}" ] || fail "$png is not ${size}x${size}"
done

entry="$prefix/share/applications/$app_id.desktop"
desktop-file-validate "$entry" || fail "desktop entry does not validate"
grep -qx "Exec=$prefix/bin/vistrel" "$entry" || fail "Exec is not the installed executable: $(grep Exec "$entry")"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" >/dev/null ||
  fail "metainfo does not validate: $(appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml")"

if [ -z "${VISTREL_E2E_DISPLAY:-}" ]; then
  echo "no X server: the installed program was not started"
  exit 77
fi
start_program "$prefix/bin/vistrel" "$work/home"
close_program
[ -f "$work/home/.config/vistrel/vistrel.ini" ] || fail "no settings in the configuration folder"
[ ! -e "$prefix/bin/vistrel.ini" ] || fail "settings written beside the installed program"
echo "installed in $prefix: files, entry, metadata and settings as expected"
