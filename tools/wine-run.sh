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
# Xvfb has no window manager: let Wine place its windows itself, otherwise every
# hidden or destroyed active window waits two seconds for a manager that never
# answers.
if [ ! -f "$WINEPREFIX/.zavo-unmanaged" ]; then
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.zavo-unmanaged" ]; then
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
      touch "$WINEPREFIX/.zavo-unmanaged"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
exec wine "$@"
