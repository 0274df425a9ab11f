// Checks of a drawn border against what its author most likely meant: arc
// ends that miss the points beside them, DB ends at different distances
// from their centre, a hemisphere letter slipped.
#pragma once

#include <vector>

#include "geodesy/Draw.h"
#include "model/Finding.h"

// Each finding at the line of the record it concerns. The airspace's drawer
// must note sources.
//  - a DB whose ends lie at distances from the centre that differ by more
//    than 2 % of the larger;
//  - an arc's first or last point more than 1 m and at most 200 m from the
//    border point beside it, across the closing edge too (a zigzag);
//  - a point whose latitude or unwrapped longitude has the other sign than
//    each of at least three others, more than 1 degree from 0, where its
//    mirror lies within the others' range widened by 1 degree.
void FindBorderDoubts(const TDrawnAirspace& airspace, std::vector<TFinding>& findings);
