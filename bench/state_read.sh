#!/usr/bin/env bash
# state_read.sh [RUNS]: how long the window spends, after its first paint, reading the four option
# pages' states for their tips through the real System under Wine: the release build's code (32-bit
# where this machine runs 32-bit programs), one read per start, median of RUNS starts (default 10).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib.sh"
runs=${1:-10}
out="$root/build/bench-window"
mkdir -p "$out"

bench_setup bench_state_read "$out"
exe="$root/build/$preset/bench/win32/bench_state_read.exe"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
warm_wineserver

"$WINELOADER" "$exe" </dev/null >/dev/null 2>&1 || true # warm-up: the file cache and Wine's first start
: >"$out/states.ms"
for _ in $(seq "$runs"); do
    "$WINELOADER" "$exe" </dev/null 2>/dev/null | tr -d '\r' >>"$out/states.ms"
done
median=$(median <"$out/states.ms")
echo "reading the four option pages' states for their tips under Wine, median of $runs starts; route: $route"
echo "  $median ms   ($(tr '\n' ' ' <"$out/states.ms"))"
