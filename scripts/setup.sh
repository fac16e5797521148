#!/usr/bin/env bash
# Installs, with apt, whatever the build and the tests need and this machine lacks. Idempotent: a
# machine that has everything is left alone (no apt-get update, no network).
set -euo pipefail

packages=(
    cmake ninja-build g++ make pkg-config
    googletest                       # GoogleTest sources, compiled for both toolchains
    g++-mingw-w64-x86-64-posix       # the Windows cross compiler (posix threads)
    wine wine64                      # runs the Windows programs and tests
    xvfb xauth                       # a display for Wine
    x11-utils                        # xprop, xdpyinfo: run.sh looks for a window manager
    fonts-wqy-zenhei                 # a CJK font for the Chinese user interface under Wine
    fonts-arphic-uming               # the Ming face standing in for 宋体, with bitmaps at 11-16 px
    fonts-wine                       # Wine's own fonts: Marlett (caption buttons), Tahoma, MS Sans Serif
    clang libclang-rt-14-dev         # libFuzzer for the parsers' fuzz targets
    python3                          # draws the skins and the program's pictures at build time
    python3-cairo                    # ... with cairo (vector drawing)
    python3-pil                      # ... and Pillow (frames, BMP, ICO and GIF writing, contact sheets)
    fonts-dejavu-core                # the contact sheets' labels (DejaVuSans.ttf, named by path)
)
[ $# -gt 0 ] && packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "setup: need root (or sudo) to install ${missing[*]}" >&2; exit 1; }
    SUDO=sudo
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
