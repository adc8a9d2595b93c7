#!/bin/sh
# check_imports.sh EXE ALLOWED: the release exe is a 32-bit Windows GUI program for subsystem 5.01,
# smaller than 1.5 MiB, and imports nothing that ALLOWED (xp_imports.txt) does not list.
set -eu
exe=$1
allowed=$2
here=$(dirname "$0")
if [ ! -f "$exe" ]; then
    echo "no release build at $exe: build the windows preset first (scripts/test does)"
    exit 1
fi
status=0
headers=$(i686-w64-mingw32-objdump -p "$exe")
expect() {
    if ! printf '%s\n' "$headers" | grep -Eq "$1"; then
        echo "FAIL: $2"
        status=1
    fi
}
expect '^Magic[[:space:]]+010b' "not a 32-bit (PE32) image"
expect '^MajorSubsystemVersion[[:space:]]+5$' "subsystem major version is not 5"
expect '^MinorSubsystemVersion[[:space:]]+1$' "subsystem minor version is not 1"
expect '^Subsystem[[:space:]]+00000002' "not a Windows GUI program"

size=$(wc -c <"$exe")
limit=$((3 * 1024 * 1024 / 2))
echo "size: $size bytes (limit $limit)"
if [ "$size" -ge "$limit" ]; then
    echo "FAIL: $exe is $size bytes, not under 1.5 MiB"
    status=1
fi

actual=$(mktemp)
wanted=$(mktemp)
trap 'rm -f "$actual" "$wanted"' EXIT
"$here/list_imports.sh" "$exe" >"$actual"
grep -v '^[[:space:]]*#' "$allowed" | sed 's/[[:space:]]*#.*//; /^[[:space:]]*$/d' | sort -u >"$wanted"
unchecked=$(comm -23 "$actual" "$wanted")
if [ -n "$unchecked" ]; then
    echo "FAIL: imports not yet checked against Windows XP SP3 (add them to $allowed once checked):"
    printf '  %s\n' $unchecked
    status=1
fi
echo "imports: $(wc -l <"$actual") functions, all checked" | { [ $status -eq 0 ] && cat || true; }
exit $status
