#include <algorithm>

#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/HistoryReplay.h"
#include "document/HousDoc.h"
#include "objects/2DPictureShape.h"
#include "objects/3DObject.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectTypeCodes.h"

namespace {

using RecordList = std::vector<std::unique_ptr<HistoryRecord>>;

bool IsMarker(const HistoryRecord& record) {
    return record.objectType == kHistoryMarkerType;
}

bool HoldsOnlyAMarker(const RecordList& list) {
    return list.empty() || (list.size() == 1 && IsMarker(*list.front()));
}

// The plan symbol list of a 3D type that owns one; -1 for the others.
int SymbolListOf(int type) {
    switch (type) {
        case kModelObjectType:
            return kModelIconShapeType;
        case kPhotoObjectType:
            return kPhotoIconShapeType;
        case kLightObjectType:
            return kLightIconShapeType;
        default:
            return -1;
    }
}

C2DPictureShape* PlanSymbolOf(int type, CDesignObject* object) {
    if (SymbolListOf(type) < 0) {
        return nullptr;
    }
    return static_cast<C3DObject*>(object)->GetPlanIcon();
}

HistoryObject* ObjectPayload(HistoryPayload& payload) {
    return std::get_if<HistoryObject>(&payload);
}

std::unique_ptr<HistoryRecord> MakeMarker(int operation) {
    auto marker = std::make_unique<HistoryRecord>();
    marker->objectType = kHistoryMarkerType;
    marker->operation = operation;
    return marker;
}

}  // namespace

CDesignScene* CHousDoc::GetScene() const {
    return m_p3DView != nullptr ? m_p3DView->GetScene() : nullptr;
}

std::vector<std::unique_ptr<HistoryRecord>>& CHousDoc::HistoryList(int list) {
    return m_historyLists.at(static_cast<std::size_t>(list));
}

void CHousDoc::PushUndoRecord(std::unique_ptr<HistoryRecord> record) {
    m_historyLists[0].push_back(std::move(record));
    ClearHistoryList(1);
}

void CHousDoc::ClearHistoryList(int list) {
    RecordList records = std::move(HistoryList(list));
    HistoryList(list).clear();
    CDesignScene* scene = GetScene();
    for (const std::unique_ptr<HistoryRecord>& record : records) {
        for (HistoryPayload* payload : {&record->before, &record->after}) {
            HistoryObject* kept = ObjectPayload(*payload);
            if (kept == nullptr || !kept->owned) {
                continue;
            }
            // An object the record owns is about to go: nothing may still
            // point at it.
            CDesignObject* object = kept->owned.get();
            ReleaseCopiedObject(object);
            if (scene != nullptr) {
                if (C2DPictureShape* symbol = PlanSymbolOf(record->objectType, object)) {
                    scene->RemoveObject(SymbolListOf(record->objectType), symbol);
                }
            }
        }
    }
    // The records free their payloads, owned objects among them.
}

void CHousDoc::ReleaseCopiedObject(const CDesignObject* object) {
    if (m_copyBuffer.Holds(object)) {
        m_copyBuffer.Clear();
    }
}

bool CHousDoc::IsUndoEmpty() const {
    return HoldsOnlyAMarker(m_historyLists[0]);
}

bool CHousDoc::IsRedoEmpty() const {
    return HoldsOnlyAMarker(m_historyLists[1]);
}

bool CHousDoc::IsSnapshotEmpty() const {
    return m_historyLists[2].empty();
}

void CHousDoc::UndoRemoveObject(int type, HistoryObject& kept) {
    CDesignObject* object = kept.Get();
    CDesignScene* scene = GetScene();
    if (object == nullptr || kept.owned || scene == nullptr) {
        return;
    }
    // The record keeps the object from here on: no selection list may
    // still name it.
    scene->DeselectObject(type, object);
    scene->RemoveObject(type, object);
    if (C2DPictureShape* symbol = PlanSymbolOf(type, object)) {
        scene->DeselectObject(SymbolListOf(type), symbol);
        scene->RemoveObject(SymbolListOf(type), symbol);
    }
    ReleaseCopiedObject(object);
    kept.owned.reset(object);
}

