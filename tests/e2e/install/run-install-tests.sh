#!/usr/bin/env bash
# Runs the package tests under Wine in a prefix of their own, made fresh in a
# temporary folder and removed afterwards, as a new user's machine would be.
#   run-install-tests.sh TEST_EXE SETUP_EXE PORTABLE_ZIP BIN_DIR [gtest args...]
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
test_exe=$1 setup=$2 portable=$3 bin=$4
shift 4
for f in "$test_exe" "$setup" "$portable"; do
  [ -f "$f" ] || { echo "run-install-tests: $f is missing (make dist)" >&2; exit 1; }
done

tmp=$(mktemp -d "${TMPDIR:-/tmp}/zavo-install.XXXXXX")
export WINEPREFIX=$tmp/prefix
cleanup() {
  WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1
  WINEPREFIX=$WINEPREFIX wineserver -w >/dev/null 2>&1
  rm -rf "$tmp"
}
trap cleanup EXIT

# The portable zip holds one folder, ZAVOConfig-<version>.
mkdir -p "$tmp/unpacked"
unzip -q "$portable" -d "$tmp/unpacked" || { echo "run-install-tests: cannot unpack $portable" >&2; exit 1; }
folder=$(find "$tmp/unpacked" -mindepth 1 -maxdepth 1 -type d | head -n1)
[ -n "$folder" ] || { echo "run-install-tests: the zip holds no folder" >&2; exit 1; }

# tools/wine-run.sh makes the prefix (wineboot, windows placed without a window
# manager) on first use.
ZAVO_SETUP=$setup ZAVO_PORTABLE_DIR=$folder ZAVO_BIN_DIR=$bin \
  "$root/tools/wine-run.sh" "$test_exe" --gtest_brief=1 "$@"
