#!/bin/sh
# check_release_exe.sh EXE gui|console MAX_BYTES EPOCH_FILE LIST...: a release exe is a 32-bit
# Windows program of that subsystem for version 5.01 (Windows XP), at most MAX_BYTES long (0: no
# limit), large-address-aware with ASLR (DYNAMIC_BASE) and DEP (NX_COMPAT), stamped with the
# commit's time that EPOCH_FILE holds (so that every build of a commit is the same), with a PE
# checksum that matches its bytes, and imports nothing the LISTs do not name. Each list has one
# "dll!function" a line, each checked against Windows XP SP3; Wine does not enforce XP's set, so
# only this check notices a newer one.
set -eu
exe=$1
subsystem=$2
max=$3
epoch_file=$4
shift 4
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

expect '^[[:space:]]+DYNAMIC_BASE$' "no DYNAMIC_BASE (ASLR)"
expect '^[[:space:]]+NX_COMPAT$' "no NX_COMPAT (DEP)"
characteristics=$(printf '%s\n' "$headers" | awk '$1 == "Characteristics" { print $2; exit }')
if [ $(( ${characteristics:-0} & 0x20 )) -eq 0 ]; then
    echo "FAIL: not large-address-aware (Characteristics ${characteristics:-missing})"
    status=1
fi

# The PE header's timestamp and checksum, read from the bytes. The checksum is the 16-bit sum of
# the file with carries folded in, its own four bytes left out, plus the file's length.
u32() { od -An -tu4 --endian=little -j "$1" -N 4 "$exe" | tr -d ' '; }
pe=$(u32 60)
stamp=$(u32 $((pe + 8)))
stored=$(u32 $((pe + 88)))
computed=$(od -An -v -tu2 --endian=little -w2 "$exe" | awk -v skip=$(((pe + 88) / 2)) -v size="$(wc -c <"$exe")" '
    NR - 1 == skip || NR - 1 == skip + 1 { next }
    { sum += $1; if (sum >= 65536) sum = sum % 65536 + int(sum / 65536) }
    END { print sum + size }')
epoch=$(cat "$epoch_file" 2>/dev/null) || epoch=missing
echo "PE timestamp: $stamp (the commit's time: $epoch); checksum: $(printf '0x%08x' "$stored") (computed $(printf '0x%08x' "$computed"))"
if [ "$stamp" != "$epoch" ]; then
    echo "FAIL: the PE timestamp is not the commit's time in $epoch_file"
    status=1
fi
if [ "$stored" != "$computed" ]; then
    echo "FAIL: the PE checksum does not match the file"
    status=1
fi

size=$(wc -c <"$exe")
if [ "$max" -gt 0 ]; then
    echo "size: $size bytes (limit $max)"
    if [ "$size" -gt "$max" ]; then
        echo "FAIL: $exe is $size bytes, over $max"
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
