#!/usr/bin/env bash
# make fuzz: runs each libFuzzer target (fuzz_*) for a bounded time on its seed
# corpus (fuzz/corpus/<target without the fuzz_ prefix>), copied so the seeds in
# the repository stay as they are.
#   FUZZ_ONLY="a b"  only the targets named (without the fuzz_ prefix)
#   FUZZ_KEEP=1      afterwards, inputs that reach new coverage are merged into
#                    the repository corpus (-merge=1 keeps it minimal)
# Each run's output goes to <bin>/../fuzz-logs/<name>.log; its last lines hold
# the executions, the coverage and the corpus size.
set -e
bin=$1 corpus=$2 seconds=${3:-60}
status=0
# Crash inputs go beside the fuzzers, not into the current folder.
artifacts="$bin/../artifacts"
logs="$bin/../fuzz-logs"
mkdir -p "$artifacts" "$logs"
for f in "$bin"/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f"); name=${name#fuzz_}
  if [ -n "$FUZZ_ONLY" ] && [[ " $FUZZ_ONLY " != *" $name "* ]]; then continue; fi
  work=$(mktemp -d)
  [ -d "$corpus/$name" ] && cp -r "$corpus/$name/." "$work/"
  echo "== fuzz_$name for ${seconds}s"
  "$f" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$artifacts/" "$work" \
    > "$logs/$name.log" 2>&1 || status=1
  grep -E '^#[0-9]+ +(INITED|DONE)|^stat::(number_of_executed_units|new_units_added)|ERROR|SUMMARY' \
    "$logs/$name.log" || true
  if [ "${FUZZ_KEEP:-0}" = 1 ]; then
    mkdir -p "$corpus/$name"
    "$f" -merge=1 "$corpus/$name" "$work" > "$logs/$name.merge.log" 2>&1 || status=1
    echo "   corpus kept: $(ls "$corpus/$name" | wc -l) files in $corpus/$name"
  fi
  rm -rf "$work"
done
exit $status
