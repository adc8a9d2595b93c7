# Shared steps of scripts/run and scripts/test: install what is missing, prepare Wine.
# Sourced, not run.

SYSVELA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Debian packages the build, the tests and the window need.
SYSVELA_PACKAGES="cmake ninja-build g++ libgtest-dev libgmock-dev libcli11-dev libbenchmark-dev mingw-w64
  wine wine32:i386 xvfb xdotool imagemagick fonts-wqy-microhei locales clang libclang-rt-14-dev binutils-mingw-w64-i686"

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

# ensure_wineprefix DIR: a 32-bit prefix that reports Windows XP, never opens a crash dialog and
# shows the program's Chinese captions with an installed CJK font.
ensure_wineprefix() {
    local prefix=$1
    if [ -f "$prefix/.sysvela-ready" ]; then return 0; fi
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    (
        export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_MESSAGES=C
        unset LC_ALL DISPLAY
        wineboot -i >/dev/null 2>&1
        wineserver -w
        wine winecfg /v winxp >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        for f in SimSun 宋体 'MS Shell Dlg' 'MS Shell Dlg 2' Tahoma; do
            wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$f" /t REG_SZ /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
        done
        wineserver -w
    )
    touch "$prefix/.sysvela-ready"
}

# start_wineserver DIR: a persistent wineserver for the prefix, started outside ctest.
start_wineserver() {
    local prefix=$1
    (
        export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_MESSAGES=C
        unset LC_ALL
        (wineserver -p </dev/null >/dev/null 2>&1 &)
        wine cmd /c exit 0 </dev/null >/dev/null 2>&1
    )
}

stop_wineserver() {
    WINEPREFIX="$1" wineserver -k >/dev/null 2>&1 || true
}
