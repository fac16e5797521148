#!/usr/bin/env bash
# Runs the program's main job. Installs what is missing and builds first.
#   ./run.sh                                          OrvoSplitter.exe, the splitter's window, under Wine
#   ./run.sh split [--lines N] SOURCE [TARGET_DIR]   the command-line splitter (native)
#   ./run.sh --help                                   how to use it
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

usage() {
    cat <<TXT
Orvo大文件分割机 — splits a large text file into numbered pieces of at most N lines.

  ./run.sh
      Starts the splitter's window, OrvoSplitter.exe, under Wine on the X display in DISPLAY.

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
    "")
        scripts/setup.sh >&2
        # Only the program: work in progress elsewhere must not keep it from running.
        [ -f build/win/CMakeCache.txt ] ||
            cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release --toolchain cmake/mingw-w64.cmake >&2
        cmake --build build/win --target OrvoSplitter >&2
        # Set up and built first, so the program is ready once a display is at hand.
        if [ -z "${DISPLAY:-}" ]; then
            cat >&2 <<TXT
run.sh: OrvoSplitter.exe is built, but DISPLAY is not set, so there is no screen to show it on.
Run it from a graphical session, or give it a virtual X display:
    xvfb-run -a ./run.sh
(./run.sh split ... runs the command-line splitter without a display.)
TXT
            exit 2
        fi
        # A prefix of its own with the Chinese fonts, its windows managed on the user's display (the
        # tests' prefix has them unmanaged, for their own window-manager-less Xvfb).
        export WINEPREFIX="$root/build/wineprefix-run"
        # The system's own texts (message-box buttons, the common dialogs) in the program's language.
        LANG=$(scripts/chinese-locale.sh)
        export LANG
        unset LC_ALL LC_MESSAGES
        source scripts/wine-env.sh
        orvo_wine_prefix managed
        # Without a window manager (xvfb-run, a bare X server) nobody would draw the title bars or
        # move the windows: Wine's own desktop window, as large as the screen, does both then.
        if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
            size=$(xdpyinfo 2>/dev/null | awk '/dimensions:/ && !seen++ { print $2 }' || true)
            exec wine explorer "/desktop=Orvo,${size:-1024x768}" build/win/app/OrvoSplitter.exe
        fi
        exec wine build/win/app/OrvoSplitter.exe
        ;;
    -h|--help|help)
        usage
        ;;
    *)
        usage >&2
        exit 1
        ;;
esac
