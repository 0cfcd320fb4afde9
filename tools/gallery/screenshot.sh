#!/usr/bin/env bash
# Takes docs/screenshots/gallery.png: runs the gallery on a private Xvfb with its
# menu open, rests the mouse on a button so its hover look and tooltip show, and
# crops the screen to the window.
#   tools/gallery/screenshot.sh BUILD_DIR [OUTPUT.png]
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "$1" && pwd)
out=${2:-$root/docs/screenshots/gallery.png}
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
shot=$(mktemp --suffix=.png)
ZAVO_PRIVATE_DISPLAY=1 "$root/tools/with-display.sh" bash -c '
  "$0/tools/wine-run.sh" "$1/bin/gallery/gallery.exe" --menu --quit-after 9000 &
  sleep 4
  xdotool mousemove 600 505; sleep 0.3
  xdotool mousemove 450 435; sleep 0.2
  xdotool mousemove 455 436; sleep 1.5
  import -window root "$2"
  wait' "$root" "$build" "$shot"
# The window is centred on the 1280 x 1024 screen: 560 x 360 at (360, 332).
/usr/bin/python3 -c "
import sys
from PIL import Image
Image.open(sys.argv[1]).crop((330, 300, 950, 720)).save(sys.argv[2])" "$shot" "$out"
rm -f "$shot"
echo "$out"
