#pragma once

#include <array>
#include <string>
#include <string_view>

#include "objects/MaterialRecord.h"

// The texture name of a material record: in memory a local path (or a
// relative or foreign-drive name as stored), in the record the stored
// Windows form in CP950.

// A local absolute path is stored as a Z: path. A name with no CP950 form
// or longer than the field keeps only its file name, which is found again
// under the texture folders, cut to the field on a character boundary.
std::array<char, MaterialRecord::kNameSize> EncodeMaterialName(std::string_view name);

// The bytes up to the first zero (all 100 when there is none), decoded; a
// Z: path becomes the local path, any other drive path stays as stored.
std::string DecodeMaterialName(const std::array<char, MaterialRecord::kNameSize>& field);
