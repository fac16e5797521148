#!/usr/bin/env bash
# Splits the same 1 GiB text file with orvo-split.exe and from the splitter's window, in turns,
# under Wine (docs/perf-app.md). Run by hand:
#   tests/app/split_window_bench.sh [WIN_BUILD_DIR [ROUNDS [DATA_DIR]]]
# WIN_BUILD_DIR defaults to build/win (targets orvo-split and orvo_app_split_window_bench built).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)
rounds=${2:-3}
data=${3:-/tmp/orvo-bench-app}
mkdir -p "$data/cli" "$data/win"

# 1 GiB of log-like lines (8 to 120 bytes, LF and CR LF mixed), the same every time.
if [ ! -f "$data/big-1g.txt" ]; then
    python3 - "$data/big-1g.txt" <<'PY'
import random, sys
random.seed(7)
words = [w.encode() for w in "error warning info debug request response user session timeout retry cache disk queue".split()]
block = b"".join(b"%08d " % i + b" ".join(random.choice(words) for _ in range(random.randint(3, 18)))
                 + (b"\r\n" if i % 3 else b"\n") for i in range(20000))
size, written = 1 << 30, 0
with open(sys.argv[1], "wb") as f:
    while written + len(block) <= size:
        f.write(block)
        written += len(block)
    f.write(block[:size - written])
PY
fi

cd "$root"
source scripts/wine-env.sh
orvo_wine_prefix
orvo_start_display
orvo_start_wineserver
trap orvo_wine_stop EXIT
source=$(winepath -w "$data/big-1g.txt")
seconds() { date +%s.%N; }
run_cli() {
    rm -rf "$data/cli"/*
    sync
    local start
    start=$(seconds)
    wine "$build/tools/orvo-split.exe" --lines 3000 "$source" "$(winepath -w "$data/cli")" >/dev/null
    echo "round $round: orvo-split.exe $(echo "$(seconds) - $start" | bc) s, $(ls "$data/cli" | wc -l) pieces"
    rm -rf "$data/cli"/*
}
run_window() {
    rm -rf "$data/win"/*
    sync
    wine "$build/tests/app/orvo_app_split_window_bench.exe" "$source" "$(winepath -w "$data/win")" 3000 |
        sed "s/^/round $round: window: /"
    rm -rf "$data/win"/*
}
# Alternating which goes first, so neither always finds the caches and the machine as the other
# left them.
for round in $(seq "$rounds"); do
    if [ $((round % 2)) = 1 ]; then run_cli; run_window; else run_window; run_cli; fi
done
rm -rf "$data/cli"/* "$data/win"/*
