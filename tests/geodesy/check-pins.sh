#!/usr/bin/env bash
# The pins of the real files against the npm polylabel package (fetched
# here at the version and checksum of tests/geodesy/polylabel's lock file).
#   bash tests/geodesy/check-pins.sh TARNEL TESTDATA WORK_DIR
set -euo pipefail
program=$1 testdata=$2 work=$3
here=$(cd "$(dirname "$0")/polylabel" && pwd)
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  echo "skipped: no node and npm to fetch polylabel"
  exit 77
fi
if [ ! -f "$testdata/france-2026-04.txt" ]; then
  echo "skipped: no real test data at $testdata"
  exit 77
fi
mkdir -p "$work"
cp "$here/package.json" "$here/package-lock.json" "$work/"
(cd "$work" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error >/dev/null)
files=()
for input in "$testdata"/australia-daa.txt "$testdata"/france-2011-04.txt "$testdata"/france-2026-04.txt; do
  name=$(basename "$input" .txt)
  "$program" --arcs --pins --decimals=11 --geojson="$work/$name.geojson" "$input" "$work/$name.zrn" >/dev/null 2>&1
  files+=("$work/$name.geojson")
done
NODE_PATH="$work/node_modules" node "$here/compare-pins.js" "${files[@]}"