void CHousDoc::UndoReinsertObject(int type, HistoryObject& kept) {
    CDesignScene* scene = GetScene();
    if (!kept.owned || scene == nullptr) {
        return;
    }
    CDesignObject* object = kept.owned.release();
    kept.object = object;
    scene->AddObjectIfAbsent(type, object);
    if (C2DPictureShape* symbol = PlanSymbolOf(type, object)) {
        scene->AddObjectIfAbsent(SymbolListOf(type), symbol);
    }
}

void CHousDoc::ApplyRecord(HistoryRecord& record, bool undo) {
    const bool remove = (record.operation == kHistoryAdd) == undo;
    if (record.operation == kHistoryAdd || record.operation == kHistoryDelete) {
        HistoryObject* kept =
            ObjectPayload(record.operation == kHistoryAdd ? record.after : record.before);
        if (kept != nullptr) {
            if (remove) {
                UndoRemoveObject(record.objectType, *kept);
            } else {
                UndoReinsertObject(record.objectType, *kept);
            }
        }
        return;
    }
    ApplyRecordedState(record, undo, GetScene());
}

void CHousDoc::ReplayStep(RecordList& from, RecordList& to, bool undo) {
    // Markers change nothing a user could see: they go over with the step
    // before them, so that every press replays an edit.
    while (from.size() > 1 && IsMarker(*from.back())) {
        to.push_back(std::move(from.back()));
        from.pop_back();
    }
    if (from.back()->count <= 0) {
        return;
    }
    int replayed = 0;
    while (!from.empty()) {
        std::unique_ptr<HistoryRecord> record = std::move(from.back());
        from.pop_back();
        ApplyRecord(*record, undo);
        const bool marker = IsMarker(*record);
        const int count = record->count;
        to.push_back(std::move(record));
        replayed = marker ? 1 : replayed + 1;
        if (replayed >= count) {
            break;
        }
    }
}

void CHousDoc::RefreshSceneAfterReplay() {
    if (CDesignScene* scene = GetScene()) {
        scene->RebuildFloorLevels();
        // Moved objects find their storey again, or a pass of another
        // storey's objects would skip them.
        scene->RefreshObjectsAndSymbols();
        scene->FillFloorCombo();
    }
}

void CHousDoc::Undo() {
    if (m_busy != 0 || m_historyLists[0].empty()) {
        return;
    }
    m_busy = 1;
    ReplayStep(m_historyLists[0], m_historyLists[1], true);
    RefreshSceneAfterReplay();
    SetEditModeAndRefresh(0);
    m_busy = 0;
}

void CHousDoc::Redo() {
    if (m_busy != 0 || m_historyLists[1].empty()) {
        return;
    }
    m_busy = 1;
    ReplayStep(m_historyLists[1], m_historyLists[0], false);
    RefreshSceneAfterReplay();
    m_busy = 0;
}

void CHousDoc::BeginUndoGroup() {
    RecordList& undo = m_historyLists[0];
    if (undo.empty() || undo.back()->operation == kHistoryGroupBegin) {
        return;
    }
    undo.push_back(MakeMarker(kHistoryGroupBegin));
}

void CHousDoc::PushUndoSeparator() {
    RecordList& undo = m_historyLists[0];
    if (undo.empty() || IsMarker(*undo.back())) {
        return;
    }
    undo.push_back(MakeMarker(kHistorySeparator));
}

