#!/usr/bin/env bash
# make fuzz: runs each libFuzzer target (fuzz_*) for a bounded time on its seed
# corpus (fuzz/corpus/<target without the fuzz_ prefix>), copied so the seeds in
# the repository stay as they are.
set -e
bin=$1 corpus=$2 seconds=${3:-60}
status=0
# Crash inputs go beside the fuzzers, not into the current folder.
artifacts="$bin/../artifacts"
mkdir -p "$artifacts"
for f in "$bin"/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f"); name=${name#fuzz_}
  work=$(mktemp -d)
  [ -d "$corpus/$name" ] && cp -r "$corpus/$name/." "$work/"
  echo "== fuzz_$name for ${seconds}s"
  "$f" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$artifacts/" "$work" || status=1
  rm -rf "$work"
done
exit $status
