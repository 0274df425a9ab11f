#!/usr/bin/env bash
# Draws arcs.svg beside this script: two real airspaces of the French file in
# ../shared/testdata, CTR BERGERAC (two DB arcs) and RMZ MELUN (a DC circle),
# as TARNEL writes them without --arcs (orange, dashed) and with it (blue),
# from the program's own output, with no plotting library.
#   bash examples/arcs/draw.sh [PATH_TO_TARNEL]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "${1:-$here/../../build/TARNEL}")
source=$here/../../../shared/testdata/france-2026-04.txt
[ -f "$source" ] || { echo "no $source: the picture draws two of its airspaces" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The records of the blank-line-separated block that names the airspace.
extract() {
  awk -v name="AN $1" '
    { sub(/\r$/, "") }
    /^[ \t]*$/ { if (found) exit; block = ""; next }
    { block = block $0 "\r\n"; if ($0 == name) found = 1 }
    END { if (found) printf "%s", block }' "$source"  # END runs after exit too
}
{ extract "CTR BERGERAC"; printf '\r\n'; extract "RMZ MELUN"; } >"$work/two.oa"
"$program" "$work/two.oa" "$work/plain.zrn" >/dev/null
"$program" --arcs "$work/two.oa" "$work/arcs.zrn" >/dev/null

# Both outputs as "airspace mode lat lon" lines, then one panel per airspace.
points() {
  awk -v mode="$2" '
    /<airspace / { match($0, /name="[^"]*"/); name = substr($0, RSTART + 6, RLENGTH - 7); gsub(/ /, "_", name); n++ }
    /<point / { match($0, /lat="[^"]*"/); lat = substr($0, RSTART + 5, RLENGTH - 6)
                match($0, /lon="[^"]*"/); lon = substr($0, RSTART + 5, RLENGTH - 6)
                print n, name, mode, lat, lon }' "$1"
}
{ points "$work/plain.zrn" plain; points "$work/arcs.zrn" arcs; } | awk '
  { id = $1; name[id] = $2; mode = $3; lat = $4; lon = $5
    k = id SUBSEP mode; count[k]++; la[k, count[k]] = lat; lo[k, count[k]] = lon
    if (!(id in minla) || lat < minla[id]) minla[id] = lat; if (!(id in maxla) || lat > maxla[id]) maxla[id] = lat
    if (!(id in minlo) || lon < minlo[id]) minlo[id] = lon; if (!(id in maxlo) || lon > maxlo[id]) maxlo[id] = lon
    if (id > panels) panels = id }
  function x(id, lon) { return ox[id] + 20 + (lon - minlo[id]) * scale[id] * cosine[id] }
  function y(id, lat) { return 60 + (maxla[id] - lat) * scale[id] }
  function outline(id, mode, colour, dash,    k, i, path) {
    k = id SUBSEP mode
    if (count[k] == 0) return
    path = ""
    for (i = 1; i <= count[k]; i++) path = path sprintf("%.1f,%.1f ", x(id, lo[k, i]), y(id, la[k, i]))
    printf "  <polygon points=\"%s\" fill=\"none\" stroke=\"%s\" stroke-width=\"2\"%s/>\n", path, colour, dash
    for (i = 1; i <= count[k]; i++)
      printf "  <circle cx=\"%.1f\" cy=\"%.1f\" r=\"2.5\" fill=\"%s\"/>\n", x(id, lo[k, i]), y(id, la[k, i]), colour
  }
  END {
    printf "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"480\" font-family=\"sans-serif\">\n", 400 * panels
    print "  <rect width=\"100%\" height=\"100%\" fill=\"white\"/>"
    for (id = 1; id <= panels; id++) {
      ox[id] = 400 * (id - 1)
      cosine[id] = cos((minla[id] + maxla[id]) / 2 * 3.14159265 / 180)
      span = maxla[id] - minla[id]; if ((maxlo[id] - minlo[id]) * cosine[id] > span) span = (maxlo[id] - minlo[id]) * cosine[id]
      scale[id] = 360 / span
      gsub(/_/, " ", name[id])
      printf "  <text x=\"%d\" y=\"28\" font-size=\"18\">%s</text>\n", ox[id] + 20, name[id]
      outline(id, "plain", "#e07000", " stroke-dasharray=\"6 4\"")
      outline(id, "arcs", "#1060c0", "")
      if (count[id SUBSEP "plain"] == 0)
        printf "  <text x=\"%d\" y=\"460\" font-size=\"14\" fill=\"#e07000\">without --arcs: no border at all</text>\n", ox[id] + 20
      else
        printf "  <text x=\"%d\" y=\"460\" font-size=\"14\" fill=\"#e07000\">without --arcs: %d points, arcs cut as chords</text>\n", ox[id] + 20, count[id SUBSEP "plain"]
      printf "  <text x=\"%d\" y=\"440\" font-size=\"14\" fill=\"#1060c0\">with --arcs: %d points</text>\n", ox[id] + 20, count[id SUBSEP "arcs"]
    }
    print "</svg>"
  }' >"$here/arcs.svg"
echo "wrote $here/arcs.svg"
