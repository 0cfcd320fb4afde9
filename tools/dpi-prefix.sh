#!/usr/bin/env bash
# Makes the Wine prefix of a display scale and prints its path:
#   tools/dpi-prefix.sh DPI [BASE_PREFIX]
# DPI is the display's pixels per inch (96 = 100 %, 120, 144, 168, 192 = 200 %).
# Wine takes the system DPI from HKCU\Control Panel\Desktop\LogPixels, read
# when its server starts, so each DPI gets a prefix of its own beside the
# build's one (BASE_PREFIX, default build/win/wineprefix): "<base>-dpi<DPI>".
# 96 is Wine's own default and uses the base prefix itself.
#
# The copy is made once and made again when the base prefix is made again. Its
# system folders are hard links to the base's (nothing writes into them and
# they are most of the prefix's size); the registry and the user folders are
# real copies, so what a test writes stays in its DPI's prefix.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dpi=${1:?usage: dpi-prefix.sh DPI [BASE_PREFIX]}
base=${2:-$root/build/win/wineprefix}
case $dpi in
  ''|*[!0-9]*) echo "dpi-prefix: DPI must be a number, not '$dpi'" >&2; exit 2 ;;
esac

# The base prefix is made by the first program run in it.
if [ ! -f "$base/.zavo-ready" ]; then
  WINEPREFIX=$base "$root/tools/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true
  [ -f "$base/.zavo-ready" ] || { echo "dpi-prefix: no Wine prefix at $base" >&2; exit 1; }
fi
if [ "$dpi" = 96 ]; then
  echo "$base"
  exit 0
fi

target=$base-dpi$dpi
stamp="$dpi $(stat -c %Y "$base/.zavo-ready")"
(
  flock 9
  if [ "$(cat "$target/.zavo-dpi" 2>/dev/null)" != "$stamp" ]; then
    # The prefix's server writes the hive when it ends: stop it before the
    # hive is replaced.
    if [ -e "$target" ] || [ -L "$target" ]; then
      # Only a prefix this script made (it holds the mark) is replaced.
      if [ -L "$target" ] || [ ! -d "$target" ] || [ ! -f "$target/.zavo-dpi" ]; then
        echo "dpi-prefix: $target was not made by dpi-prefix.sh; not replacing it" >&2
        exit 1
      fi
      WINEPREFIX=$target wineserver -k >/dev/null 2>&1 || true
      WINEPREFIX=$target wineserver -w >/dev/null 2>&1 || true
      rm -rf --one-file-system "$target"
    fi
    mkdir "$target"
    echo partial >"$target/.zavo-dpi"
    linked=(drive_c/windows/system32 drive_c/windows/syswow64 drive_c/windows/winsxs)
    # Tests may be running in the base prefix meanwhile: its server saves the
    # hive by writing a new file and renaming it, so each copied file is whole
    # (tar's "file changed as we read it", status 1, is expected).
    (cd "$base" && { tar --warning=no-file-changed --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/winsxs \
                       --exclude=./drive_c/windows/syswow64 -cf - . || [ $? = 1 ]; }) |
      (cd "$target" && tar -xf -)
    for dir in "${linked[@]}"; do
      [ -d "$base/$dir" ] && cp -al "$base/$dir" "$target/$dir"
    done
    # The server of the copy has never run: the value goes straight into the
    # user hive and holds from its first program on.
    printf '\n[Control Panel\\\\Desktop]\n"LogPixels"=dword:%08x\n' "$dpi" >>"$target/user.reg"
    echo "$stamp" >"$target/.zavo-dpi"
  fi
) 9>"$target.lock"
echo "$target"
