#!/usr/bin/env bash
# Takes the documentation's pictures of the main window and the skin gallery at 150 % and 200 %, on
# a private Xvfb large enough for the gallery at 200 %, in the program's language: without their
# skin (the framework's layout at those scales), docs/dpi-<percent>-main.png, -gallery.png; and in
# each shipped skin drawn by the skin engine at that scale, with a message box,
# docs/dpi-<percent>-<skin>-main.png, -gallery.png, -message.png.
#   scripts/dpi-pictures.sh            after scripts/build.sh win
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tool=build/win/tests/app/orvo_dpi_pictures.exe
[ -f "$tool" ] || { echo "dpi-pictures: build the Windows configuration first (scripts/build.sh win)" >&2; exit 1; }
source scripts/wine-env.sh
orvo_pictures_env
# A display of its own, larger than the tests' (the gallery is 1320 x 1020 at 200 %).
n=90
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 2560x1600x24 -nolisten tcp >/dev/null 2>&1 &
ORVO_XVFB_PID=$!
export DISPLAY=":$n"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
orvo_start_wineserver
logpixels() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
trap 'logpixels 96; orvo_wine_stop' EXIT
work=$(mktemp -d)
winpath() { echo "Z:$(echo "$1" | sed 's|/|\\|g')"; }
for dpi in 144 192; do
    percent=$((dpi * 100 / 96))
    logpixels "$dpi"
    wine "$tool" "$(winpath "$work")" "dpi-$percent"
    for skin in slate:default jade:jade night:night; do
        wine "$tool" "$(winpath "$work")" "dpi-$percent-${skin%%:*}" "$(winpath "$root/build/win/skins/${skin#*:}.skn")"
    done
done
logpixels 96
for f in "$work"/*.bmp; do
    convert "$f" "docs/$(basename "${f%.bmp}").png"
done
rm -rf "$work"
ls docs/dpi-*.png
