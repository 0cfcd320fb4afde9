#!/usr/bin/env bash
# Runs a command with an X display: the caller's $DISPLAY when there is one,
# otherwise a private Xvfb that is stopped when the command ends. With
# ZAVO_PRIVATE_DISPLAY=1 a private Xvfb is used even when $DISPLAY is set
# (tests that move the real mouse must not share a screen). ZAVO_SCREEN sets
# the size of a private screen (default 1280x1024x24).
set -u
if [ -n "${DISPLAY:-}" ] && [ "${ZAVO_PRIVATE_DISPLAY:-0}" != 1 ]; then
  exec "$@"
fi
fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${ZAVO_SCREEN:-1280x1024x24}" -nolisten tcp -noreset 3>"$fdfile" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 1 100); do
  [ -s "$fdfile" ] && break
  sleep 0.1
done
if [ ! -s "$fdfile" ]; then
  echo "with-display: Xvfb did not start" >&2
  kill "$xvfb" 2>/dev/null
  exit 1
fi
export DISPLAY=":$(head -n1 "$fdfile")"
rm -f "$fdfile"
"$@"
rc=$?
# Wine keeps a server per prefix alive for a few seconds; end it with the display.
[ -n "${WINEPREFIX:-}" ] && WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit $rc
