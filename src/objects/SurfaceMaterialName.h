#pragma once

#include <array>
#include <string_view>

#include "objects/MaterialRecord.h"

// Texture names in the records of walls, floors and ceilings, in the stored
// Windows form in CP950 like EncodeMaterialName, with their own rules for a
// name that does not fit the field.

// A wall keeps such a name as "c:" and its file name, which a reader finds
// again under the texture folders by the file name.
std::array<char, MaterialRecord::kNameSize> EncodeWallMaterialName(std::string_view name);

// Floors and ceilings cut such a name to the field on a character boundary.
std::array<char, MaterialRecord::kNameSize> EncodeCutMaterialName(std::string_view name);
