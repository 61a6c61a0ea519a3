#!/usr/bin/env bash
# Fuzzes one target for a while: TARGET SECONDS SCRATCH SEEDS. New inputs go into SCRATCH
# (emptied first; libFuzzer writes into the first folder it is given), never into the
# committed seeds. Prints the number of runs; a broken invariant or a crash fails the test
# and leaves the input as crash-* in SCRATCH.
set -euo pipefail
target=$1 seconds=$2 scratch=$3 seeds=$4
rm -rf "$scratch"
mkdir -p "$scratch"
cd "$scratch"
log=$scratch/fuzz.log
status=0
"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$scratch/" "$scratch" "$seeds" >"$log" 2>&1 || status=$?
runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
echo "$(basename "$target"): $runs runs in ${seconds}s, exit $status"
if [ "$status" -ne 0 ]; then
  tail -n 40 "$log"
  exit "$status"
fi
