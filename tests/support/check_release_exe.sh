#!/bin/sh
# check_release_exe.sh EXE gui|console MAX_BYTES LIST...: a release exe is a 32-bit Windows program
# of that subsystem for version 5.01 (Windows XP), smaller than MAX_BYTES (0: no limit), and
# imports nothing the LISTs do not name. Each list has one "dll!function" a line, each checked
# against Windows XP SP3; Wine does not enforce XP's set, so only this check notices a newer one.
set -eu
exe=$1
subsystem=$2
max=$3
shift 3
if [ ! -f "$exe" ]; then
    echo "no release build at $exe: build the windows preset first (scripts/test does)"
    exit 1
fi
case $subsystem in
gui) code=00000002 ;;
console) code=00000003 ;;
*) echo "subsystem must be gui or console, not $subsystem"; exit 2 ;;
esac
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
expect "^Subsystem[[:space:]]+$code" "not a Windows $subsystem program"

size=$(wc -c <"$exe")
if [ "$max" -gt 0 ]; then
    echo "size: $size bytes (limit $max)"
    if [ "$size" -ge "$max" ]; then
        echo "FAIL: $exe is $size bytes, not under $max"
        status=1
    fi
fi

actual=$(mktemp)
wanted=$(mktemp)
trap 'rm -f "$actual" "$wanted"' EXIT
# The imports, one "dll!function" a line (dll in lower case); by ordinal "dll!#ordinal".
printf '%s\n' "$headers" | awk '
    /^[ \t]*DLL Name:/ { dll = tolower($3); next }
    /^[ \t]*vma:/ { next }
    /^$/ { dll = ""; next }
    dll != "" && NF >= 3 && $1 ~ /^[0-9a-f]+$/ { print dll "!" $3; next }
    dll != "" && NF == 2 && $1 ~ /^[0-9a-f]+$/ { print dll "!#" $2; next }
' | sort -u >"$actual"
cat "$@" | sed 's/[[:space:]]*#.*//; /^[[:space:]]*$/d' | sort -u >"$wanted"
unchecked=$(comm -23 "$actual" "$wanted")
if [ -n "$unchecked" ]; then
    echo "FAIL: imports not yet checked against Windows XP SP3 (add them to a list once checked):"
    printf '  %s\n' $unchecked
    status=1
fi
[ $status -ne 0 ] || echo "imports: $(wc -l <"$actual") functions, all checked"
exit $status
