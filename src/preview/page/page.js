// The preview page's behaviour: draws tarnelPage's airspaces and findings over the base map, and the lists beside it.
(function () {
  'use strict';
  var page = window.tarnelPage;

  // Fill and outline colour by airspace class; anything else takes the default.
  var classColours = {
    A: '#c0392b', B: '#8e44ad', C: '#2c3e50', D: '#1f5fbf', E: '#16a085', F: '#7f8c8d', G: '#27ae60',
    CTR: '#d35400', R: '#e74c3c', Q: '#e67e22', P: '#a50026', TMZ: '#2d3436', RMZ: '#6c5ce7',
    GP: '#00838f', W: '#b7950b'
  };
  var defaultColour = '#555555';
  function colourOf(cls) {
    return Object.prototype.hasOwnProperty.call(classColours, cls) ? classColours[cls] : defaultColour;
  }

  // Elements are built with textContent only: the data's texts never become markup.
  function element(tag, text, className) {
    var e = document.createElement(tag);
    if (text !== undefined && text !== null) e.textContent = String(text);
    if (className) e.className = className;
    return e;
  }
  function shown(value) { return value === null || value === undefined || value === '' ? '–' : value; }

  // The map. Leaflet's tap handler misfires clicks on some touch screens: it is left off.
  var svg = L.svg();
  // Fractional zooms frame the file's extent closely at opening.
  // A view from the start: Leaflet's renderers clip against it as layers come.
  var map = L.map('map', { tap: false, worldCopyJump: true, zoomSnap: 0.25, zoomDelta: 0.5 }).setView([20, 0], 2);
  var baseRenderer = L.canvas({ padding: 0.5 });

  if (window.tarnelBaseMap) {
    // Lines in hundredths of a degree, each point after the first as its step from the one before.
    var unpack = function (lines) {
      return lines.map(function (line) {
        var x = 0, y = 0, points = [];
        for (var i = 0; i + 1 < line.length; i += 2) {
          x += line[i];
          y += line[i + 1];
          points.push([y / 100, x / 100]);
        }
        return points;
      });
    };
    L.polyline(unpack(tarnelBaseMap.coast), { renderer: baseRenderer, interactive: false, color: '#5b7fa6', weight: 1 })
      .addTo(map);
    L.polyline(unpack(tarnelBaseMap.borders),
      { renderer: baseRenderer, interactive: false, color: '#999', weight: 0.8, dashArray: '4 3' }).addTo(map);
    map.attributionControl.addAttribution('borders: Natural Earth');
  } else {
    // No base map in this build: a graticule every 10 degrees for bearings.
    var lines = [];
    for (var lon = -180; lon <= 180; lon += 10) lines.push([[-80, lon], [80, lon]]);
    for (var lat = -80; lat <= 80; lat += 10) lines.push([[lat, -180], [lat, 180]]);
    L.polyline(lines, { renderer: baseRenderer, interactive: false, color: '#bbb', weight: 0.7 }).addTo(map);
  }

  if (page.tiles) {
    var host = (/^[a-z][a-z0-9+.-]*:\/\/([^\/:?#]+)/i.exec(page.tiles) || [])[1] || page.tiles;
    // Leaflet writes attributions as markup: the host is escaped for it.
    var escaped = host.replace(/[&<>"']/g, function (c) { return '&#' + c.charCodeAt(0) + ';'; });
    L.tileLayer(page.tiles, { attribution: 'tiles: ' + escaped, maxZoom: 19 }).addTo(map);
  }

  function popupOf(p) {
    var box = element('div', null, 'tarnel-popup');
    var table = element('table');
    [['name', p.name], ['class', p.class], ['type', p.type], ['floor', p.floor], ['ceiling', p.ceiling],
      ['line', p.line]].forEach(function (row) {
      var tr = element('tr');
      tr.appendChild(element('th', row[0]));
      tr.appendChild(element('td', shown(row[1])));
      table.appendChild(tr);
    });
    box.appendChild(table);
    return box;
  }

  // The airspaces, one SVG path each, in file order.
  var layers = [];
  var drawn = L.featureGroup().addTo(map);
  page.features.forEach(function (feature, index) {
    var p = feature.properties || {};
    layers[index] = null;
    if (!feature.geometry) return;
    var colour = colourOf(p.class);
    var layer = L.geoJSON(feature, {
      renderer: svg,
      className: 'tarnel-airspace',
      style: { color: colour, fillColor: colour, weight: 1.5, fillOpacity: 0.12 }
    });
    layer.bindPopup(popupOf(p));
    layer.bindTooltip(element('span', shown(p.name)), { sticky: true });
    layer.on('mouseover', function () { layer.setStyle({ weight: 3, fillOpacity: 0.3 }); });
    layer.on('mouseout', function () { layer.setStyle({ weight: 1.5, fillOpacity: 0.12 }); });
    drawn.addLayer(layer);
    layers[index] = layer;
  });

  function openAirspace(index) {
    var layer = layers[index];
    if (!layer) return;
    map.fitBounds(layer.getBounds(), { maxZoom: 12 });
    var bounds = layer.getBounds();
    layer.openPopup(page.features[index].properties.label
      ? L.latLng(page.features[index].properties.label[1], page.features[index].properties.label[0])
      : bounds.getCenter());
  }

  // The findings, grouped by place so that one marker holds all those of a spot.
  var markers = {};
  page.findings.forEach(function (finding) {
    if (!finding.at) return;
    var key = finding.at.join(',');
    var entry = markers[key];
    if (!entry) {
      entry = markers[key] = { at: finding.at, findings: [], error: false };
    }
    entry.findings.push(finding);
    entry.error = entry.error || finding.error;
  });
  // The texts come whole, with their line and kind, as the console shows them.
  function findingText(finding) { return finding.text; }
  Object.keys(markers).forEach(function (key) {
    var entry = markers[key];
    var colour = entry.error ? '#d00' : '#e69500';
    var list = element('ul', null, 'tarnel-popup');
    entry.findings.forEach(function (finding) { list.appendChild(element('li', findingText(finding))); });
    entry.marker = L.circleMarker(entry.at, {
      renderer: svg, className: 'tarnel-finding', radius: 7, color: colour, weight: 2, fillColor: colour, fillOpacity: 0.4
    }).bindPopup(list).bindTooltip(element('span', entry.findings.length + ' finding(s)')).addTo(map);
  });

  // The list of airspaces, filtered by the search box.
  var listBox = document.getElementById('airspaces');
  var items = page.features.map(function (feature, index) {
    var p = feature.properties || {};
    var li = element('li');
    var swatch = element('span', null, 'swatch');
    swatch.style.background = colourOf(p.class);
    li.appendChild(swatch);
    li.appendChild(document.createTextNode(shown(p.name)));
    li.appendChild(element('span', shown(p.class), 'class'));
    if (layers[index]) li.addEventListener('click', function () { openAirspace(index); });
    else {
      li.className = 'unplaced';
      li.title = 'no border to draw';
    }
    listBox.appendChild(li);
    return { li: li, name: String(p.name || '').toLowerCase() };
  });
  document.getElementById('search').addEventListener('input', function (event) {
    var wanted = event.target.value.trim().toLowerCase();
    items.forEach(function (item) { item.li.style.display = item.name.indexOf(wanted) >= 0 ? '' : 'none'; });
  });

  var findingsBox = document.getElementById('findings');
  page.findings.forEach(function (finding) {
    var li = element('li', findingText(finding), finding.error ? 'error' : 'warning');
    if (finding.at) {
      li.addEventListener('click', function () {
        var entry = markers[finding.at.join(',')];
        map.setView(entry.at, Math.max(map.getZoom(), 10));
        entry.marker.openPopup();
      });
    } else li.className += ' unplaced';
    findingsBox.appendChild(li);
  });
  if (page.findings.length === 0) findingsBox.appendChild(element('li', 'none', 'unplaced'));

  // The file's extent at opening: its airspaces, else its findings, else the world.
  var drawnCount = layers.filter(function (layer) { return layer; }).length;
  var extent = drawn.getBounds();
  Object.keys(markers).forEach(function (key) { if (!drawnCount) extent.extend(markers[key].at); });
  if (extent.isValid()) map.fitBounds(extent, { padding: [10, 10], maxZoom: 12 });

  // Last, so that the counts tell the whole script ran.
  document.getElementById('counts').textContent = page.features.length + ' airspaces, ' + drawnCount + ' drawn; ' +
    page.findings.length + ' findings';
})();
