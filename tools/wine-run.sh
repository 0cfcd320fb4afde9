#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's prefix: the CTest emulator
# of the Windows build, and the way every script starts the tool.
# WINEPREFIX defaults to build/win/wineprefix; it is created on first use.
set -e
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/win/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export WINEARCH=win64
if [ ! -f "$WINEPREFIX/.zavo-ready" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.zavo-ready" ]; then
      wineboot -i >/dev/null 2>&1 || true
      wineserver -w || true
      touch "$WINEPREFIX/.zavo-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
exec wine "$@"
