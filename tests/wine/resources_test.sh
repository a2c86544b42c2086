#!/usr/bin/env bash
# The executable a Windows user unpacks carries its own resources: the icon
# group Explorer shows (every size Windows asks for), the version its
# Properties page shows, and the manifest.
# Usage: resources_test.sh VISTREL_EXE VERSION
set -euo pipefail
exe="$1" version="$2"
fail() { echo "resources: $*" >&2; exit 1; }

listing="$(wrestool -l "$exe")"
echo "$listing"
grep -q -- '--type=14 ' <<<"$listing" || fail "no icon group"
grep -q -- '--type=16 ' <<<"$listing" || fail "no version information"
grep -q -- '--type=24 ' <<<"$listing" || fail "no manifest"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
wrestool -x --type=14 -o "$work/vistrel.ico" "$exe"
sizes="$(icotool -l "$work/vistrel.ico" | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | tr '\n' ' ')"
[ "$sizes" = "16 20 24 32 40 48 64 256 " ] || fail "icon sizes: $sizes"

# The version text is UTF-16 in the resource.
wrestool -x --raw --type=16 "$exe" | iconv -f UTF-16LE -t UTF-8 2>/dev/null | tr -d '\0' | grep -q "$version" \
  || fail "version $version not in the version information"
wrestool -x --raw --type=24 "$exe" | grep -q 'PerMonitorV2' || fail "the manifest declares no per-monitor DPI awareness"
echo "resources: icon group of 8 sizes, version $version, manifest"
