#!/usr/bin/env bash
# screenshots.sh PREFIX EXE OUTDIR [ARGS...]: the window of EXE (started with ARGS) on each of its
# five pages, as OUTDIR/system.png, security.png, startup.png, slimming.png and services.png, on a
# private Xvfb display. The pages are shown by clicking their buttons, the pointer then moved away.
# Then a pass of the system page, and the preview and the history after it, as preview.png and
# history.png; not with SYSVELA_SHOTS=pages, which stops after the five pages.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prefix=$1 exe=$2 out=$3
shift 3
mkdir -p "$out"
work=$(mktemp -d)
xvfb="" app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    WINEPREFIX=$(realpath -m "$prefix") wineserver -k >/dev/null 2>&1 || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" </dev/null >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "screenshots.sh: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"

"$here/../../scripts/winerun" "$prefix" "$exe" "$@" </dev/null >"$work/wine.log" 2>&1 &
app=$!
window=""
for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name '^Sysvela$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
[ -n "$window" ] || { echo "screenshots.sh: the window did not appear" >&2; cat "$work/wine.log" >&2; exit 1; }

# Each page button's centre in the window, in pixels at 96 dpi: XPCMain lies 1 px in, and the
# buttons are 89 x 41 at y 30 (twips 450, 615 high).
shot() {
    xdotool mousemove 0 0
    sleep 1.5 # the hover look fades and Wine flushes to the X surface
    import -window "$window" "$out/$1.png"
}
page() { # page NAME X
    xdotool mousemove --window "$window" "$2" 51 click 1
    shot "$1"
}
shot system
page security 406
page startup 494
page slimming 582
page services 670
if [ "${SYSVELA_SHOTS:-}" = pages ]; then
    echo "screenshots.sh: $out/{system,security,startup,slimming,services}.png"
    exit 0
fi

# A modal window of the program's by its title: shot, then closed with Esc.
modal() { # modal NAME TITLE-PATTERN X
    local w=""
    xdotool mousemove --window "$window" "$3" 451 click 1
    for _ in $(seq 100); do
        w=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | head -n 1 || true)
        [ -n "$w" ] && break
        sleep 0.1
    done
    [ -n "$w" ] || { echo "screenshots.sh: no window $2" >&2; exit 1; }
    sleep 1.5
    import -window "$w" "$out/$1.png"
    xdotool key --window "$w" Escape
    sleep 0.5
}
# 优化(O), 预览(P) and 撤销(U) on the bottom row: twips 2850, 4155 and 8235, 375 high at 6570.
page system 318
xdotool mousemove --window "$window" 231 451 click 1
for _ in $(seq 100); do # a box after the pass (Wine has no chkntfs): closed with Enter
    box=$(xdotool search --onlyvisible --name '优化结果|Optimization Results' 2>/dev/null | head -n 1 || true)
    [ -n "$box" ] && { xdotool key --window "$box" Return; break; }
    sleep 0.1
done
modal preview '^预览|^Preview' 315
modal history '^优化记录|^Optimization History' 587
echo "screenshots.sh: $out/{system,security,startup,slimming,services,preview,history}.png"
