#!/usr/bin/env bash
# Takes the documentation's pictures of the program under each skin of our own, on a private Xvfb
# display in the program's language, and writes them as PNG files into docs/shots/<skin>-<window>.png
# (Orvo Slate, Orvo Jade and Orvo Night).
#   scripts/screenshots.sh            after scripts/build.sh win
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh imagemagick >&2
tour=build/win/tests/app/orvo_screenshot_tour.exe
[ -f "$tour" ] || { echo "screenshots: build the Windows configuration first (scripts/build.sh win)" >&2; exit 1; }
# The program's own prefix settings and its language, as ./run.sh runs it.
export WINEPREFIX="$root/build/wineprefix-shots"
LANG=$(scripts/chinese-locale.sh)
export LANG
unset LC_ALL LC_MESSAGES
source scripts/wine-env.sh
orvo_wine_prefix
orvo_start_display
orvo_start_wineserver
trap orvo_wine_stop EXIT
work=$(mktemp -d)
out="$root/docs/shots"
mkdir -p "$out"
winpath() { echo "Z:$(echo "$1" | sed 's|/|\\|g')"; }
wine "$tour" "$(winpath "$work")" "" slate
wine "$tour" "$(winpath "$work")" "$(winpath "$root/build/win/skins/jade.skn")" jade
wine "$tour" "$(winpath "$work")" "$(winpath "$root/build/win/skins/night.skn")" night
for f in "$work"/*.bmp; do
    convert "$f" "$out/$(basename "${f%.bmp}").png"
done
rm -rf "$work"
ls "$out"
