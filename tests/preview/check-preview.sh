#!/usr/bin/env bash
# The preview page in a real browser: headless chromium opens the page of a
# real file from file://, with no network, and must draw one path for every
# airspace of the ZRN that has a border (3 or more distinct points); a
# screenshot of it is left in OUT_DIR.
#   bash tests/preview/check-preview.sh TARNEL TESTDATA OUT_DIR
set -euo pipefail
program=$1 testdata=$2 out=$3
input=$testdata/france-2026-04.txt
if ! command -v chromium >/dev/null; then
  echo "skipped: no chromium to open the preview page (apt-get install chromium)"
  exit 77
fi
if [ ! -f "$input" ]; then
  echo "skipped: no real test data at $input"
  exit 77
fi
mkdir -p "$out"
out=$(cd "$out" && pwd)
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
"$program" --arcs --preview="$out/france-2026-04.html" "$input" "$out/france-2026-04.zrn" >/dev/null

browse() {  # browse OPTIONS...: the page in a fresh headless chromium
  timeout 180 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync --user-data-dir="$profile" \
    --virtual-time-budget=10000 "$@" "file://$out/france-2026-04.html" 2>/dev/null
}
browse --dump-dom >"$out/france-2026-04.dom"

# Airspaces with a border to draw, counted from the ZRN: repeated points make no area.
airspaces=$(grep -c '<airspace ' "$out/france-2026-04.zrn")
bordered=$(awk '/<airspace /{n = 0; split("", seen)} /<point /{if (!($0 in seen)) {seen[$0] = 1; n++}}
                /<\/airspace>/{if (n >= 3) c++} END {print c + 0}' "$out/france-2026-04.zrn")
paths=$(grep -oE '<path [^>]*class="([^"]* )?tarnel-airspace( [^"]*)?"' "$out/france-2026-04.dom" | wc -l)
echo "airspaces in the ZRN: $airspaces, with a border: $bordered; paths drawn in the page: $paths"
failed=0
[ "$bordered" -gt 0 ] && [ "$paths" = "$bordered" ] || { echo "FAILED: $paths paths for $bordered airspaces"; failed=1; }
# The page's script ran to its end: it writes the counts last.
grep -q "<p id=\"counts\">$airspaces airspaces, $paths drawn" "$out/france-2026-04.dom" ||
  { echo "FAILED: the page's script did not run to its end"; failed=1; }

browse --screenshot="$out/france-2026-04.png" --window-size=1280,900 >/dev/null
[ -s "$out/france-2026-04.png" ] && echo "screenshot: $out/france-2026-04.png" ||
  { echo "FAILED: no screenshot"; failed=1; }
exit "$failed"
