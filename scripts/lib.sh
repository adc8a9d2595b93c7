# Shared steps of scripts/run and scripts/test: install what is missing, prepare Wine.
# Sourced, not run.

SYSVELA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Debian packages the build, the tests, the window and the release (scripts/release) need.
SYSVELA_PACKAGES="cmake ninja-build g++ libgtest-dev libgmock-dev libcli11-dev libbenchmark-dev mingw-w64
  wine wine32:i386 wine64 xvfb xdotool imagemagick fonts-wqy-microhei locales clang libclang-rt-14-dev binutils-mingw-w64-i686
  libimage-exiftool-perl osslsigncode openssl zip unzip cloc"

ensure_packages() {
    local missing=""
    for p in $SYSVELA_PACKAGES; do
        dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
    done
    if [ -n "$missing" ]; then
        echo "installing:$missing"
        if ! dpkg --print-foreign-architectures | grep -qx i386; then
            as_root dpkg --add-architecture i386
        fi
        as_root apt-get update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $missing
    fi
    # Wine gives the ANSI code page 936 only with a zh_CN locale present.
    if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
        as_root sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
        grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
        as_root locale-gen >/dev/null
    fi
}

# --- Wine routes ---------------------------------------------------------------------------
# Two routes run the Windows builds: i686 programs in a 32-bit prefix, and x86_64 programs in a
# 64-bit prefix. Some machines run no 32-bit x86 program at all, although wine32 installs there,
# so the loaders are called by path: Debian's `wine` wrapper picks the 32-bit loader whenever it
# is installed, runnable or not.
# SYSVELA_WINE32 may be set to a loader that cannot run, to try the 64-bit-only route on a
# machine that does run 32-bit programs.
SYSVELA_WINE32=${SYSVELA_WINE32:-/usr/lib/wine/wine}
SYSVELA_WINE64=/usr/lib/wine/wine64

# runs_i686: succeeds when this machine runs 32-bit x86 programs, found by running the 32-bit
# loader itself. Otherwise SYSVELA_I686_REASON says why not.
runs_i686() {
    local out
    if out=$("$SYSVELA_WINE32" --version 2>&1 </dev/null); then
        return 0
    fi
    out=$(printf '%s' "$out" | tail -n 1)
    SYSVELA_I686_REASON="this machine runs no 32-bit x86 program ($SYSVELA_WINE32 --version: ${out:-failed})"
    return 1
}

# wine_loader win32|win64: the loader of a prefix of that architecture.
wine_loader() {
    case $1 in
    win32) echo "$SYSVELA_WINE32" ;;
    win64) echo "$SYSVELA_WINE64" ;;
    *) echo "wine_loader: unknown architecture '$1'" >&2; return 1 ;;
    esac
}

# prefix_arch PREFIX: the architecture a ready prefix was made for (its ready-marker holds it).
prefix_arch() {
    local arch
    arch=$(cat "$1/.sysvela-ready" 2>/dev/null) || true
    case $arch in
    win32 | win64) echo "$arch" ;;
    *) echo "no prepared Wine prefix at $1 (scripts/test and scripts/run make it)" >&2; return 1 ;;
    esac
}

# wine_env PREFIX [ARCH]: exports what every Wine call needs for PREFIX: its loader (also as
# WINELOADER, which Wine uses for the processes it starts itself), the ANSI code page 936
# (zh_CN) and tool messages in English. ARCH defaults to the one the prefix was made for.
wine_env() {
    local prefix arch=${2:-}
    prefix=$(realpath -m "$1")
    [ -n "$arch" ] || arch=$(prefix_arch "$prefix") || return 1
    WINELOADER=$(wine_loader "$arch") || return 1
    export WINEPREFIX="$prefix" WINEARCH="$arch" WINELOADER WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_MESSAGES=C
    unset LC_ALL
}

# bench_setup TARGET DIR: where a benchmark of the window's code runs, TARGET built there, and
# Wine's environment for a prefix in DIR. The route is the release build under 32-bit Wine where
# this machine runs 32-bit programs, elsewhere the x86_64 test build under 64-bit Wine. Sets preset,
# arch (of the prefix), cxx (the compiler of that route) and route (said with the figures).
bench_setup() {
    if runs_i686; then
        preset=windows arch=win32 cxx=i686-w64-mingw32-g++-win32 route="i686 (release build, 32-bit Wine)"
    else
        preset=windows-tests-x64 arch=win64 cxx=x86_64-w64-mingw32-g++-win32
        route="x86_64 (test build, 64-bit Wine; $SYSVELA_I686_REASON)"
    fi
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target "$1" >/dev/null
    ensure_wineprefix "$2/wineprefix-$arch" "$arch"
    wine_env "$2/wineprefix-$arch"
}

# warm_wineserver: a wineserver that stays, and one program run on it, so that what is timed next
# does not include Wine's own start.
warm_wineserver() {
    (wineserver -p </dev/null >/dev/null 2>&1 &)
    "$WINELOADER" cmd /c exit 0 </dev/null >/dev/null 2>&1
}

# median: the median of the numbers on standard input, one a line.
median() {
    sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# ensure_wineprefix DIR [win32|win64]: a prefix that reports Windows XP (XP x64 in a 64-bit
# one), never opens a crash dialog and shows the program's Chinese captions with an installed
# CJK font. Made once; the ready-marker records the architecture.
ensure_wineprefix() {
    local prefix arch=${2:-win32}
    prefix=$(realpath -m "$1")
    if [ "$(cat "$prefix/.sysvela-ready" 2>/dev/null)" = "$arch" ]; then return 0; fi
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    (
        wine_env "$prefix" "$arch"
        unset DISPLAY
        local version=winxp expected=5.1
        if [ "$arch" = win64 ]; then version=winxp64 expected=5.2; fi # winxp is refused in win64
        "$WINELOADER" wineboot -i >/dev/null 2>&1
        wineserver -w
        "$WINELOADER" winecfg /v "$version" >/dev/null 2>&1 || true
        # winecfg's word is not enough: read back what landed.
        local landed
        landed=$("$WINELOADER" reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion' /v CurrentVersion \
            2>/dev/null | tr -d '\r' | awk '$1 == "CurrentVersion" { print $3 }')
        if [ "$landed" != "$expected" ]; then
            echo "ensure_wineprefix: $prefix reports Windows version '${landed:-none}', not $expected ($version)" >&2
            exit 1
        fi
        "$WINELOADER" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        for f in SimSun 宋体 'MS Shell Dlg' 'MS Shell Dlg 2' Tahoma; do
            "$WINELOADER" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$f" /t REG_SZ \
                /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
        done
        wineserver -w
    ) || return 1
    echo "$arch" >"$prefix/.sysvela-ready"
}

# start_wineserver DIR: a persistent wineserver for the prefix, started outside ctest.
start_wineserver() {
    (
        wine_env "$1" || exit 1
        (wineserver -p </dev/null >/dev/null 2>&1 &)
        "$WINELOADER" cmd /c exit 0 </dev/null >/dev/null 2>&1
    )
}

stop_wineserver() {
    WINEPREFIX=$(realpath -m "$1") wineserver -k >/dev/null 2>&1 || true
}
