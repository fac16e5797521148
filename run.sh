#!/usr/bin/env bash
# Runs the program's main job. Installs what is missing and builds first.
#   ./run.sh split [--lines N] SOURCE [TARGET_DIR]   the command-line splitter (native)
#   ./run.sh                                          how to use it
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

usage() {
    cat <<TXT
Orvo大文件分割机 — splits a large text file into numbered pieces of at most N lines.

  ./run.sh split [--lines N] SOURCE [TARGET_DIR]
      Splits SOURCE into TARGET_DIR/<name>_1.txt, <name>_2.txt, ... (N from 1 to 99999, default 3000;
      TARGET_DIR defaults to the source's directory).
TXT
}

case "${1:-}" in
    split)
        shift
        scripts/setup.sh >&2
        # Only what the splitter needs: work in progress elsewhere must not keep it from running.
        [ -f build/host/CMakeCache.txt ] || cmake -S . -B build/host -G Ninja -DCMAKE_BUILD_TYPE=Release >&2
        cmake --build build/host --target orvo-split >&2
        exec build/host/tools/orvo-split "$@"
        ;;
    -h|--help|help|"")
        usage
        ;;
    *)
        usage >&2
        exit 1
        ;;
esac
