#pragma once

#include "objects/HistoryRecord.h"

class CWallObject;
struct WallFaceItem;

// Replays the records of face items cut into or removed from a surface.
void ReplayFaceItemRecord(HistoryRecord& record, bool undo);

// The face cut again, its items marked applied, its openings' models
// re-placed.
void RebuildWallFace(CWallObject& wall, int face);
// The first item on the same face, of the same kind and at the same place;
// null when there is none.
WallFaceItem* FindFaceItem(CWallObject& wall, const WallFaceItem& item);
// After a removed item came back at the end: its parts and itself move
// back to where the removal found them, the n-th place among the items of
// its face.
void MoveFaceItemBack(int type, CWallObject& wall, int face, int ordinal,
                      const std::vector<int>& parts);
