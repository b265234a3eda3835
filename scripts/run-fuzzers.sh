#!/bin/sh
# Runs every fuzz target for a bounded time, seeded from the corpus folders
# the unit tests write (BUILD/fuzz-seeds/<target>) and fuzz/corpus/<target>.
# A crash fails the run and leaves its input in FUZZ_BUILD/crashes.
FUZZ_BUILD=$1
SECONDS_EACH=$2
BUILD=$3
status=0
mkdir -p "$FUZZ_BUILD/crashes"
for t in "$FUZZ_BUILD"/fuzz/fuzz_*; do
  [ -x "$t" ] || continue
  name=$(basename "$t")
  work="$FUZZ_BUILD/corpus/$name"
  mkdir -p "$work"
  seeds=""
  for d in "fuzz/corpus/$name" "$BUILD/fuzz-seeds/$name"; do
    [ -d "$d" ] && seeds="$seeds $d"
  done
  echo "== $name (${SECONDS_EACH}s)"
  if "$t" -max_total_time="$SECONDS_EACH" -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$FUZZ_BUILD/crashes/$name-" "$work" $seeds > "$FUZZ_BUILD/$name.log" 2>&1; then
    grep -E "stat::number_of_executed_units|DONE" "$FUZZ_BUILD/$name.log" | tail -n 2
  else
    tail -n 40 "$FUZZ_BUILD/$name.log"
    status=1
  fi
done
exit $status
