#include "document/HistoryFaceItemReplay.h"

#include <iterator>
#include <list>
#include <memory>
#include <vector>

#include "foundation/WallFaceItem.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"

namespace {

bool IsSurfaceType(int type) {
    return type == kWallObjectType || type == kFloorObjectType || type == kCeilingObjectType;
}

void AddCopy(CWallObject& wall, const WallFaceItem& item) {
    auto copy = std::make_unique<WallFaceItem>(item);
    copy->applied = 0;
    copy->deleted = 0;
    wall.AddFaceItem(std::move(copy));
}

void RemoveItem(CWallObject& wall, const WallFaceItem& item, int face) {
    if (WallFaceItem* found = FindFaceItem(wall, item)) {
        found->applied = 1;
        found->deleted = 1;
    }
    RebuildWallFace(wall, face);
}

}  // namespace

void RebuildWallFace(CWallObject& wall, int face) {
    wall.RebuildFace(face);
    wall.MarkOpeningsApplied();
    wall.UpdateOpeningModels();
}

WallFaceItem* FindFaceItem(CWallObject& wall, const WallFaceItem& item) {
    for (const std::unique_ptr<WallFaceItem>& candidate : wall.GetFaceItems()) {
        if (candidate->face != item.face || !candidate->HasSameKind(item)) {
            continue;
        }
        const bool samePlace = item.kind == WallFaceItem::kPolygon
                                   ? (!candidate->outline.empty() && !item.outline.empty() &&
                                      candidate->outline.front() == item.outline.front())
                                   : (candidate->firstCorner == item.firstCorner &&
                                      candidate->secondCorner == item.secondCorner);
        if (samePlace) {
            return candidate.get();
        }
    }
    return nullptr;
}

void MoveFaceItemBack(int type, CWallObject& wall, int face, int ordinal,
                      const std::vector<int>& parts) {
    std::list<std::unique_ptr<WallFaceItem>>& items = wall.EditFaceItems();
    if (!IsSurfaceType(type) || ordinal < 0 || items.empty()) {
        return;
    }
    // The parts the item has now, made at the end by the cut, go back to
    // where the removal found them, each swapped down one place at a time;
    // parts cut after it (cells) keep their order behind.
    const int first = parts.empty() ? 0 : parts.front();
    for (std::size_t k = 0; k < parts.size() && k < items.back()->parts.size(); ++k) {
        const int target = first + static_cast<int>(k);
        for (int at = items.back()->parts[k]; at > target; --at) {
            wall.SwapParts(at, at - 1, 1);
        }
    }
    auto place = items.end();
    int count = 0;
    for (auto it = items.begin(); it != items.end(); ++it) {
        if ((*it)->face == face) {
            if (count == ordinal) {
                place = it;
            }
            ++count;
        }
    }
    if (count == ordinal + 1 || place == items.end()) {
        return;
    }
    // A cut-out came back with its twin: both go back in their order.
    const int moved =
        (*place)->cutOut != 0 && items.size() >= 2 && items.back()->twinCreated != 0 ? 2 : 1;
    auto from = std::prev(items.end(), moved);
    if (std::distance(items.begin(), place) < std::distance(items.begin(), from)) {
        items.splice(place, items, from, items.end());
    }
    std::vector<std::vector<SplitRecord>>& records = wall.EditSplitRecords();
    if (face >= 0 && static_cast<std::size_t>(face) < records.size()) {
        std::vector<SplitRecord>& own = records[static_cast<std::size_t>(face)];
        if (!own.empty() && static_cast<std::size_t>(ordinal) < own.size()) {
            SplitRecord last = std::move(own.back());
            own.pop_back();
            own.insert(own.begin() + ordinal, std::move(last));
        }
    }
}

void ReplayFaceItemRecord(HistoryRecord& record, bool undo) {
    auto* wall = dynamic_cast<CWallObject*>(record.object);
    if (wall == nullptr || !IsSurfaceType(record.objectType)) {
        return;
    }
    const int face = record.value;
    if (record.operation == kHistoryFaceItemAdded) {
        const auto* item = std::get_if<WallFaceItem>(&record.after);
        if (item == nullptr) {
            return;
        }
        if (undo) {
            RemoveItem(*wall, *item, face);
        } else {
            AddCopy(*wall, *item);
            RebuildWallFace(*wall, face);
        }
        return;
    }
    const auto* item = std::get_if<WallFaceItem>(&record.before);
    const auto* ordinal = std::get_if<std::int32_t>(&record.after);
    if (item == nullptr || ordinal == nullptr) {
        return;
    }
    if (undo) {
        AddCopy(*wall, *item);
        RebuildWallFace(*wall, face);
        MoveFaceItemBack(record.objectType, *wall, face, *ordinal, item->parts);
    } else {
        RemoveItem(*wall, *item, face);
    }
}
