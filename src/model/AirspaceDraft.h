// An airspace while its records are read: the texts and records its views
// look into, grown as the records come.
#pragma once

#include <string>
#include <string_view>

#include "io/GrowingText.h"
#include "model/Airspace.h"
#include "model/Border.h"

// The airspace's values, and the storage of what it views. Cleared for the
// next airspace with its memory kept, since one is read after another; the
// airspace list copies what it holds, or takes over what is long.
struct TAirspaceDraft {
  TAirspace Airspace;  // values; its views are set by View
  std::string Class;
  TGrowingText Name;
  TBorder Border;
  std::string Type;
  TAirspaceDetails Details;  // floor, ceiling and the lines; views set by View
  bool HasDetails = false;   // a type, limit or arc was read

  // The airspace, its views pointing here.
  const TAirspace& View() {
    Airspace.AirspaceClass = Class;
    Airspace.Name = Name.View();
    Airspace.Border = Border.View();
    Details.Arcs = Border.Arcs;
    Details.Type = Type;
    Airspace.Details = HasDetails ? &Details : nullptr;
    return Airspace;
  }
  void Clear() {
    Airspace = {};
    Class.clear();
    Name.Clear();
    Border.Clear();
    Type.clear();
    if (HasDetails) ClearDetails();
    HasDetails = false;
  }

private:
  // Only what was read: a file with a type in every airspace and no limits
  // read pays for no limits.
  void ClearDetails() {
    Details.TypeLine = 0;
    if (Details.FloorLine != 0) Details.Floor = {};
    if (Details.CeilingLine != 0) Details.Ceiling = {};
    Details.FloorLine = Details.CeilingLine = 0;
  }
};
