#pragma once

// A furniture-sized model for the picking benchmark: a table, chair, bed,
// wardrobe, shelf or sofa built from a few boxes (12 triangles each), its
// feet on y = 0 and centred on x and z. The mesh lives in memory only.

#include <memory>
#include <vector>

#include "objects/3DObject.h"

class CFurnitureModel : public C3DObject {
public:
    static constexpr int kKinds = 6;

    explicit CFurnitureModel(int kind);

    void PushUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list, int value,
                          int groupCount, int type) override;
    void CommitUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list,
                            std::unique_ptr<HistoryRecord> record, int groupCount) override;
};
