#!/usr/bin/env bash
# Runs every test: native (host) tests, the Windows tests under Wine inside Xvfb, and a short run of
# each fuzz target. Installs what is missing first. Exits non-zero if anything fails.
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

scripts/setup.sh || exit 1
status=0
summary=()

run_suite() { # name, ctest dir, extra ctest args...
    local name=$1 dir=$2
    shift 2
    echo "== $name tests"
    if (cd "$dir" && ctest --output-on-failure --no-tests=error "$@"); then
        summary+=("$name: passed")
    else
        summary+=("$name: FAILED")
        status=1
    fi
}

echo "== building host"
if scripts/build.sh host; then run_suite host build/host; else summary+=("host: BUILD FAILED"); status=1; fi

echo "== building win"
if scripts/build.sh win; then
    source scripts/wine-env.sh
    orvo_wine_prefix
    orvo_start_display
    orvo_start_wineserver
    trap orvo_wine_stop EXIT
    run_suite win build/win
    orvo_wine_stop
    trap - EXIT
else
    summary+=("win: BUILD FAILED"); status=1
fi

if [ -f fuzz/CMakeLists.txt ]; then
    echo "== building fuzz"
    if scripts/build.sh fuzz; then run_suite fuzz build/fuzz; else summary+=("fuzz: BUILD FAILED"); status=1; fi
fi

echo "== summary"
printf '  %s\n' "${summary[@]}"
exit $status
