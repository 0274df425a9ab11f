#!/usr/bin/env bash
# Converts mutants of the real OpenAir files with a sanitized TARNEL: every
# run must end with exit code 0 or 1 and no sanitizer message.
#   bash fuzz/run-mutants.sh SANITIZED_TARNEL MUTATOR COUNT_PER_FILE
set -euo pipefail
cd "$(dirname "$0")/.."
program=$1 mutator=$2 count=$3
data=../shared/testdata
if [ ! -d "$data" ]; then
  echo "skipped: no real test data at $data"
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
seed=1
failures=0 runs=0
for input in "$data"/*.txt; do
  "$mutator" "$input" "$count" "$seed" "$work/m"
  seed=$((seed + 1))
  for mutant in "$work"/m*.oa; do
    status=0
    "$program" "$mutant" "$work/out.zrn" >/dev/null 2>"$work/stderr" || status=$?
    runs=$((runs + 1))
    if { [ "$status" -ne 0 ] && [ "$status" -ne 1 ]; } || grep -qE "Sanitizer|runtime error" "$work/stderr"; then
      failures=$((failures + 1))
      kept=fuzz/findings/mutant-$(basename "$input" .txt)-$(basename "$mutant")
      cp "$mutant" "$kept"
      echo "$(basename "$input"): a mutant ended with exit code $status, kept as $kept"
      head -n 20 "$work/stderr"
    fi
    rm -f "$mutant"
  done
done
echo "$runs mutants of the real files converted, $failures failed"
[ "$failures" -eq 0 ]
