#!/bin/sh
# check_imports.sh EXE: the release sysvela-cli.exe is a 32-bit console program for subsystem 5.01
# and imports nothing that neither tests/window/xp_imports.txt nor xp_imports_cli.txt lists.
set -eu
exe=$1
here=$(dirname "$0")
if [ ! -f "$exe" ]; then
    echo "no release build at $exe: build the windows preset first (scripts/test does)"
    exit 1
fi
headers=$(i686-w64-mingw32-objdump -p "$exe")
status=0
for want in '^Magic[[:space:]]+010b' '^MajorSubsystemVersion[[:space:]]+5$' '^MinorSubsystemVersion[[:space:]]+1$' \
            '^Subsystem[[:space:]]+00000003'; do
    printf '%s\n' "$headers" | grep -Eq "$want" || { echo "FAIL: no header line $want"; status=1; }
done
allowed=$(mktemp)
trap 'rm -f "$allowed"' EXIT
grep -hv '^#' "$here/../window/xp_imports.txt" "$here/xp_imports_cli.txt" | sort -u >"$allowed"
unknown=$("$here/../window/list_imports.sh" "$exe" | sort -u | comm -23 - "$allowed")
if [ -n "$unknown" ]; then
    echo "FAIL: imports not checked against Windows XP SP3:"
    printf '%s\n' "$unknown"
    status=1
fi
exit $status
