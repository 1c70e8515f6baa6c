#pragma once

#include "objects/HistoryRecord.h"

class C3DObject;
class CDesignScene;

// Puts one recorded state back on the object of a record: the state before
// the edit when undoing, the state after it when redoing. Adding and
// deleting objects are the document's, since they move objects between the
// scene and the record.
void ApplyRecordedState(HistoryRecord& record, bool undo, CDesignScene* scene);

// Position, then angles, then what follows from them: plan outline, the
// plan symbol and the world matrix.
void RestorePlacement(int type, C3DObject& object, const PlacementRecord& placement);
