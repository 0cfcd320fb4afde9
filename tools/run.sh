#!/usr/bin/env bash
# make run: starts the device service simulator and ZAVOConfig under Wine.
#
#   tools/run.sh WIN_BIN [NATIVE_BIN]
#
# On the user's display ($DISPLAY) both programs open and the script waits until
# the tool is closed, then stops the simulator. Without a display it starts a
# private Xvfb, waits for the main window "VARNOS", writes a screenshot to
# out/main-window.png and ends everything again.
#
# Environment: SERVICE=none starts the tool alone (no device service).
# ZAVO_SCREEN sets the size of the private screen (default 1280x1024x24), e.g.
# 2560x1440x24 for the window at 200 % in the prefix of tools/dpi-prefix.sh 192.
# The settings live in the Wine prefix's per-user data folder, as on Windows.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
win_bin=$(cd "${1:?usage: run.sh WIN_BIN [NATIVE_BIN]}" && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/win/wineprefix}
service=${SERVICE:-devicesim}
wine_run="$root/tools/wine-run.sh"

pids=()
xvfb=
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
  if [ -n "$xvfb" ]; then
    WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
  fi
}
trap cleanup EXIT

if [ ! -f "$win_bin/ZAVOConfig.exe" ]; then
  echo "run: $win_bin/ZAVOConfig.exe is missing (build it with make win)" >&2
  exit 1
fi

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${ZAVO_SCREEN:-1280x1024x24}" -nolisten tcp -noreset 3>"$fdfile" >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 1 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
  if [ ! -s "$fdfile" ]; then
    echo "run: Xvfb did not start" >&2
    exit 1
  fi
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
  echo "run: no display; using a private Xvfb on $DISPLAY"
fi

if [ "$service" != none ]; then
  if [ ! -f "$win_bin/devicesim.exe" ]; then
    echo "run: $win_bin/devicesim.exe is missing; starting the tool alone" >&2
  else
    (cd "$win_bin" && exec "$wine_run" ./devicesim.exe) &
    pids+=($!)
    # The tool tells the service its mode at start: let the service window appear first.
    for _ in $(seq 1 100); do
      xdotool search --name '^VARNOSHid$' >/dev/null 2>&1 && break
      sleep 0.2
    done
  fi
fi

(cd "$win_bin" && exec "$wine_run" ./ZAVOConfig.exe) &
tool=$!
pids+=($tool)

if [ "$headless" = 0 ]; then
  echo "run: ZAVOConfig is running on $DISPLAY; close it to end."
  wait "$tool"
  exit 0
fi

window=
for _ in $(seq 1 150); do
  window=$(xdotool search --onlyvisible --name '^VARNOS$' 2>/dev/null | head -n1)
  [ -n "$window" ] && break
  kill -0 "$tool" 2>/dev/null || { echo "run: ZAVOConfig ended before its window appeared" >&2; exit 1; }
  sleep 0.2
done
# The pointer rests in a corner, not on a key; let the window paint itself.
xdotool mousemove 0 0 >/dev/null 2>&1
sleep 3
mkdir -p "$root/out"
import -window root -display "$DISPLAY" "$root/out/main-window.png"
if [ -n "$window" ]; then
  echo "run: the main window is up; screenshot written to out/main-window.png"
else
  # Without a keyboard (no service) the tool first shows its "keyboard not
  # found" notice, which waits for an answer.
  echo "run: the tool is waiting on its start-up notice; screenshot written to out/main-window.png"
fi
