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

# Xvfb has no window manager: Wine must place its windows itself ("Managed" N),
# otherwise every hidden or destroyed active window waits two seconds for a
# manager that never answers.
unmanaged() { grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; }

if [ ! -f "$WINEPREFIX/.zavo-ready" ] || ! unmanaged; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.zavo-ready" ]; then
      wineboot -i >/dev/null 2>&1 || true
      wineserver -w || true
      # The server is down: the setting goes straight into the user hive, so
      # it holds from the very first program on.
      printf '\n[Software\\\\Wine\\\\X11 Driver]\n"Managed"="N"\n' >>"$WINEPREFIX/user.reg"
      touch "$WINEPREFIX/.zavo-ready"
    elif ! unmanaged; then
      # A prefix made before the setting existed: set it through the server
      # (which writes it to the hive on its next save).
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    fi
  ) 9>"$WINEPREFIX.lock"
fi
exec wine "$@"
