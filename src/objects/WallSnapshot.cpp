#include "objects/HistoryRecord.h"
#include "objects/WallObject.h"

CWallSnapshot::CWallSnapshot(const CWallObject& wall)
    : CObjectSnapshot(wall),
      reflective(wall.GetReflective()),
      planColour(wall.GetColor()),
      mirror(wall.IsMirror()) {}

bool CWallSnapshot::IsEqual(const CObjectSnapshot& other) const {
    const auto* wall = dynamic_cast<const CWallSnapshot*>(&other);
    return wall != nullptr && CObjectSnapshot::IsEqual(other) && reflective == wall->reflective &&
           planColour == wall->planColour && mirror == wall->mirror;
}

void CWallObject::PushUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list, int value,
                                   int groupCount, int type) {
    PushSnapshotRecord(list, value, groupCount, type, std::make_unique<CWallSnapshot>(*this));
}

void CWallObject::CommitUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list,
                                     std::unique_ptr<HistoryRecord> record, int groupCount) {
    CommitSnapshotRecord(list, std::move(record), groupCount,
                         std::make_unique<CWallSnapshot>(*this));
}

void CWallObject::RestoreColoursFromSnapshot(const CObjectSnapshot& snapshot) {
    C3DObject::RestoreColoursFromSnapshot(snapshot);
    if (const auto* wall = dynamic_cast<const CWallSnapshot*>(&snapshot)) {
        m_reflective = wall->reflective;
        m_mirror = wall->mirror;
    }
}
