// A design of 500 selected models moved together as one step, then that
// step undone and redone; as the baseline the same placements are written
// straight into the objects. Each of undo and redo should take at most
// 20 ms.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "Bench3DView.h"
#include "BenchDocumentServices.h"
#include "BenchObject.h"
#include "Interleaved.h"
#include "ScopedProgramFolder.h"
#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "objects/ObjectTypeCodes.h"

namespace {

constexpr int kObjects = 500;
constexpr int kColumns = 25;
constexpr float kSpacing = 100.0f;
constexpr float kMove = 50.0f;
// The kind of edit snapshot that records placements of 3D objects.
constexpr int kPlacementSnapshot = 3;

// The document with its scene reached through the 3D view, the models
// selected and their move recorded as one undo step.
class CMovedDesign {
public:
    CMovedDesign() {
        m_scene.SetDocument(&m_doc);
        m_doc.Attach3DView(&m_view);
        for (int k = 0; k < kObjects; ++k) {
            auto object = std::make_unique<CBenchObject>();
            object->MakeBox(60.0f, 1, nullptr);
            object->SetPosition(static_cast<float>(k % kColumns) * kSpacing, 35.0f,
                                static_cast<float>(k / kColumns) * kSpacing);
            m_objects.push_back(object.get());
            m_scene.AddObjectIfAbsent(kModelObjectType, object.release());
            m_scene.SelectObject(kModelObjectType, m_objects.back());
        }
        m_doc.BeginEditSnapshot(kPlacementSnapshot);
        PlaceDirectly(kMove);
        m_doc.EndEditSnapshot(kPlacementSnapshot);
    }

    CHousDoc& Doc() { return m_doc; }

    // Every model at its start moved along x by offset.
    void PlaceDirectly(float offset) {
        for (int k = 0; k < kObjects; ++k) {
            m_objects[k]->SetPosition(static_cast<float>(k % kColumns) * kSpacing + offset, 35.0f,
                                      static_cast<float>(k / kColumns) * kSpacing);
        }
    }

    [[nodiscard]] bool IsPlacedAt(float offset) const {
        for (int k = 0; k < kObjects; ++k) {
            if (m_objects[k]->GetPosition().x !=
                static_cast<float>(k % kColumns) * kSpacing + offset) {
                return false;
            }
        }
        return true;
    }

private:
    ScopedProgramFolder m_folder;
    CHousDoc m_doc;
    CBenchDocumentServices m_services{&m_doc};
    // Declared after the document: the scene, when it goes, empties the
    // document's history.
    CDesignScene m_scene;
    CBench3DView m_view{&m_scene};
    std::vector<CBenchObject*> m_objects;
};

void BM_UndoRedoMoveOf500(benchmark::State& state) {
    CMovedDesign design;
    CHousDoc& doc = design.Doc();
    doc.Undo();
    const bool undone = design.IsPlacedAt(0.0f);
    doc.Redo();
    if (!undone || !design.IsPlacedAt(kMove)) {
        state.SkipWithError("undo and redo do not move the models back and forth");
        return;
    }
    // Undo, redo and the direct placement in turn; the direct figure is one
    // placement, as each of undo and redo places once.
    bench::InterleavedTimes undo;
    bench::InterleavedTimes redo;
    for (auto _ : state) {
        const double undone = bench::TimeMilliseconds([&doc] { doc.Undo(); });
        const double redone = bench::TimeMilliseconds([&doc] { doc.Redo(); });
        const double direct = bench::TimeMilliseconds([&design] {
                                  design.PlaceDirectly(0.0f);
                                  design.PlaceDirectly(kMove);
                              }) /
                              2.0;
        undo.Add(undone, direct);
        redo.Add(redone, direct);
    }
    undo.Report(state, "undo", "direct", "undo_ratio");
    redo.Report(state, "redo", "direct", "redo_ratio");
}

BENCHMARK(BM_UndoRedoMoveOf500)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();

}  // namespace
