#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "objects/MaterialRecord.h"
#include "platform/gfx/MathTypes.h"

class CBinaryReader;
class CBinaryWriter;
class C3DObject;
class LittleEndianCursor;

// The fields that the records of every kind of 3D object store alike.

// The version of the design file being read; the newest when no scene reads.
float ReadingFileVersion();

// A stored count of elements of the size given that the rest of the file
// can hold. Anything else is damage: the reader's error flag goes up so that
// the design reader refuses the file rather than read on out of step.
bool ReadCount(CBinaryReader& reader, int64_t elementSize, int32_t* count);

void WriteColour(CBinaryWriter& writer, const gfx::ColorValue& colour);
gfx::ColorValue TakeColour(LittleEndianCursor& fields);

void WriteMaterial(CBinaryWriter& writer, const MaterialRecord& record);
// A design holds thousands of material blocks: each is read in one piece
// and taken apart in memory. The short form of files of version 6.04 and
// earlier lacks the seam block, which stays zero.
MaterialRecord ReadMaterial(CBinaryReader& reader, bool shortForm);

// Every stored material of a record, in the long or the short form the
// file's version takes; false when the count is damage.
bool ReadMaterials(CBinaryReader& reader, std::vector<MaterialRecord>& records);

// A record keeps its shadow lights by their numbers; reading turns the
// numbers back into the lights the scene being read has, and skips those it
// has not. False when the count is damage.
void WriteShadowLights(CBinaryWriter& writer, const std::vector<C3DObject*>& lights);
bool ReadShadowLights(CBinaryReader& reader, std::vector<C3DObject*>& lights);

// The local file a stored path names; a path of another drive is left to the
// scene's search by its file name.
std::string LocalFileOfStoredPath(const std::string& stored);

// The four colour blocks of an object's material and its shadow parameters,
// which every kind of 3D object stores in the same place of its record.
void WriteColourBlocksAndShadow(CBinaryWriter& writer, const C3DObject& object);
void TakeColourBlocksAndShadow(LittleEndianCursor& fields, C3DObject& object);
