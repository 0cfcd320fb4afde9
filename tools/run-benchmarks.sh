#!/usr/bin/env bash
# make bench: runs every benchmark program (bench_*), native ones directly and
# Windows ones under Wine on a display. Each prints its figures beside its peer's.
set -e
native_bin=$1 win_bin=$2
here=$(cd "$(dirname "$0")" && pwd)
for b in "$native_bin"/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done
for b in "$win_bin"/bench_*.exe; do
  [ -f "$b" ] || continue
  echo "== $(basename "$b") (Wine)"
  "$here/with-display.sh" "$here/wine-run.sh" "$b"
done
# Start-up and memory again on a display at 200 % (192 DPI): a Wine prefix of
# that DPI and a screen the 200 % main window fits on.
if [ -f "$win_bin/bench_startup.exe" ]; then
  echo "== bench_startup.exe at 200 % (Wine, 192 DPI)"
  prefix=$("$here/dpi-prefix.sh" 192 ${WINEPREFIX:+"$WINEPREFIX"})
  WINEPREFIX=$prefix ZAVO_PRIVATE_DISPLAY=1 ZAVO_SCREEN=2560x1440x24 \
    "$here/with-display.sh" "$here/wine-run.sh" "$win_bin/bench_startup.exe"
fi