void CHousDoc::EndUndoGroup() {
    RecordList& undo = m_historyLists[0];
    // Separators pushed inside the group would split it.
    auto begin = std::find_if(undo.rbegin(), undo.rend(), [](const auto& record) {
        return record->operation == kHistoryGroupBegin;
    });
    const auto groupStart = begin == undo.rend() ? undo.begin() : begin.base();
    undo.erase(
        std::remove_if(groupStart, undo.end(),
                       [](const auto& record) { return record->operation == kHistorySeparator; }),
        undo.end());
    begin = std::find_if(undo.rbegin(), undo.rend(), [](const auto& record) {
        return record->operation == kHistoryGroupBegin;
    });
    auto first = undo.begin();
    if (begin != undo.rend()) {
        first = undo.erase(std::next(begin).base());
    }
    const auto count = static_cast<int>(undo.end() - first);
    for (auto it = first; it != undo.end(); ++it) {
        (*it)->count = count;
    }
}

void CHousDoc::JoinTrailingDeleteRecords() {
    RecordList& undo = m_historyLists[0];
    if (undo.size() < 2) {
        return;
    }
    // Whole steps whose newest record is a delete, newest first.
    auto end = static_cast<std::ptrdiff_t>(undo.size());
    std::ptrdiff_t start = end;
    int total = 0;
    while (start > 0 && undo[start - 1]->operation == kHistoryDelete) {
        const int count = std::max(undo[start - 1]->count, 1);
        total += count;
        start = std::max<std::ptrdiff_t>(start - count, 0);
    }
    for (std::ptrdiff_t i = start; i < end; ++i) {
        undo[i]->count = total;
    }
}

void CHousDoc::DropUndoRecord(int operation, int type, const CDesignObject* object) {
    RecordList& undo = m_historyLists[0];
    for (auto it = undo.rbegin(); it != undo.rend(); ++it) {
        HistoryRecord& record = **it;
        if (record.operation == kHistoryGroupBegin) {
            return;
        }
        const HistoryObject* named =
            ObjectPayload(record.operation == kHistoryDelete ? record.before : record.after);
        if (record.operation == operation && record.objectType == type && named != nullptr &&
            named->Get() == object) {
            undo.erase(std::next(it).base());
            return;
        }
    }
}

void CHousDoc::TrimUndoHistory() {
    RecordList& undo = m_historyLists[0];
    if (m_undoLimit < 0 || static_cast<std::size_t>(m_undoLimit) >= undo.size()) {
        return;
    }
    int steps = 0;
    int open = 0;
    std::size_t keep = 0;
    for (auto it = undo.rbegin(); it != undo.rend(); ++it) {
        if (steps >= m_undoLimit && open == 0) {
            break;
        }
        ++keep;
        const HistoryRecord& record = **it;
        if (record.operation == kHistorySeparator) {
            continue;
        }
        if (open > 0) {
            --open;
            continue;
        }
        ++steps;
        open = std::max(record.count - 1, 0);
    }
    RecordList kept(std::make_move_iterator(undo.end() - static_cast<std::ptrdiff_t>(keep)),
                    std::make_move_iterator(undo.end()));
    undo.resize(undo.size() - keep);
    ClearHistoryList(0);
    m_historyLists[0] = std::move(kept);
}

void CHousDoc::MergeRepeatedPlacementRecords() {
    RecordList& undo = m_historyLists[0];
    if (undo.size() < 2) {
        return;
    }
    HistoryRecord& newer = *undo[undo.size() - 1];
    HistoryRecord& older = *undo[undo.size() - 2];
    if (newer.operation == kHistoryPlacement && older.operation == kHistoryPlacement &&
        newer.count == older.count && newer.object == older.object) {
        older.after = std::move(newer.after);
        undo.pop_back();
    }
}

void CHousDoc::MergeRepeatedPropertyRecords() {
    RecordList& undo = m_historyLists[0];
    if (undo.size() < 2 || undo.back()->operation != kHistoryProperties) {
        return;
    }
    HistoryRecord& newer = *undo[undo.size() - 1];
    HistoryRecord& older = *undo[undo.size() - 2];
    if (older.count != newer.count || older.object != newer.object) {
        return;
    }
    if (older.operation == kHistoryProperties && older.value == newer.value) {
        older.after = std::move(newer.after);
        undo.pop_back();
    } else if (older.operation == kHistoryMaterialTexture) {
        older.count = newer.count = 2;
    }
}
