#include <vector>

#include "objects/WallObject.h"

// The through-hole code fills these: the cutting calls them at the points
// where twins are made, inner faces built and opening models re-placed.

std::vector<int> CWallObject::CreateTwinItems(int /*face*/) {
    return {};
}

void CWallObject::BuildHoleTunnels(int /*face*/) {}

void CWallObject::UpdateOpeningModels() {}
