#!/usr/bin/env bash
# Draws airspaces of an OpenAir file as TARNEL writes them, three ways:
# without --arcs (orange, dashed), with --arcs (blue) and with --arcs
# --decimals=6 (green), from the program's own output, with no plotting
# library; one panel an airspace, named by the start of its AN record in any
# case ("ctr karlovy vary" finds CTR KARLOVY VARY 121.23).
#   bash examples/arcs/draw.sh [INPUT [OUTPUT [NAME ...]]]
# Without arguments it draws the two airspaces of sample-arcs.oa beside this
# script into airspaces.svg in the current folder; without names, the first
# four airspaces of INPUT. The README's picture, arcs.svg beside this script,
# is CTR BERGERAC (two DB arcs) and RMZ MELUN (a DC circle) of the French file
# of 2026 in ../shared/testdata:
#   bash examples/arcs/draw.sh ../shared/testdata/france-2026-04.txt examples/arcs/arcs.svg "CTR BERGERAC" "RMZ MELUN"
# TARNEL=PATH names the program (build/TARNEL).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "${TARNEL:-$here/../../build/TARNEL}")
source=${1:-$here/sample-arcs.oa}
picture=${2:-airspaces.svg}
names=("${@:3}")
[ -f "$source" ] || { echo "no $source: nothing to draw" >&2; exit 1; }
if [ ${#names[@]} -eq 0 ]; then
  mapfile -t names < <(sed -n 's/\r$//; s/^AN[ \t]\{1,\}//p' "$source" | head -n 4)
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The records of the first blank-line-separated block whose AN starts with
# the name, in any case.
extract() {
  awk -v name="$(tr '[:lower:]' '[:upper:]' <<<"$1")" '
    { sub(/\r$/, "") }
    /^[ \t]*$/ { if (found) exit; block = ""; next }
    { block = block $0 "\r\n"
      if (toupper($1) == "AN") { value = toupper($0); sub(/^AN[ \t]+/, "", value)
                                 if (index(value, name) == 1) found = 1 } }
    END { if (found) printf "%s", block }' "$source"  # END runs after exit too
}
for name in "${names[@]}"; do
  block=$(extract "$name")
  [ -n "$block" ] || { echo "no airspace named $name in $source" >&2; exit 1; }
  printf '%s\r\n\r\n' "$block"
done >"$work/chosen.oa"
"$program" "$work/chosen.oa" "$work/plain.zrn" >/dev/null
"$program" --arcs "$work/chosen.oa" "$work/arcs.zrn" >/dev/null
"$program" --arcs --decimals=6 "$work/chosen.oa" "$work/arcs6.zrn" >/dev/null

# Both outputs as "airspace mode lat lon" lines, then one panel per airspace.
points() {
  awk -v mode="$2" '
    /<airspace / { match($0, /name="[^"]*"/); name = substr($0, RSTART + 6, RLENGTH - 7); gsub(/ /, "_", name); n++ }
    /<point / { match($0, /lat="[^"]*"/); lat = substr($0, RSTART + 5, RLENGTH - 6)
                match($0, /lon="[^"]*"/); lon = substr($0, RSTART + 5, RLENGTH - 6)
                print n, name, mode, lat, lon }' "$1"
}
{ points "$work/plain.zrn" plain; points "$work/arcs.zrn" arcs; points "$work/arcs6.zrn" arcs6; } | awk '
  { id = $1; name[id] = $2; mode = $3; lat = $4; lon = $5
    k = id SUBSEP mode; count[k]++; la[k, count[k]] = lat; lo[k, count[k]] = lon
    if (!(id in minla) || lat < minla[id]) minla[id] = lat; if (!(id in maxla) || lat > maxla[id]) maxla[id] = lat
    if (!(id in minlo) || lon < minlo[id]) minlo[id] = lon; if (!(id in maxlo) || lon > maxlo[id]) maxlo[id] = lon
    if (id > panels) panels = id }
  function x(id, lon) { return ox[id] + 20 + (lon - minlo[id]) * scale[id] * cosine[id] }
  function y(id, lat) { return 60 + (maxla[id] - lat) * scale[id] }
  function outline(id, mode, colour, dash, width, dot,    k, i, path) {
    k = id SUBSEP mode
    if (count[k] == 0) return
    path = ""
    for (i = 1; i <= count[k]; i++) path = path sprintf("%.1f,%.1f ", x(id, lo[k, i]), y(id, la[k, i]))
    printf "  <polygon points=\"%s\" fill=\"none\" stroke=\"%s\" stroke-width=\"%s\"%s/>\n", path, colour, width, dash
    for (i = 1; i <= count[k]; i++)
      printf "  <circle cx=\"%.1f\" cy=\"%.1f\" r=\"%s\" fill=\"%s\"/>\n", x(id, lo[k, i]), y(id, la[k, i]), dot, colour
  }
  END {
    printf "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"500\" font-family=\"sans-serif\">\n", 400 * panels
    print "  <rect width=\"100%\" height=\"100%\" fill=\"white\"/>"
    for (id = 1; id <= panels; id++) {
      ox[id] = 400 * (id - 1)
      cosine[id] = cos((minla[id] + maxla[id]) / 2 * 3.14159265 / 180)
      span = maxla[id] - minla[id]; if ((maxlo[id] - minlo[id]) * cosine[id] > span) span = (maxlo[id] - minlo[id]) * cosine[id]
      scale[id] = 360 / span
      gsub(/_/, " ", name[id])
      printf "  <text x=\"%d\" y=\"28\" font-size=\"18\">%s</text>\n", ox[id] + 20, name[id]
      outline(id, "plain", "#e07000", " stroke-dasharray=\"6 4\"", 2, 2.5)
      outline(id, "arcs", "#1060c0", "", 2, 2.5)
      outline(id, "arcs6", "#108040", "", 1, 1.5)
      if (count[id SUBSEP "plain"] == 0)
        printf "  <text x=\"%d\" y=\"480\" font-size=\"14\" fill=\"#e07000\">without --arcs: no border at all</text>\n", ox[id] + 20
      else
        printf "  <text x=\"%d\" y=\"480\" font-size=\"14\" fill=\"#e07000\">without --arcs: %d points, arcs cut as chords</text>\n", ox[id] + 20, count[id SUBSEP "plain"]
      printf "  <text x=\"%d\" y=\"460\" font-size=\"14\" fill=\"#1060c0\">with --arcs: %d points, 2 decimals</text>\n", ox[id] + 20, count[id SUBSEP "arcs"]
      printf "  <text x=\"%d\" y=\"440\" font-size=\"14\" fill=\"#108040\">with --arcs --decimals=6: %d points</text>\n", ox[id] + 20, count[id SUBSEP "arcs6"]
    }
    print "</svg>"
  }' >"$picture"
echo "wrote $picture"
