#!/usr/bin/env bash
# Photographs every window's skin as skinview.exe shows it under Wine, with a
# few buttons latched, disabled or labelled as the windows would, into OUT_DIR.
#
#   skins/preview/shoot.sh WIN_BIN OUT_DIR
#
# Uses $DISPLAY when set, a private Xvfb otherwise (tools/with-display.sh).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
bin=$(cd "${1:?usage: shoot.sh WIN_BIN OUT_DIR}" && pwd)
out=$(mkdir -p "${2:?usage: shoot.sh WIN_BIN OUT_DIR}" && cd "$2" && pwd)
export WINEPREFIX=${WINEPREFIX:-$(dirname "$bin")/wineprefix}

if [ -z "${DISPLAY:-}" ]; then
  exec "$root/tools/with-display.sh" "$0" "$@"
fi

shoot() {  # name, skin file, skinview options...
  local name=$1 file=$2
  shift 2
  "$root/tools/wine-run.sh" "$bin/skinview.exe" "Skins\\$file" --close-after 6000 "$@" &
  local pid=$!
  sleep 3
  # the pointer off the window: no hover looks, no tooltips
  xdotool mousemove 0 0 2>/dev/null || true
  sleep 1.5
  import -window root "$out/.screen.png"
  wait "$pid" || true
  # the dialog is centred on the screen: cut it out by the size of its face
  /usr/bin/python3 - "$bin/Skins" "$file" "$out/.screen.png" "$out/wine_$name.png" <<'PY'
import re, sys
from PIL import Image
skins, ini, screen, target = sys.argv[1:]
text = open("%s/%s" % (skins, ini), encoding="utf-8").read()
face = re.search(r"^Main=(.*?)\r?$", text, re.M).group(1)
w, h = Image.open("%s/%s" % (skins, face)).size
shot = Image.open(screen)
x, y = (shot.width - w) // 2, (shot.height - h) // 2
shot.crop((x - 12, y - 12, x + w + 12, y + h + 12)).save(target)
PY
  rm -f "$out/.screen.png"
  echo "wine_$name.png"
}

shoot singlekey SingleKey.ini --edit "107,50,44,18=W" --edit "107,73,44,18=Up"
shoot tkeys TKeys.ini --text "1=Rapid fire" --latch 2
shoot cmdmenu Commands_menu.ini
shoot instshift INSTANTSHIFTSYS.ini --text "1=Profile II" --latch 2 --disable 4
shoot macro MacroSetting.ini --text "16=Rapid fire" --text "21=Copy" --list "28,69,85,182" --list "114,69,88,182" \
  --edit "291,145,33,17=0" --edit "335,224,33,17=50" --disable 9,10,12,11,13,18,17,15
shoot light LightOption.ini --latch 3,32,27,31,28,19,9,15,16
shoot warning1 Warning1_skin.ini
shoot warning2 Warning2_skin.ini
shoot warning3 Warning3_skin.ini
shoot newmacro CreateNewmacro.ini --edit "90,49,95,20=Rapid fire"
shoot repeat RepeatCount.ini --edit "140,12,34,17=5"
