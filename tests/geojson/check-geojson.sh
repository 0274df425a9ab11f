#!/usr/bin/env bash
# The GeoJSON of the real files read back by GDAL (ogrinfo): as many
# features as the ZRN has airspaces, with its names; each ring closed,
# counter-clockwise and made of the ZRN's points (checked here: GDAL does
# not); and a circle across 180° cut into a MultiPolygon.
#   bash tests/geojson/check-geojson.sh TARNEL TESTDATA WORK_DIR
set -euo pipefail
program=$1 testdata=$2 work=$3
for tool in ogrinfo python3; do
  if ! command -v $tool >/dev/null; then
    echo "skipped: no $tool to read the GeoJSON back (apt-get install gdal-bin python3)"
    exit 77
  fi
done
mkdir -p "$work"
inputs=()
for name in australia-daa france-2011-04 france-2026-04; do
  [ -f "$testdata/$name.txt" ] && inputs+=("$testdata/$name.txt")
done
[ ${#inputs[@]} -gt 0 ] || echo "the real files left out: no real test data at $testdata"
printf 'AC R\r\nAN ACROSS 180\r\nV X=10:00:00 S 179:50:00 E\r\nDC 20\r\n' >"$work/antimeridian.oa"
inputs+=("$work/antimeridian.oa")
failed=0
for input in "${inputs[@]}"; do
  name=$(basename "${input%.*}")
  "$program" --arcs --decimals=6 --geojson="$work/$name.geojson" "$input" "$work/$name.zrn" >/dev/null 2>&1
  count=$(ogrinfo -ro -so -al "$work/$name.geojson" | sed -n 's/^Feature Count: //p')
  ogrinfo -ro -al -q -geom=NO "$work/$name.geojson" | sed -n 's/^  name (String) = //p' >"$work/$name.names"
  ogrinfo -ro -al -q "$work/$name.geojson" | grep -oE '^  (MULTIPOLYGON|POLYGON)' | sort | uniq -c >"$work/$name.kinds"
  python3 - "$work/$name.geojson" "$work/$name.zrn" "$work/$name.names" "$count" <<'PYTHON' || failed=1
import json, re, sys
geojson, zrn, names, count = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
raw = open(zrn, 'rb').read()
try:
    text = raw.decode('utf-8')
except UnicodeDecodeError:
    text = raw.decode('cp1252')
airspaces = re.findall(r'<airspace class="[^"]*" name="([^"]*)" pin="[^"]*">(.*?)</airspace>', text, re.S)
features = json.load(open(geojson, encoding='utf-8'))['features']
problems = []
if count != len(airspaces) or len(features) != len(airspaces):
    problems.append(f'{count} features read by GDAL, {len(features)} written, {len(airspaces)} airspaces in the ZRN')
gdal_names = open(names, encoding='utf-8').read().split('\n')[:-1]
if [n.rstrip() for n in gdal_names] != [n.rstrip() for n, _ in airspaces]:
    problems.append('the names GDAL reads are not the ZRN\'s')
cut = 0
for (name, border), feature in zip(airspaces, features):
    points = [(float(lon), float(lat)) for lat, lon in re.findall(r'lat="([^"]*)" lon="([^"]*)"', border)]
    geometry = feature['geometry']
    if geometry is None:
        if len(set(points)) >= 3:
            problems.append(f'{name}: no geometry for {len(points)} points')
        continue
    polygons = [geometry['coordinates']] if geometry['type'] == 'Polygon' else geometry['coordinates']
    cut += geometry['type'] == 'MultiPolygon'
    for polygon in polygons:
        ring = [tuple(p) for p in polygon[0]]
        twice = sum(ring[i][0] * ring[i + 1][1] - ring[i + 1][0] * ring[i][1] for i in range(len(ring) - 1))
        # A border that retraces itself (D192E of 2011) has no area to turn.
        if ring[0] != ring[-1] or twice < -1e-9:
            problems.append(f'{name}: a ring not closed or not counter-clockwise')
    if geometry['type'] == 'Polygon':
        ring = [tuple(p) for p in polygons[0][0]][:-1]
        zrn_ring = points[:-1] if len(points) > 1 and points[-1] == points[0] else points
        if ring != zrn_ring and ring != zrn_ring[::-1] and sorted(ring) != sorted(zrn_ring):
            problems.append(f'{name}: the ring is not the ZRN\'s points')
for problem in problems[:10]:
    print('FAILED:', geojson, problem)
print(f'{geojson}: {len(features)} features, {cut} cut at 180 degrees, {len(problems)} problems')
sys.exit(1 if problems else 0)
PYTHON
done
grep -q MULTIPOLYGON "$work/antimeridian.kinds" || { echo "FAILED: GDAL reads no MultiPolygon across 180°"; failed=1; }
exit "$failed"
