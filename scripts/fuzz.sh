#!/usr/bin/env bash
# Runs every libFuzzer target of build/fuzz for a bounded time each.
# Usage: scripts/fuzz.sh SECONDS_PER_TARGET
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
bin="$root/build/fuzz/fuzz"
status=0
for target in "$bin"/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$root/build/fuzz/corpus/$name"
  work=$(mktemp -d)
  mkdir -p "$corpus"
  if (cd "$work" && "$target" "$corpus" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$root/build/fuzz/" >"$work/log" 2>&1); then
    runs=$(grep -o 'number_of_executed_units: [0-9]*' "$work/log" | awk '{print $2}')
    echo "fuzz: $name ran ${runs:-?} inputs in ${seconds}s, no failure"
  else
    echo "fuzz: $name FAILED; the input is in build/fuzz/ (crash-*); log follows" >&2
    grep -v -E '^(#|INFO|\s+NEW_FUNC)' "$work/log" | tail -40 >&2
    status=1
  fi
  rm -rf "$work"
done
exit $status
