#include <algorithm>

#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "objects/3DObject.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectTypeCodes.h"

namespace {

// Edit snapshot kinds.
constexpr int kShapeSnapshots = 2;
constexpr int kPlacementSnapshots = 3;
constexpr int kBothSnapshots = 4;

// The plan kinds a shape edit counts, and those it snapshots.
constexpr int kCountedShapeTypes[] = {
    kWallObjectType,     kText3DObjectType,   kFloorObjectType,    kCeilingObjectType,
    kLineShapeType,      kRectShapeType,      kCircleShapeType,    kCurveShapeType,
    kDimensionShapeType, kTextShapeType,      kDxfIconShapeType,   kImageShapeType,
    kModelIconShapeType, kPhotoIconShapeType, kLightIconShapeType,
};
constexpr int kSnapshotShapeTypes[] = {kLineShapeType,    kRectShapeType,      kCircleShapeType,
                                       kCurveShapeType,   kDimensionShapeType, kTextShapeType,
                                       kDxfIconShapeType, kImageShapeType};

std::unique_ptr<HistoryRecord> MakeSnapshot(int count, int type, CDesignObject* object,
                                            HistoryPayload before) {
    auto record = std::make_unique<HistoryRecord>();
    record->count = count;
    record->objectType = type;
    record->operation = kHistoryPlacement;
    record->before = std::move(before);
    record->object = object;
    return record;
}

}  // namespace

int CHousDoc::CountSelectedShapes() const {
    CDesignScene* scene = GetScene();
    if (scene == nullptr) {
        return 0;
    }
    int count = 0;
    for (const int type : kCountedShapeTypes) {
        count += static_cast<int>(scene->Selected(type).size());
    }
    return count;
}

int CHousDoc::CountSelected3DObjects() const {
    CDesignScene* scene = GetScene();
    if (scene == nullptr) {
        return 0;
    }
    int count = 0;
    for (int type = kModelObjectType; type <= kCeilingObjectType; ++type) {
        count += static_cast<int>(scene->Selected(type).size());
    }
    return count;
}

std::unique_ptr<HistoryRecord> CHousDoc::TakeSnapshotRecord(
    std::vector<std::unique_ptr<HistoryRecord>>& list, const CDesignObject* object) {
    const auto found = std::find_if(list.begin(), list.end(), [object](const auto& record) {
        return record->object == object;
    });
    if (found == list.end()) {
        return nullptr;
    }
    std::unique_ptr<HistoryRecord> record = std::move(*found);
    list.erase(found);
    return record;
}

void CHousDoc::SnapshotSelectedShapes(int count) {
    CDesignScene* scene = GetScene();
    for (const int type : kSnapshotShapeTypes) {
        for (CDesignObject* object : scene->Selected(type)) {
            if (std::unique_ptr<ShapeGeometryRecord> geometry = object->CopyGeometry()) {
                m_historyLists[2].push_back(MakeSnapshot(count, type, object, *geometry));
            }
        }
    }
}

void CHousDoc::SnapshotSelectedPlacements(int count) {
    CDesignScene* scene = GetScene();
    for (int type = kModelObjectType; type <= kCeilingObjectType; ++type) {
        for (CDesignObject* object : scene->Selected(type)) {
            m_historyLists[2].push_back(
                MakeSnapshot(count, type, object, static_cast<C3DObject*>(object)->GetPlacement()));
        }
    }
}

void CHousDoc::BeginEditSnapshot(int kind) {
    if (!m_historyLists[2].empty()) {
        return;
    }
    const int shapes = CountSelectedShapes();
    if (kind == kShapeSnapshots || kind == kBothSnapshots) {
        if (shapes > 0) {
            SnapshotSelectedShapes(shapes);
            if (kind == kBothSnapshots) {
                SnapshotSelectedPlacements(shapes);
            }
        }
    } else if (kind == kPlacementSnapshots) {
        const int objects = CountSelected3DObjects();
        if (objects > 0) {
            SnapshotSelectedPlacements(objects);
        }
    }
}

bool CHousDoc::CommitShapeSnapshots(int count) {
    CDesignScene* scene = GetScene();
    bool moved = false;
    for (const int type : kSnapshotShapeTypes) {
        for (CDesignObject* object : scene->Selected(type)) {
            std::unique_ptr<HistoryRecord> record = TakeSnapshotRecord(m_historyLists[2], object);
            if (!record) {
                continue;
            }
            record->count = count;
            if (std::unique_ptr<ShapeGeometryRecord> geometry = object->CopyGeometry()) {
                record->after = *geometry;
            }
            m_historyLists[0].push_back(std::move(record));
            moved = true;
        }
    }
    return moved;
}

bool CHousDoc::CommitPlacementSnapshots(int count) {
    CDesignScene* scene = GetScene();
    bool changed = false;
    for (int type = kModelObjectType; type <= kCeilingObjectType; ++type) {
        for (CDesignObject* object : scene->Selected(type)) {
            std::unique_ptr<HistoryRecord> record = TakeSnapshotRecord(m_historyLists[2], object);
            const auto* before = record ? std::get_if<PlacementRecord>(&record->before) : nullptr;
            const PlacementRecord now = static_cast<C3DObject*>(object)->GetPlacement();
            if (before == nullptr || *before == now) {
                continue;
            }
            record->count = count;
            record->after = now;
            m_historyLists[0].push_back(std::move(record));
            changed = true;
        }
    }
    return changed;
}

void CHousDoc::EndEditSnapshot(int kind) {
    if (m_historyLists[2].empty()) {
        return;
    }
    const int count =
        kind == kPlacementSnapshots ? CountSelected3DObjects() : CountSelectedShapes();
    if (count == 0) {
        ClearHistoryList(2);
        return;
    }
    bool changed = false;
    if (kind == kShapeSnapshots) {
        changed = CommitShapeSnapshots(count);
    } else if (kind == kPlacementSnapshots) {
        changed = CommitPlacementSnapshots(count);
    } else if (kind == kBothSnapshots) {
        const bool shapes = CommitShapeSnapshots(count);
        changed = CommitPlacementSnapshots(count) || shapes;
    }
    ClearHistoryList(2);
    if (changed) {
        ClearHistoryList(1);
        MergeRepeatedPlacementRecords();
    }
    TrimUndoHistory();
}

void CHousDoc::SnapshotSelectionProperties(int group) {
    CDesignScene* scene = GetScene();
    const int count = CountSelected3DObjects();
    if (scene == nullptr || count == 0) {
        return;
    }
    for (int type = kModelObjectType; type <= kCeilingObjectType; ++type) {
        for (CDesignObject* object : scene->Selected(type)) {
            static_cast<C3DObject*>(object)->PushUndoSnapshot(m_historyLists[3], group, count,
                                                              type);
        }
    }
}

void CHousDoc::CommitSelectionProperties() {
    CDesignScene* scene = GetScene();
    const int count = CountSelected3DObjects();
    if (scene == nullptr || count == 0) {
        ClearHistoryList(3);
        return;
    }
    for (int type = kModelObjectType; type <= kCeilingObjectType; ++type) {
        for (CDesignObject* object : scene->Selected(type)) {
            std::unique_ptr<HistoryRecord> record = TakeSnapshotRecord(m_historyLists[3], object);
            if (record) {
                static_cast<C3DObject*>(object)->CommitUndoSnapshot(m_historyLists[0],
                                                                    std::move(record), count);
            }
        }
    }
    ClearHistoryList(3);
    ClearHistoryList(1);
    MergeRepeatedPropertyRecords();
    TrimUndoHistory();
}
