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
