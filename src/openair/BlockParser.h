// The OpenAir reader's last step: the records of each block given their
// meaning and gathered into airspaces.
#pragma once

#include "model/AirspaceList.h"

class TStream;

// The input's airspaces in input order: an airspace starts at AC, and blank
// lines inside it are nothing (see TAirspaceBuilder). A failure of reading
// or parsing carries the input line on which it arose as its place.
TAirspaceList ParseAirspaces(TStream& stream);
