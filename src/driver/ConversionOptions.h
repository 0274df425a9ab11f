// What the command line's options ask of a conversion.
#pragma once

#include <optional>
#include <string>

#include "geodesy/Arcs.h"
#include "geojson/Encodings.h"
#include "keep/Filters.h"
#include "numtext/NumText.h"

// What the options ask of the conversion.
struct TConversionOptions {
  bool Arcs = false;         // --arcs: arcs and circles drawn, repeated point texts written once
  int Digits = FloatDigits;  // --decimals: the digits of border points, 2 to 11
  bool Limits = false;       // --limits: the floor and ceiling after the name
  TFilters Filters;          // --max-floor, --classes, --exclude-classes, --types, --exclude-types, --keep-types
  bool SkipBad = false;      // --skip-bad: an airspace with a record that fails is left out
  double ArcTolerance = DefaultArcTolerance;  // --arc-tolerance: a chord's most departure from its arc, metres
  bool Pins = false;                          // --pins: a label point found where AT gives none
  std::string GeoJson;                        // --geojson: the GeoJSON file's name; none where empty
  std::string Preview;                        // --preview: the page's name; none where empty
  std::string Tiles;                          // --tiles: the page's tile URL template
  std::optional<TEncoding> Encoding;          // --encoding: the input's; guessed where none
  // Any option but --help, --version and --: the run's failures are then put
  // in words too, beside the report the bare run prints alone.
  bool Options = false;
};
