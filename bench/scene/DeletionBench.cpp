// Every one of 10,000 models selected, deleted as one undo step and the
// step undone; as the baseline the same objects are moved into the same
// records with std::erase_if and back. The deletion should take at most
// twice the baseline.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "Bench3DView.h"
#include "BenchDocumentServices.h"
#include "BenchObject.h"
#include "Interleaved.h"
#include "ScopedProgramFolder.h"
#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectTypeCodes.h"

namespace {

constexpr int kObjects = 10000;
constexpr int kColumns = 100;
constexpr float kSpacing = 100.0f;

class CFullDesign {
public:
    CFullDesign() {
        m_scene.SetDocument(&m_doc);
        m_doc.Attach3DView(&m_view);
        for (int k = 0; k < kObjects; ++k) {
            auto object = std::make_unique<CBenchObject>();
            object->MakeBox(60.0f, 1, nullptr);
            object->SetPosition(static_cast<float>(k % kColumns) * kSpacing, 35.0f,
                                static_cast<float>(k / kColumns) * kSpacing);
            m_scene.AddObjectIfAbsent(kModelObjectType, object.release());
        }
        m_order = m_scene.Objects(kModelObjectType);
    }

    void SelectAll() {
        for (CDesignObject* object : m_scene.Objects(kModelObjectType)) {
            object->SetSelected(1);
        }
        m_scene.RebuildSelectionLists();
    }

    void DeleteAndUndo() {
        SelectAll();
        m_doc.BeginUndoGroup();
        m_scene.DeleteSelectionByType(true);
        m_doc.EndUndoGroup();
        m_doc.Undo();
    }

    // The same objects into the same records, out of the list and back.
    void MoveIntoRecordsAndBack() {
        std::vector<CDesignObject*>& list = m_scene.Objects(kModelObjectType);
        for (CDesignObject* object : list) {
            object->SetSelected(1);
        }
        // The records of the last pass go now, as the deletion's own go
        // with the next deletion: both reuse the memory freed.
        std::vector<std::unique_ptr<HistoryRecord>>& records = m_records;
        records.clear();
        std::erase_if(list, [&records](CDesignObject* object) {
            if (object->IsSelected() == 0) {
                return false;
            }
            object->SetSelected(0);
            auto record = std::make_unique<HistoryRecord>();
            record->objectType = kModelObjectType;
            record->operation = kHistoryDelete;
            record->before = HistoryObject{nullptr, std::unique_ptr<CDesignObject>(object)};
            records.push_back(std::move(record));
            return true;
        });
        for (std::unique_ptr<HistoryRecord>& record : records) {
            list.push_back(std::get<HistoryObject>(record->before).owned.release());
        }
    }

    [[nodiscard]] bool IsWhole() { return m_scene.Objects(kModelObjectType) == m_order; }

private:
    ScopedProgramFolder m_folder;
    CHousDoc m_doc;
    CBenchDocumentServices m_services{&m_doc};
    // Declared after the document: the scene, when it goes, empties the
    // document's history.
    CDesignScene m_scene;
    CBench3DView m_view{&m_scene};
    std::vector<CDesignObject*> m_order;
    std::vector<std::unique_ptr<HistoryRecord>> m_records;
};

void BM_SelectDeleteUndoOf10000(benchmark::State& state) {
    CFullDesign design;
    design.DeleteAndUndo();
    if (!design.IsWhole()) {
        state.SkipWithError("undo does not bring the models back in their order");
        return;
    }
    const bench::InterleavedTimes times = bench::RunInterleaved(
        state, [&design] { design.DeleteAndUndo(); },
        [&design] { design.MoveIntoRecordsAndBack(); });
    times.Report(state, "delete_undo", "erase_if");
}

BENCHMARK(BM_SelectDeleteUndoOf10000)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();

}  // namespace
