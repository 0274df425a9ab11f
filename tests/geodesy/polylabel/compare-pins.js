// Our pins against the npm polylabel package, by distance to the border:
// both search the same plane (x = lon·cos(lat0), y = lat, longitudes
// unwrapped) to 1/1000 of the box's larger side, so their distances may
// differ by that much at most.
//   node compare-pins.js FILE.geojson...
'use strict';
const polylabel = require('polylabel');

// The ring of a Polygon in the search's plane, and a point taken into it.
function plane(ring) {
  const lons = [];
  let before = ring[0][0];
  for (const [lon] of ring) {
    let x = lon;
    while (x - before > 180) x -= 360;
    while (x - before < -180) x += 360;
    lons.push(x);
    before = x;
  }
  const lats = ring.map((p) => p[1]);
  const scale = Math.cos(((Math.min(...lats) + Math.max(...lats)) / 2) * Math.PI / 180);
  return {points: ring.map((p, i) => [lons[i] * scale, p[1]]), scale, first: lons[0]};
}

function signedDistance([x, y], points) {
  let inside = false;
  let least = Infinity;
  for (let i = 0, j = points.length - 1; i < points.length; j = i++) {
    const [ax, ay] = points[i], [bx, by] = points[j];
    if ((ay > y) !== (by > y) && x < ((bx - ax) * (y - ay)) / (by - ay) + ax) inside = !inside;
    const dx = bx - ax, dy = by - ay, length = dx * dx + dy * dy;
    const t = length === 0 ? 0 : Math.max(0, Math.min(1, ((x - ax) * dx + (y - ay) * dy) / length));
    least = Math.min(least, Math.hypot(x - ax - t * dx, y - ay - t * dy));
  }
  return inside ? least : -least;
}

let failed = 0;
for (const file of process.argv.slice(2)) {
  const features = JSON.parse(require('fs').readFileSync(file, 'utf8')).features;
  let compared = 0, behindMost = -Infinity, aheadMost = -Infinity;
  for (const {properties, geometry} of features) {
    if (!geometry || geometry.type !== 'Polygon' || !properties.label) continue;
    const {points, scale, first} = plane(geometry.coordinates[0]);
    const xs = points.map((p) => p[0]), ys = points.map((p) => p[1]);
    const side = Math.max(Math.max(...xs) - Math.min(...xs), Math.max(...ys) - Math.min(...ys));
    const precision = side / 1000;
    const theirs = polylabel([points], precision);
    let lon = properties.label[0];
    while (lon - first > 180) lon -= 360;
    while (lon - first < -180) lon += 360;
    const ours = signedDistance([lon * scale, properties.label[1]], points);
    const behind = theirs.distance - ours;
    if (theirs.distance > 0 && behind > precision * 1.001) {
      console.log(`FAILED: ${file}: ${properties.name} (line ${properties.line}): ${ours} against ${theirs.distance}`);
      failed = 1;
    }
    behindMost = Math.max(behindMost, behind / precision);
    aheadMost = Math.max(aheadMost, -behind / precision);
    compared++;
  }
  console.log(`${file}: ${compared} pins compared with polylabel, ours within ` +
              `${behindMost.toFixed(3)} (behind) and ${aheadMost.toFixed(3)} (ahead) of the precision of theirs`);
}
process.exit(failed);
