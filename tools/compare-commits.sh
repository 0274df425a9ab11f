#!/usr/bin/env bash
# Converts a fixed matrix of inputs with a fixed list of option sets by the
# program of an earlier commit and by the working tree's, and compares every
# output file, standard output, standard error and exit code.
#   tools/compare-commits.sh [REV]     (REV: 35921d5 unless given)
# Inputs: the real files of ../shared/testdata (where it is there), the
# fuzz corpus, generated polygons and arcs, and the bundled example. Prints
# one line per difference and a closing count; exits 1 where any differ.
set -euo pipefail
cd "$(dirname "$0")/.."
rev=${1:-35921d5}
work=$(mktemp -d)
trap 'git worktree remove --force "$work/old" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

build() {  # build SOURCE BUILD: the program and the generator, Release, no tests
  cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=Release -DTARNEL_BUILD_TESTS=OFF -DTARNEL_BUILD_BENCHMARKS=ON >/dev/null
  cmake --build "$2" -j2 --target TARNEL oagen >/dev/null
}
git worktree add -q --detach "$work/old" "$rev"
build "$work/old" "$work/old-build"
build . build-compare
# Copies, so that a build during the run changes nothing; both named as the
# error report names the program.
mkdir "$work/bin-old" "$work/bin-new"
cp "$work/old-build/TARNEL" "$work/bin-old/" && cp build-compare/TARNEL "$work/bin-new/"
old=$work/bin-old/TARNEL new=$work/bin-new/TARNEL

inputs=(examples/sample.oa fuzz/corpus/conversion/*)
for f in ../shared/testdata/*.txt; do [ -f "$f" ] && inputs+=("$f"); done
build-compare/bench/oagen polygons 2 crlf "$work/polygons.oa"
build-compare/bench/oagen arcs 2 lf "$work/arcs.oa"
inputs+=("$work/polygons.oa" "$work/arcs.oa")

option_sets=(
  ""
  "--arcs"
  "--arcs --decimals=6"
  "--decimals=11"
  "--limits"
  "--max-floor=FL100"
  "--classes=C,D --classes=R"
  "--exclude-classes=E,FIR"
  "--skip-bad"
  "--arcs --skip-bad --limits"
  "--arcs --decimals=6 --limits --max-floor=FL100 --exclude-classes=E"
)

run() {  # run PROGRAM TAG INPUT OPTIONS...: the four results under $work/TAG
  local program=$1 tag=$2 input=$3
  shift 3
  local status=0
  "$program" "$@" "$input" "$work/$tag.zrn" >"$work/$tag.out" 2>"$work/$tag.err" </dev/null || status=$?
  echo "$status" >"$work/$tag.status"
}

runs=0 differ=0
for input in "${inputs[@]}"; do
  for options in "${option_sets[@]}"; do
    # shellcheck disable=SC2086  # the options are words
    run "$old" old "$input" $options
    # shellcheck disable=SC2086
    run "$new" new "$input" $options
    runs=$((runs + 1))
    for part in zrn out err status; do
      if ! cmp -s "$work/old.$part" "$work/new.$part"; then
        differ=$((differ + 1))
        [ "$differ" -le 20 ] && echo "differs ($part): $input with [${options}]"
        break
      fi
    done
  done
done
echo "compare-commits: $runs runs of ${#inputs[@]} inputs with ${#option_sets[@]} option sets against $rev: $differ differ"
[ "$differ" -eq 0 ]
