#!/usr/bin/env bash
# Takes the documentation's pictures of the program under each skin of our own, on a private Xvfb
# display in the program's language, and writes them as PNG files into docs/shots/<skin>-<window>.png.
#   scripts/screenshots.sh [SKIN...]    after scripts/build.sh win; SKIN: slate, jade, night (all by default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh >&2
tour=build/win/tests/app/orvo_screenshot_tour.exe
[ -f "$tour" ] || { echo "screenshots: build the Windows configuration first (scripts/build.sh win)" >&2; exit 1; }
skins=("$@")
[ ${#skins[@]} -gt 0 ] || skins=(slate jade night)
source scripts/wine-env.sh
orvo_pictures_env
orvo_start_display
orvo_start_wineserver
trap orvo_wine_stop EXIT
work=$(mktemp -d)
out="$root/docs/shots"
mkdir -p "$out"
winpath() { echo "Z:$(echo "$1" | sed 's|/|\\|g')"; }
for skin in "${skins[@]}"; do
    case "$skin" in
        slate) wine "$tour" "$(winpath "$work")" "" slate ;; # the skin stored in the program
        jade|night) wine "$tour" "$(winpath "$work")" "$(winpath "$root/build/win/skins/$skin.skn")" "$skin" ;;
        *) echo "screenshots: no skin $skin" >&2; exit 1 ;;
    esac
done
# BMP to PNG with Pillow (Debian's, which the skins' drawing installs too).
/usr/bin/python3 - "$out" "$work"/*.bmp <<'PY'
import os, sys
from PIL import Image
for path in sys.argv[2:]:
    Image.open(path).save(os.path.join(sys.argv[1], os.path.basename(path)[:-4] + ".png"), optimize=True)
PY
rm -rf "$work"
ls "$out"
