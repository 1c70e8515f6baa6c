#pragma once

#include <vector>

#include "DxfText.h"
#include "objects/OutlineRecord.h"

struct FurniturePiece;

// A model's edge records: the sides of its box faces, each with the face's
// normal, with y measured from the model's mid-height as the program keeps
// them.
std::vector<OutlineRecord> FurnitureEdgeRecords(const FurniturePiece& piece,
                                                const std::vector<OutlineRecord>& quadSides);

// The model's plan symbol: the outline of every upward face seen from
// above, in cm, plan x along the model's x and plan y along its z (the back
// at the top). The extents are the model's footprint.
DxfDrawing FurniturePlanSymbol(const FurniturePiece& piece,
                               const std::vector<OutlineRecord>& quadSides);
