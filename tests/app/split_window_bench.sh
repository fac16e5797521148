#!/usr/bin/env bash
# Splits the same 1 GiB text file with orvo-split.exe and from the splitter's window, in turns,
# under Wine (docs/perf-app.md). Run by hand:
#   tests/app/split_window_bench.sh [WIN_BUILD_DIR [ROUNDS [DATA_DIR]]]
# WIN_BUILD_DIR defaults to build/win (targets orvo-split and orvo_app_split_window_bench built).
# SETTLE=N waits N seconds before each run: on ext4 without a journal a run that creates its 4536
# pieces soon after others were deleted is slowed by them (docs/performance.md, "The ext4 drift").
# MODE=bytes:N or MODE=pieces:N splits by size or into N pieces instead of by 3000 lines (the
# command line gets --bytes N or --pieces N, the window the same option).
# Ends with the median of each and of the rounds' ratios.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)
rounds=${2:-3}
data=${3:-/tmp/orvo-bench-app}
settle=${SETTLE:-0}
mode=${MODE:-lines:3000}
case "$mode" in
    lines:*) cli_mode=(--lines "${mode#lines:}") ;;
    bytes:*) cli_mode=(--bytes "${mode#bytes:}") ;;
    pieces:*) cli_mode=(--pieces "${mode#pieces:}") ;;
    *) echo "split_window_bench: MODE is lines:N, bytes:N or pieces:N" >&2; exit 2 ;;
esac
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
cli_times=() win_times=() ratios=()
run_cli() {
    rm -rf "$data/cli"/*
    sync
    sleep "$settle"
    local start took
    start=$(seconds)
    wine "$build/tools/orvo-split.exe" "${cli_mode[@]}" "$source" "$(winepath -w "$data/cli")" >/dev/null
    took=$(echo "$(seconds) - $start" | bc)
    cli_times+=("$took")
    echo "round $round: orvo-split.exe $took s, $(ls "$data/cli" | wc -l) pieces"
    rm -rf "$data/cli"/*
}
run_window() {
    rm -rf "$data/win"/*
    sync
    sleep "$settle"
    local report
    local lines=3000
    [[ $mode == lines:* ]] && lines=${mode#lines:}
    report=$(wine "$build/tests/app/orvo_app_split_window_bench.exe" "$source" "$(winepath -w "$data/win")" "$lines" "$mode")
    sed "s/^/round $round: window: /" <<<"$report"
    win_times+=("$(awk '/^split time:/ { print $3 }' <<<"$report")")
    rm -rf "$data/win"/*
}
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# Alternating which goes first, so neither always finds the caches and the machine as the other
# left them.
for round in $(seq "$rounds"); do
    if [ $((round % 2)) = 1 ]; then run_cli; run_window; else run_window; run_cli; fi
    ratios+=("$(awk -v w="${win_times[-1]}" -v c="${cli_times[-1]}" 'BEGIN { printf "%.3f", w / c }')")
    echo "round $round: window / orvo-split.exe ${ratios[-1]}"
done
rm -rf "$data/cli"/* "$data/win"/*
echo "medians over $rounds rounds: orvo-split.exe $(median "${cli_times[@]}") s, window $(median "${win_times[@]}") s," \
     "window / orvo-split.exe $(median "${ratios[@]}") (rounds: ${ratios[*]})"
