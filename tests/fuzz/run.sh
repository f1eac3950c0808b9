#!/usr/bin/env bash
# Runs libFuzzer targets one after the other for a set time each, growing a
# corpus of their own beside the seeds; an input that crashes or leaks lands
# in findings/.
# usage: run.sh <fuzz build folder> <seconds per target> [target ...]
set -uo pipefail
DIR=$(cd "$1" && pwd)
SECONDS_EACH=$2
shift 2
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for t in "$DIR"/fuzz_*; do [ -x "$t" ] && targets+=("${t##*/fuzz_}"); done
fi
found=0
for t in "${targets[@]}"; do
  mkdir -p "$DIR/corpus/$t" "$DIR/findings/$t"
  log="$DIR/findings/$t.log"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 nice "$DIR/fuzz_$t" \
    -max_total_time="$SECONDS_EACH" -rss_limit_mb=2048 -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$DIR/findings/$t/" "$DIR/corpus/$t" "$DIR/seeds/$t" >"$log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  if [ $rc -ne 0 ]; then
    found=1
    echo "$t: FINDING after ${runs:-?} inputs, see $log and $DIR/findings/$t/"
  else
    echo "$t: ${runs:-?} inputs in ${SECONDS_EACH} s, no finding"
  fi
done
exit $found
