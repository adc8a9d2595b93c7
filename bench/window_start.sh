#!/usr/bin/env bash
# window_start.sh [RUNS] [zh|en]: time from start to the first painted window under Wine, median of
# RUNS starts (default 10), for sysvela.exe in the language given (default zh, the documented
# window) and for a bare Win32 window program built the same way, measured in the same run,
# alternately, on a private Xvfb with one warm wineserver.
#
# "Painted" is the moment a pixel of the window's own painting (the middle of its header row)
# shows on the X screen, polled every few milliseconds: it includes Wine's start of the process,
# the window's creation, its first paint and Wine's flush of the window surface to X.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib.sh"
runs=${1:-10}
language=${2:-zh}
out="$root/build/bench-window"
mkdir -p "$out"

bench_setup sysvela "$out"
sysvela="$root/build/$preset/src/app/win32/sysvela.exe"
# The bare window, built with the release flags of the same route.
"$cxx" -std=c++20 -Os -D_WIN32_WINNT=0x0501 -DWINVER=0x0501 -DUNICODE -D_UNICODE -municode \
    -static -static-libgcc -static-libstdc++ -Wl,--subsystem,windows:5.01 -s \
    "$root/bench/bare_window.cpp" -o "$out/bare_window.exe" -lgdi32

xvfb=""
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -f "$out/display"
}
trap cleanup EXIT
rm -f "$out/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -br -nolisten tcp 3>"$out/display" </dev/null >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$out/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$out/display")"
warm_wineserver

now_ms() { date +%s%3N; }
# The window is 729 x 479, centred on the 1280 x 1024 screen: its header row starts at y = 272.
probe_x=640
probe_y=284
painted() {
    local pixel
    pixel=$(import -silent -window root -crop "1x1+$probe_x+$probe_y" -depth 8 txt:- 2>/dev/null | tail -n 1)
    [[ -n "$pixel" && "$pixel" != *"#000000"* ]]
}

measure() { # program [ARGS] -> milliseconds to the first painted window
    local exe=$1 start pid elapsed
    shift
    start=$(now_ms)
    "$WINELOADER" "$exe" "$@" </dev/null >/dev/null 2>&1 &
    pid=$!
    until painted; do
        sleep 0.005
        if [ $(( $(now_ms) - start )) -gt 30000 ]; then echo "timeout" >&2; break; fi
    done
    elapsed=$(( $(now_ms) - start ))
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    # Let the screen go black again before the next start.
    for _ in $(seq 200); do painted || break; sleep 0.01; done
    echo "$elapsed"
}


measure "$sysvela" "/lang:$language" >/dev/null # warm-up: the file cache and Wine's first start
measure "$out/bare_window.exe" >/dev/null
: >"$out/sysvela.ms"
: >"$out/bare.ms"
for _ in $(seq "$runs"); do
    measure "$sysvela" "/lang:$language" >>"$out/sysvela.ms"
    measure "$out/bare_window.exe" >>"$out/bare.ms"
done
echo "start to first painted window under Wine, median of $runs starts; /lang:$language; route: $route"
echo "  sysvela.exe      $(median <"$out/sysvela.ms") ms   ($(tr '\n' ' ' <"$out/sysvela.ms")) size $(wc -c <"$sysvela") bytes"
echo "  bare_window.exe  $(median <"$out/bare.ms") ms   ($(tr '\n' ' ' <"$out/bare.ms")) size $(wc -c <"$out/bare_window.exe") bytes"
