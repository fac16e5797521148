#!/usr/bin/env bash
# Splitting benchmark (run by hand): wall time of `orvo-split --lines 3000` against GNU
# `split -l 3000` on the same 256 MiB text files (LF and CR LF line ends), alternating, median of
# RUNS runs each, output on the same file system, pieces removed and dirty pages synced between
# runs (and once more for LF in tmpfs); then peak memory of orvo-split on one-line files (200 MiB,
# and 1 GiB when the disk allows).
#   bench/split_bench.sh        RUNS=5, SETTLE=0 (see below); inputs are kept in BENCH_DIR
#                               (build/split-bench-data) for reruns
#   bench/split_bench.sh text   instead: a UTF-16LE source against the same text in bytes (time
#                               per byte read), and `--bytes 1M` against `split -C 1M`, on disk and
#                               in tmpfs
#   bench/split_bench.sh data   instead: `--csv` against the byte path on the same 256 MiB CSV
#                               export, `--pieces 16` (LF, exact, CR LF) against `split -n l/16`,
#                               `--manifest` against without, and the byte path against `cp` of the
#                               same file (one file written, nothing scanned: the floor; `dd` too),
#                               on disk and in tmpfs
set -euo pipefail
what=${1:-lines}
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

# Runs two commands in turn RUNS times (plus one warm-up round), each into a fresh directory $out,
# and prints their medians and the ratio A/B; with SCALE_A and SCALE_B (bytes each one reads) the
# ratio is that of the times per byte read.
#   compare_pair LABEL DIR "NAME_A" "COMMAND_A" "NAME_B" "COMMAND_B"   (commands see $out)
compare_pair() {
    local label=$1 dir=$2 name_a=$3 cmd_a=$4 name_b=$5 cmd_b=$6 a=() b=()
    local out=$dir/out
    for ((i = 0; i <= runs; i++)); do
        # ABBA order: on ext4 without a journal every file created soon after many were deleted
        # costs more, so runs slow down as a session goes on; neither command may always go first.
        local order="a b" t_a t_b
        ((i % 2)) && order="b a"
        for which in $order; do
            rm -rf "$out" && mkdir "$out"
            if [ "$which" = a ]; then t_a=$(seconds env out="$out" sh -c "$cmd_a"); else t_b=$(seconds env out="$out" sh -c "$cmd_b"); fi
        done
        if [ "$i" -gt 0 ]; then # the first round only warms the caches
            a+=("$t_a")
            b+=("$t_b")
        fi
    done
    rm -rf "$out"
    local m_a m_b
    m_a=$(printf '%s\n' "${a[@]}" | median)
    m_b=$(printf '%s\n' "${b[@]}" | median)
    printf '%-34s %s %.3f s   %s %.3f s   ratio %.3f\n    runs: %s %s\n          %s %s\n' \
        "$label ($(df --output=fstype "$dir" | tail -1))" "$name_a" "$m_a" "$name_b" "$m_b" \
        "$(awk -v a="$m_a" -v b="$m_b" -v sa="${SCALE_A:-1}" -v sb="${SCALE_B:-1}" 'BEGIN { print (a / sa) / (b / sb) }')" \
        "$name_a" "${a[*]}" "$name_b" "${b[*]}"
}

