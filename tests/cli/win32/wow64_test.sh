#!/bin/bash
# wow64_test.sh CLI_EXE PREFIX WORKDIR
#
# The 32-bit sysvela-cli.exe on 64-bit Windows (WOW64: a win64 Wine prefix running an i686 program):
# every value the system and security pages write under HKEY_LOCAL_MACHINE\SOFTWARE must be in the
# 64-bit view, the one 64-bit Windows reads; a 64-bit and a 32-bit machine Run value are both listed
# and both removed; the exported batch run by the 32-bit cmd leaves the same 64-bit values.
# Prints, path by path, what each view holds. Exit 77 where 32-bit programs cannot run.
set -u
exe=$(realpath -m "$1")
prefix=$(realpath -m "$2")
work=$(realpath -m "$3")
here=$(cd "$(dirname "$0")" && pwd)

skip() {
    if [ "${SYSVELA_REQUIRE_I686:-}" = 1 ]; then
        echo "FAIL (SYSVELA_REQUIRE_I686=1): $*"
        exit 1
    fi
    echo "not run: $*"
    exit 77
}

# shellcheck disable=SC1091
source "$here/../../../scripts/lib.sh"
# scripts/test says so when it leaves the 32-bit route out.
[ -z "${SYSVELA_I686_NOT_RUN:-}" ] || skip "$SYSVELA_I686_NOT_RUN"
runs_i686 || skip "$SYSVELA_I686_REASON: WoW64 cannot be shown here"
wine32=$(wine_loader win32)
wine64=$(wine_loader win64)
[ -x "$wine64" ] || skip "no 64-bit Wine ($wine64)"
[ -f "$exe" ] || {
    echo "FAIL: no release build at $exe: build the windows preset first"
    exit 1
}

# A win64 prefix of the test's own, so that the suites' prefix keeps its registry: 64-bit Wine
# makes it with the 32-bit system beside the 64-bit one wherever 32-bit Wine runs.
ensure_wineprefix "$prefix" win64 || {
    echo "FAIL: could not make a win64 prefix in $prefix"
    exit 1
}
[ -n "$(ls "$prefix/drive_c/windows/syswow64" 2>/dev/null)" ] ||
    skip "the win64 prefix $prefix has no 32-bit system (syswow64 is empty): is 32-bit Wine installed?"
# Each program under its own loader: the i686 exe under 32-bit Wine (WoW64), reg under 64-bit Wine.
export WINEPREFIX=$prefix WINEDEBUG=-all LC_MESSAGES=C
unset DISPLAY WINELOADER WINEARCH

mkdir -p "$work"
cd "$work" || exit 1
cp "$exe" ./sysvela-cli.exe || exit 1
status=0
fail() {
    echo "FAIL: $*"
    status=1
}

# The 32-bit program, run as WoW64 runs it; the registry read by the 64-bit reg.
cli() { "$wine32" ./sysvela-cli.exe "$@"; }
reg64() { "$wine64" reg "$@"; }

# view VIEW KEY NAME: the value's data as reg query prints it in that view, or "absent".
view() {
    reg64 query "$2" /v "$3" "/reg:$1" 2>/dev/null | tr -d '\r' |
        awk -v n="$3" 'tolower(substr($0, 5, length(n))) == tolower(n) {
                           rest = substr($0, 5 + length(n))
                           if (match(rest, /^ +REG_[A-Z_]+ */)) { print substr(rest, RLENGTH + 1); f = 1 }
                       }
                       END { if (!f) print "absent" }'
}

# The data a write line stands for, as reg query prints it.
shown() {
    case $1 in
    dword) printf '0x%x\n' "$((16#$2))" ;;
    *) printf '%s\n' "$2" ;;
    esac
}

# The registry writes and key additions a plan lists under HKLM\SOFTWARE, one "write|KEY|NAME|TYPE|DATA"
# or "add|KEY" a line; a value written twice stands once, with the data written last.
machine_software() {
    tr -d '\r' | awk '
        /^write HKEY_LOCAL_MACHINE\\[Ss][Oo][Ff][Tt][Ww][Aa][Rr][Ee]\\/ { sub(/^write /, ""); print "write|" $0; next }
        /^(wait|start) reg add HKEY_LOCAL_MACHINE\\[Ss][Oo][Ff][Tt][Ww][Aa][Rr][Ee]\\/ { print "add|" $4 }' |
        awk -F'|' '{ id = tolower($1 "|" $2 "|" $3); if (!(id in at)) order[++n] = id; at[id] = $0 }
                   END { for (i = 1; i <= n; ++i) print at[order[i]] }'
}

