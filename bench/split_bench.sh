#!/usr/bin/env bash
# Splitting benchmark (run by hand): wall time of `orvo-split --lines 3000` against GNU
# `split -l 3000` on the same 256 MiB text files (LF and CR LF line ends), alternating, median of
# RUNS runs each, output on the same file system, pieces removed and dirty pages synced between
# runs (and once more for LF in tmpfs); then peak memory of orvo-split on one-line files (200 MiB,
# and 1 GiB when the disk allows).
#   bench/split_bench.sh    RUNS=5, SETTLE=0 (see below); inputs are kept in BENCH_DIR
#                           (build/split-bench-data) for reruns
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${RUNS:-5}
# Seconds to wait before each run. ext4 without a journal skips inodes deleted in the last 60 s
# (longer while their blocks are dirty) when it creates files, so back-to-back runs each create
# their 1100 pieces more slowly than the one before; SETTLE=61 measures without that drift.
settle=${SETTLE:-0}
build=${BUILD_DIR:-$root/build/split-bench}
data=${BENCH_DIR:-$root/build/split-bench-data}

"$root/scripts/setup.sh" time >&2
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target orvo-split split-textgen >/dev/null
tool=$build/tools/orvo-split
mkdir -p "$data"

make_input() { # MiB kind file
    [ -f "$data/$3" ] || "$build/bench/split-textgen" "$1" "$2" "$data/$3"
}

seconds() { # command... ; prints the wall time of one run
    local start end
    sync
    sleep "$settle"
    start=$EPOCHREALTIME
    "$@" >/dev/null
    end=$EPOCHREALTIME
    awk -v a="$end" -v b="$start" 'BEGIN { printf "%.4f\n", a - b }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

compare() { # directory input-file
    local input=$1/$2 out=$1/out orvo=() gnu=()
    for ((i = 0; i <= runs; i++)); do
        # ABBA order: on ext4 without a journal every file created soon after many were deleted
        # costs more, so runs slow down as a session goes on; neither tool may always go first.
        local first=orvo t_orvo t_gnu
        ((i % 2)) && first=gnu
        for tool_run in $first $([ $first = orvo ] && echo gnu || echo orvo); do
            rm -rf "$out" && mkdir "$out"
            if [ "$tool_run" = orvo ]; then
                t_orvo=$(seconds "$tool" --lines 3000 "$input" "$out")
            else
                t_gnu=$(seconds split -l 3000 "$input" "$out/x")
            fi
        done
        if [ "$i" -gt 0 ]; then # the first round only warms the caches
            orvo+=("$t_orvo")
            gnu+=("$t_gnu")
        fi
    done
    rm -rf "$out"
    local m_orvo m_gnu
    m_orvo=$(printf '%s\n' "${orvo[@]}" | median)
    m_gnu=$(printf '%s\n' "${gnu[@]}" | median)
    printf '%-26s orvo-split %.3f s   split %.3f s   ratio %.3f\n    runs: orvo %s\n          split %s\n' \
        "$2 ($(df --output=fstype "$1" | tail -1))" "$m_orvo" "$m_gnu" \
        "$(awk -v a="$m_orvo" -v b="$m_gnu" 'BEGIN { print a / b }')" "${orvo[*]}" "${gnu[*]}"
}

peak() { # input file
    local out=$data/out
    rm -rf "$out" && mkdir "$out"
    local kb
    kb=$(/usr/bin/time -v "$tool" --lines 3000 "$data/$1" "$out" 2>&1 >/dev/null |
        awk -F': ' '/Maximum resident set size/ { print $2 }')
    rm -rf "$out"
    printf '%-12s peak RSS %d KiB (%.1f MiB)\n' "$1" "$kb" "$(awk -v k="$kb" 'BEGIN { print k / 1024 }')"
}

make_input 256 lf lf-256m.txt
make_input 256 crlf crlf-256m.txt
make_input 200 oneline oneline-200m.txt
echo "== wall time, median of $runs (after one warm-up round), settle ${settle} s, $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
compare "$data" lf-256m.txt
compare "$data" crlf-256m.txt
# The same in memory (tmpfs), where no disk or inode allocator hides the splitters' own work.
if [ -d /dev/shm ] && [ "$(df --output=avail -k /dev/shm | tail -1)" -gt $((1024 * 1024)) ]; then
    shm=$(mktemp -d /dev/shm/orvo-split-bench.XXXXXX)
    cp "$data/lf-256m.txt" "$shm/"
    compare "$shm" lf-256m.txt
    rm -rf "$shm"
fi
echo "== peak memory"
peak lf-256m.txt
peak oneline-200m.txt
if [ "$(df --output=avail -k "$data" | tail -1)" -gt $((4 * 1024 * 1024)) ]; then
    make_input 1024 oneline oneline-1g.txt
    peak oneline-1g.txt
    rm -f "$data/oneline-1g.txt"
else
    echo "oneline-1g.txt skipped: less than 4 GiB free on $(df --output=target "$data" | tail -1)"
fi