compare() { # directory input-file: orvo-split --lines 3000 against split -l 3000
    local input=$1/$2
    compare_pair "$2" "$1" orvo-split "\"$tool\" --lines 3000 \"$input\" \"\$out\"" \
        split "split -l 3000 \"$input\" \"\$out/x\""
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

text_bench() { # directory: the UTF-16 path and pieces by size
    local lf=$1/lf-256m.txt u16=$1/u16le-256m.txt
    [ -f "$u16" ] || { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$lf"; } >"$u16"
    SCALE_A=$(stat -c %s "$u16") SCALE_B=$(stat -c %s "$lf") \
        compare_pair "UTF-16LE / bytes, per byte" "$1" utf-16 "\"$tool\" --lines 3000 \"$u16\" \"\$out\"" \
        bytes "\"$tool\" --lines 3000 \"$lf\" \"\$out\""
    compare_pair "--bytes 1M / split -C 1M" "$1" orvo-split "\"$tool\" --bytes 1M \"$lf\" \"\$out\"" \
        split "split -C 1M \"$lf\" \"\$out/x\""
}

data_bench() { # directory: the data modes
    local lf=$1/lf-256m.txt csv=$1/data-256m.csv crlf=$1/crlf-256m.txt
    compare_pair "--csv / bytes, same CSV file" "$1" csv "\"$tool\" --csv --lines 3000 \"$csv\" \"\$out\"" \
        bytes "\"$tool\" --lines 3000 \"$csv\" \"\$out\""
    compare_pair "--pieces 16 / split -n l/16" "$1" orvo-split "\"$tool\" --pieces 16 \"$lf\" \"\$out\"" \
        split "split -n l/16 \"$lf\" \"\$out/x\""
    # Pieces that hold the source's bytes: written from the read buffer, as split does.
    compare_pair "--keep-line-ends --pieces 16 / split" "$1" orvo-split \
        "\"$tool\" --keep-line-ends --pieces 16 \"$lf\" \"\$out\"" split "split -n l/16 \"$lf\" \"\$out/x\""
    compare_pair "--pieces 16 CR LF / split -n l/16" "$1" orvo-split "\"$tool\" --pieces 16 \"$crlf\" \"\$out\"" \
        split "split -n l/16 \"$crlf\" \"\$out/x\""
    compare_pair "--manifest / without" "$1" manifest "\"$tool\" --manifest --lines 3000 \"$lf\" \"\$out\"" \
        without "\"$tool\" --lines 3000 \"$lf\" \"\$out\""
    compare_pair "--lines 3000 / cp" "$1" orvo-split "\"$tool\" --lines 3000 \"$lf\" \"\$out\"" \
        cp "cp \"$lf\" \"\$out/copy\""
    compare_pair "--pieces 16 / cp" "$1" orvo-split "\"$tool\" --pieces 16 \"$lf\" \"\$out\"" \
        cp "cp \"$lf\" \"\$out/copy\""
    compare_pair "--keep-line-ends --pieces 2 / cp" "$1" orvo-split \
        "\"$tool\" --keep-line-ends --pieces 2 \"$lf\" \"\$out\"" cp "cp \"$lf\" \"\$out/copy\""
    # What any program that reads its source into memory pays against cp's copy in the kernel
    # (cat would copy in the kernel too).
    compare_pair "dd bs=512K / cp" "$1" dd "dd if=\"$lf\" of=\"\$out/copy\" bs=512K status=none" \
        cp "cp \"$lf\" \"\$out/copy\""
}

if [ "$what" = data ]; then
    make_input 256 csv data-256m.csv
    make_input 256 crlf crlf-256m.txt
    echo "== wall time, median of $runs (after one warm-up round), settle ${settle} s, $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
    data_bench "$data"
    if [ -d /dev/shm ] && [ "$(df --output=avail -k /dev/shm | tail -1)" -gt $((2 * 1024 * 1024)) ]; then
        shm=$(mktemp -d /dev/shm/orvo-split-bench.XXXXXX)
        cp "$data/lf-256m.txt" "$data/data-256m.csv" "$data/crlf-256m.txt" "$shm/"
        data_bench "$shm"
        rm -rf "$shm"
    fi
    exit 0
fi

if [ "$what" = text ]; then
    echo "== wall time, median of $runs (after one warm-up round), settle ${settle} s, $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
    text_bench "$data"
    if [ -d /dev/shm ] && [ "$(df --output=avail -k /dev/shm | tail -1)" -gt $((2 * 1024 * 1024)) ]; then
        shm=$(mktemp -d /dev/shm/orvo-split-bench.XXXXXX)
        cp "$data/lf-256m.txt" "$shm/"
        text_bench "$shm"
        rm -rf "$shm"
    fi
    exit 0
fi

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