# Removes what the pages write from both views, so that what is found afterwards was written now.
clear_both() {
    while IFS='|' read -r kind key name _; do
        for v in 64 32; do
            if [ "$kind" = write ]; then
                reg64 delete "$key" /v "$name" /f "/reg:$v" >/dev/null 2>&1
            else
                reg64 delete "$key" /f "/reg:$v" >/dev/null 2>&1
            fi
        done
    done <"$1"
}

# check LIST LABEL: every entry of LIST in the 64-bit view with its data; each view printed.
check() {
    local found=0
    while IFS='|' read -r kind key name type data; do
        found=$((found + 1))
        if [ "$kind" = add ]; then
            local k64=absent k32=absent
            reg64 query "$key" /reg:64 >/dev/null 2>&1 && k64=present
            reg64 query "$key" /reg:32 >/dev/null 2>&1 && k32=present
            printf '%s  key %s: 64-bit %s, 32-bit %s\n' "$2" "$key" "$k64" "$k32"
            [ "$k64" = present ] || fail "$2: key $key is not in the 64-bit view"
            continue
        fi
        local want v64 v32
        want=$(shown "$type" "$data")
        v64=$(view 64 "$key" "$name")
        v32=$(view 32 "$key" "$name")
        printf '%s  %s|%s = %s: 64-bit %s, 32-bit %s\n' "$2" "$key" "$name" "$want" "$v64" "$v32"
        [ "$(printf '%s' "$v64" | tr 'A-F' 'a-f')" = "$(printf '%s' "$want" | tr 'A-F' 'a-f')" ] ||
            fail "$2: $key|$name is not in the 64-bit view with its data"
    done <"$1"
    [ "$found" -ge 8 ] || fail "$2: only $found values under HKLM\\SOFTWARE (a plan of the page lists more)"
}

# --- apply system, apply security ---------------------------------------------------------------
for page in system security; do
    cli plan "$page" 2>/dev/null | machine_software >"plan-$page.txt"
    clear_both "plan-$page.txt"
    cli apply "$page" >"apply-$page.out" 2>&1
    echo "apply $page: exit $? ($(grep -c 'failed' "apply-$page.out") effects reported failed)"
    check "plan-$page.txt" "apply $page"
done

# AeDebug governs 64-bit programs' crashes in one view and 32-bit programs' in the other.
aedebug='HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\AeDebug'
for v in 64 32; do
    [ "$(view "$v" "$aedebug" Auto)" = 1 ] || fail "apply system: AeDebug Auto is not 1 in the $v-bit view"
done

# --- the machine Run key of both views ----------------------------------------------------------
run='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
for v in 64 32; do
    reg64 add "$run" /v "Sysvela Test $v" /d "c:\\x$v.exe" /f "/reg:$v" >/dev/null 2>&1 ||
        fail "cannot add 'Sysvela Test $v' to the $v-bit view"
done
cli startup-list >startup-before.txt 2>/dev/null
for n in 'Sysvela Test 64' 'Sysvela Test 32'; do
    if tr -d '\r' <startup-before.txt | grep -qx "$n"; then echo "startup-list: '$n' listed"; else
        fail "startup-list does not list '$n'"
    fi
done
cli --remove 'Sysvela Test 64' --remove 'Sysvela Test 32' apply startup >apply-startup.out 2>&1
for v in 64 32; do
    left=$(view "$v" "$run" "Sysvela Test $v")
    echo "apply startup: 'Sysvela Test $v' in the $v-bit view after removal: $left"
    [ "$left" = absent ] || fail "apply startup left 'Sysvela Test $v' in the $v-bit view"
done

# --- the exported batch, run by the 32-bit cmd --------------------------------------------------
for page in system security; do
    clear_both "plan-$page.txt"
    cli export "$page" >"export-$page.bat" 2>/dev/null
    "$wine32" cmd /c "export-$page.bat" >"batch-$page.out" 2>&1
    echo "export $page run by the 32-bit cmd: exit $?"
    check "plan-$page.txt" "batch $page"
done

wineserver -w
if [ "$status" -eq 0 ]; then echo "PASS"; fi
exit $status
