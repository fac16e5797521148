#!/usr/bin/env bash
# Configures and builds one configuration: host (native g++), win (MinGW-w64) or fuzz (clang + libFuzzer).
# Usage: scripts/build.sh host|win|fuzz [extra cmake args...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
config=${1:?usage: build.sh host|win|fuzz}
shift
dir="$root/build/$config"
case "$config" in
    host) args=(-DCMAKE_BUILD_TYPE=Release) ;;
    win)  args=(-DCMAKE_BUILD_TYPE=Release --toolchain "$root/cmake/mingw-w64.cmake") ;;
    fuzz) args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVO_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
    *) echo "build.sh: unknown configuration $config" >&2; exit 1 ;;
esac
# A compiler cache, where the machine has one, makes rebuilds in several checkouts cheap.
if command -v ccache >/dev/null; then
    args+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$dir" -G Ninja "${args[@]}" "$@" >/dev/null
else
    cmake "$dir" >/dev/null
fi
cmake --build "$dir"
