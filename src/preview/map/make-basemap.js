// Turns the Natural Earth countries at 1:50m into the preview page's base map: a script setting tarnelBaseMap.
// Usage: node make-basemap.js NODE_MODULES OUTPUT.js
'use strict';
const fs = require('fs');
const path = require('path');

const [modules, output] = process.argv.slice(2);
const topojson = require(path.join(modules, 'topojson-client'));
const world = JSON.parse(fs.readFileSync(path.join(modules, 'world-atlas', 'countries-50m.json'), 'utf8'));
const countries = world.objects.countries;

// Each line as whole hundredths of a degree (about a kilometre, plenty under
// airspaces), the first point as it is and each next one as its step from the
// one before: small numbers keep the page small. Points that round onto the
// one before are dropped.
function pack(mesh) {
  const lines = [];
  for (const line of mesh.coordinates) {
    const packed = [];
    let lastX = null;
    let lastY = null;
    for (const [lon, lat] of line) {
      const x = Math.round(lon * 100);
      const y = Math.round(lat * 100);
      if (x === lastX && y === lastY) continue;
      if (lastX === null) packed.push(x, y);
      else packed.push(x - lastX, y - lastY);
      lastX = x;
      lastY = y;
    }
    if (packed.length >= 4) lines.push(packed);
  }
  return lines;
}

// Borders are the arcs two countries share, coastlines those of one only.
const baseMap = {
  borders: pack(topojson.mesh(world, countries, (a, b) => a !== b)),
  coast: pack(topojson.mesh(world, countries, (a, b) => a === b)),
};
fs.writeFileSync(output, 'var tarnelBaseMap = ' + JSON.stringify(baseMap) + ';\n');
