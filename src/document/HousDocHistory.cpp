#include <algorithm>
#include <span>
#include <unordered_set>

#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/HistoryReplay.h"
#include "document/HousDoc.h"
#include "objects/2DPictureShape.h"
#include "objects/3DObject.h"
#include "objects/HistoryRecord.h"
#include "objects/LightObject.h"
#include "objects/ObjectTypeCodes.h"

namespace {

using RecordList = std::vector<std::unique_ptr<HistoryRecord>>;

bool IsMarker(const HistoryRecord& record) {
    return record.objectType == kHistoryMarkerType;
}

bool HoldsOnlyAMarker(const RecordList& list) {
    return list.empty() || (list.size() == 1 && IsMarker(*list.front()));
}

C2DPictureShape* PlanSymbolOf(int type, CDesignObject* object) {
    if (PlanSymbolTypeOf(type) < 0) {
        return nullptr;
    }
    return static_cast<C3DObject*>(object)->GetPlanIcon();
}

HistoryObject* ObjectPayload(HistoryPayload& payload) {
    return std::get_if<HistoryObject>(&payload);
}

int PositionIn(const std::vector<CDesignObject*>& list, const CDesignObject* object) {
    const auto found = std::find(list.begin(), list.end(), object);
    return found != list.end() ? static_cast<int>(found - list.begin()) : -1;
}

// A deleted object comes back where it stood, so that the design reads as
// before; a record without a position leaves it at the end.
void MoveToPosition(std::vector<CDesignObject*>& list, CDesignObject* object, int position) {
    const int at = PositionIn(list, object);
    if (position < 0 || at < 0 || position >= static_cast<int>(list.size())) {
        return;
    }
    list.erase(list.begin() + at);
    list.insert(list.begin() + position, object);
}

// A deletion whose undo only puts the object back: lights also take back
// their shadow links, one by one.
bool IsPlainDeletion(const HistoryRecord& record) {
    const auto* kept = std::get_if<HistoryObject>(&record.before);
    return record.operation == kHistoryDelete && record.objectType != kLightObjectType &&
           kept != nullptr && kept->owned;
}

// Undoes a run of deletions of one type (newest first) in one pass over the
// type's list, where one by one each would shift the list: they were taken
// out in list order, so the k-th taken out returns to its position plus k.
// False, changing nothing, when the positions do not allow it.
bool ReinsertDeletedRun(CDesignScene& scene, std::span<std::unique_ptr<HistoryRecord>> run) {
    const int type = run.front()->objectType;
    std::vector<CDesignObject*>& list = scene.Objects(type);
    const std::size_t total = list.size() + run.size();
    std::vector<std::size_t> targets(run.size());
    for (std::size_t k = 0; k < run.size(); ++k) {
        const int position = run[run.size() - 1 - k]->value;
        if (position < 0 || (k > 0 && static_cast<std::size_t>(position) + k <= targets[k - 1])) {
            return false;
        }
        targets[k] = static_cast<std::size_t>(position) + k;
    }
    if (targets.back() >= total) {
        return false;
    }
    std::vector<CDesignObject*> merged;
    merged.reserve(total);
    std::size_t old = 0;
    std::size_t k = 0;
    for (std::size_t at = 0; at < total; ++at) {
        if (k < targets.size() && targets[k] == at) {
            merged.push_back(ObjectPayload(run[run.size() - 1 - k]->before)->owned.get());
            ++k;
        } else {
            merged.push_back(list[old++]);
        }
    }
    list = std::move(merged);
    const int symbolType = PlanSymbolTypeOf(type);
    std::unordered_set<const CDesignObject*> symbols;
    if (symbolType >= 0) {
        symbols.insert(scene.Objects(symbolType).begin(), scene.Objects(symbolType).end());
    }
    for (auto record = run.rbegin(); record != run.rend(); ++record) {
        HistoryObject& kept = *ObjectPayload((*record)->before);
        CDesignObject* object = kept.owned.release();
        kept.object = object;
        C2DPictureShape* symbol = PlanSymbolOf(type, object);
        if (symbol != nullptr && symbols.insert(symbol).second) {
            scene.Objects(symbolType).push_back(symbol);
        }
    }
    return true;
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

void CHousDoc::PushAddRecord(int type, CDesignObject* object) {
    auto record = std::make_unique<HistoryRecord>();
    record->objectType = type;
    record->operation = kHistoryAdd;
    record->after = HistoryObject{object, nullptr};
    record->object = object;
    PushUndoRecord(std::move(record));
}

void CHousDoc::ClearHistoryList(int list) {
    if (HistoryList(list).empty()) {
        return;
    }
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
                    scene->RemoveObject(PlanSymbolTypeOf(record->objectType), symbol);
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
        scene->DeselectObject(PlanSymbolTypeOf(type), symbol);
        scene->RemoveObject(PlanSymbolTypeOf(type), symbol);
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
        scene->AddObjectIfAbsent(PlanSymbolTypeOf(type), symbol);
    }
}

void CHousDoc::ApplyRecord(HistoryRecord& record, bool undo) {
    const bool remove = (record.operation == kHistoryAdd) == undo;
    if (record.operation == kHistoryAdd || record.operation == kHistoryDelete) {
        HistoryObject* kept =
            ObjectPayload(record.operation == kHistoryAdd ? record.after : record.before);
        if (kept != nullptr) {
            const bool deletion = record.operation == kHistoryDelete;
            if (remove) {
                if (deletion && GetScene() != nullptr) {
                    record.value = PositionIn(GetScene()->Objects(record.objectType), kept->Get());
                }
                UndoRemoveObject(record.objectType, *kept);
            } else {
                UndoReinsertObject(record.objectType, *kept);
                if (deletion && GetScene() != nullptr) {
                    MoveToPosition(GetScene()->Objects(record.objectType), kept->Get(),
                                   record.value);
                }
            }
            if (record.operation == kHistoryDelete && record.objectType == kLightObjectType) {
                ReplayLightLinks(record, remove);
            }
        }
        return;
    }
    ApplyRecordedState(record, undo, GetScene());
}

void CHousDoc::ReplayLightLinks(HistoryRecord& record, bool removed) {
    CDesignScene* scene = GetScene();
    auto* light = static_cast<CLightObject*>(ObjectPayload(record.before)->Get());
    if (scene == nullptr || light == nullptr) {
        return;
    }
    // A deleted light left the shadow-light lists of the objects it lit; the
    // record keeps where, so that its undo gives the shadows back.
    if (removed) {
        light->Disable();
        record.after = scene->DetachLightFromObjects(light);
    } else if (const auto* links = std::get_if<ShadowLightLinks>(&record.after)) {
        CDesignScene::RestoreLightLinks(light, *links);
        light->Enable();
    }
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
    RecordList step;
    step.reserve(static_cast<std::size_t>(from.back()->count));
    int replayed = 0;
    while (!from.empty()) {
        std::unique_ptr<HistoryRecord> record = std::move(from.back());
        from.pop_back();
        const bool marker = IsMarker(*record);
        const int count = record->count;
        step.push_back(std::move(record));
        replayed = marker ? 1 : replayed + 1;
        if (replayed >= count) {
            break;
        }
    }
    for (std::size_t first = 0; first < step.size();) {
        std::size_t end = first + 1;
        if (undo && IsPlainDeletion(*step[first])) {
            while (end < step.size() && IsPlainDeletion(*step[end]) &&
                   step[end]->objectType == step[first]->objectType) {
                ++end;
            }
        }
        const std::span<std::unique_ptr<HistoryRecord>> run(
            step.begin() + static_cast<std::ptrdiff_t>(first),
            step.begin() + static_cast<std::ptrdiff_t>(end));
        if (run.size() < 2 || GetScene() == nullptr || !ReinsertDeletedRun(*GetScene(), run)) {
            for (const std::unique_ptr<HistoryRecord>& record : run) {
                ApplyRecord(*record, undo);
            }
        }
        first = end;
    }
    to.reserve(to.size() + step.size());
    for (std::unique_ptr<HistoryRecord>& record : step) {
        to.push_back(std::move(record));
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
