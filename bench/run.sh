#!/usr/bin/env bash
# Times TARNEL as a whole process on generated inputs and prints one table:
# input MB, median wall seconds of several runs, MB/s, peak RSS, RSS / input.
#   bench/run.sh [--quick] [--callgrind] [--soft]
#     --quick      tiny inputs, one run: only checks that it works
#     --callgrind  also counts the instructions per input byte of the 10 MB
#                  CR LF polygons file under callgrind (slow, but steady
#                  whatever else the machine does)
#     --soft       the build with the extended arithmetic in software
set -euo pipefail
cd "$(dirname "$0")/.."

runs=5
sizes=(10 100)
patho=50
callgrind=no
build=build-bench
options=()
for arg in "$@"; do
  case $arg in
    --quick) runs=1 sizes=(1) patho=1 ;;
    --callgrind) callgrind=yes ;;
    --soft) build=build-bench-soft options=(-DTARNEL_SOFT_EXTENDED=ON) ;;
    *) echo "usage: bench/run.sh [--quick] [--callgrind] [--soft]" >&2; exit 2 ;;
  esac
done

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARNEL_BUILD_TESTS=OFF -DTARNEL_BUILD_BENCHMARKS=ON "${options[@]}" >/dev/null
cmake --build "$build" -j2 --target TARNEL oagen >/dev/null
data="$build/data"
mkdir -p "$data"
# The output goes to memory where the machine has a tmpfs, so that the disk's
# write-back of earlier runs does not show up as the converter's time.
out="$data/out.zrn"
if [ -d /dev/shm ] && [ -w /dev/shm ]; then out=/dev/shm/tarnel-bench-out.zrn; fi
trap 'rm -f /dev/shm/tarnel-bench-out.zrn' EXIT

# One measurement: wall microseconds and peak RSS in kB of one run.
measure() {
  local input=$1 out=$2
  local start end rss
  start=$(date +%s%N)
  /usr/bin/time -f '%M' -o "$data/rss" "$build/TARNEL" "$input" "$out" >/dev/null 2>&1 || true
  end=$(date +%s%N)
  rss=$(tail -n 1 "$data/rss")
  echo "$(((end - start) / 1000)) $rss"
}

row() {
  local name=$1 input=$2
  local bytes times=() rss=0 t r median
  bytes=$(stat -c %s "$input")
  for ((i = 0; i < runs; i++)); do
    read -r t r < <(measure "$input" "$out")
    times+=("$t")
    [ "$r" -gt "$rss" ] && rss=$r
  done
  median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
  awk -v n="$name" -v b="$bytes" -v t="$median" -v r="$rss" 'BEGIN {
    mb = b / 1e6; t = t / 1e6; printf "%-22s %9.1f %9.3f %9.1f %10.1f %8.2f\n", n, mb, t, mb / t, r / 1024, (r * 1024) / b }'
}

echo "output written to $out"
printf "%-22s %9s %9s %9s %10s %8s\n" "input" "MB" "wall s" "MB/s" "RSS MB" "RSS/in"
for mb in "${sizes[@]}"; do
  for ending in crlf lf; do
    f="$data/polygons-$mb-$ending.oa"
    [ -f "$f" ] || "$build/bench/oagen" polygons "$mb" "$ending" "$f"
    row "polygons $ending" "$f"
  done
done
for shape in dp-block an-block one-line blanks comments; do
  f="$data/$shape-$patho.oa"
  [ -f "$f" ] || "$build/bench/oagen" "$shape" "$patho" crlf "$f"
  row "$shape" "$f"
done

if [ "$callgrind" = yes ]; then
  f="$data/polygons-${sizes[0]}-crlf.oa"
  # valgrind runs the x87 in double precision: the counts are right, the
  # output text may differ in a last digit, so it is not kept.
  instructions=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null "$build/TARNEL" "$f" "$out" 2>&1 >/dev/null |
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p')
  awk -v i="$instructions" -v b="$(stat -c %s "$f")" -v n="$(basename "$f")" \
    'BEGIN { printf "callgrind: %s: %d instructions, %.1f per input byte\n", n, i, i / b }'
fi
