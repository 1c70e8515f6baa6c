#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DesignFileFixture.h"
#include "document/ActiveDocumentServices.h"
#include "document/HousDoc.h"
#include "foundation/ActiveDocument.h"
#include "foundation/FaceEditorSeam.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"

namespace {

class DesignSceneFaceEditorTest : public DesignFileTest {
protected:
    void SetUp() override {
        DesignFileTest::SetUp();
        // The wall's records reach this document's history.
        SetActiveHousDocAccessor([this] { return doc.get(); });
        previousServices = SetDocumentServices(&services);
        planView.frame.wallBar = {{1002, "280"}, {1003, "0"}, {1004, "15"}};
        wall = scene->AddWallFromOutline({{0, 0}, {0, 400}, {400, 400}, {400, 0}});
        ASSERT_NE(wall, nullptr);
        scene->SelectObject(kWallObjectType, wall);
    }

    void TearDown() override {
        SetDocumentServices(previousServices);
        SetActiveHousDocAccessor({});
        DesignFileTest::TearDown();
    }

    // A triangle of the face.
    int TriangleOfFace(int face) const {
        const std::vector<uint32_t>& attributes = wall->GetMeshAttributes();
        for (std::size_t t = 0; t < attributes.size(); ++t) {
            if (static_cast<int>(attributes[t]) == face) {
                return static_cast<int>(t);
            }
        }
        return -1;
    }

    bool Edit(const std::function<void(CWallObject&, int)>& change) {
        CScopedFaceEditor editor([&](CWallObject& surface, int face) {
            if (!change) {
                return FaceEditorAnswer::Cancel;
            }
            change(surface, face);
            return FaceEditorAnswer::Ok;
        });
        return scene->OpenSurfaceFaceEditor(TriangleOfFace(2));
    }

    CActiveDocumentServices services;
    IDocumentServices* previousServices = nullptr;
    CWallObject* wall = nullptr;
};

// Items placed by fractions of the face's size.
void AddWindowAndSplitLine(CWallObject& surface, int face) {
    const CVector2F size = surface.GetFaceSize(face);
    auto at = [&size](float x, float y) { return CVector2F(size.x * x, size.y * y); };
    auto window = std::make_unique<WallFaceItem>(face, 1, WallFaceItem::kRectangle);
    window->SetCorners(at(0.25f, 0.3f), at(0.5f, 0.6f));
    surface.AddFaceItem(std::move(window));
    auto area = std::make_unique<WallFaceItem>(face, 0, WallFaceItem::kRectangle);
    area->SetCorners(at(0.6f, 0.1f), at(0.9f, 0.4f));
    surface.AddFaceItem(std::move(area));
    auto line = std::make_unique<WallFaceItem>(face, 0, WallFaceItem::kHorizontalSplitLine);
    line->SetCorners(at(0.0f, 0.7f), at(0.0f, 0.7f));
    surface.AddFaceItem(std::move(line));
}

TEST_F(DesignSceneFaceEditorTest, AnEditIsOneUndoStepExactBothWays) {
    const std::string plain = WriteDesignBytes();
    ASSERT_TRUE(Edit(AddWindowAndSplitLine));
    const int parts = wall->GetMaterialCount();
    EXPECT_GT(parts, 6);
    const std::string edited = WriteDesignBytes();
    EXPECT_NE(edited, plain);

    doc->Undo();
    const std::string undone = WriteDesignBytes();
    EXPECT_TRUE(undone == plain)
        << "first difference at "
        << std::mismatch(undone.begin(), undone.end(), plain.begin()).first - undone.begin()
        << " of " << plain.size() << " / " << undone.size();
    EXPECT_EQ(wall->GetMaterialCount(), 6);
    doc->Redo();
    EXPECT_TRUE(WriteDesignBytes() == edited);
    EXPECT_EQ(wall->GetMaterialCount(), parts);

    // Removing the split area in a second edit, and undoing that.
    ASSERT_TRUE(Edit([](CWallObject& surface, int) {
        for (const auto& item : surface.GetFaceItems()) {
            if (item->IsSplitArea()) {
                item->deleted = 1;
            }
        }
    }));
    const std::string removed = WriteDesignBytes();
    EXPECT_NE(removed, edited);
    doc->Undo();
    const std::string back = WriteDesignBytes();
    EXPECT_TRUE(back == edited) << "first difference at "
                                << std::mismatch(back.begin(), back.end(), edited.begin()).first -
                                       back.begin()
                                << " of " << edited.size() << " / " << back.size();
    doc->Redo();
    EXPECT_TRUE(WriteDesignBytes() == removed);
}

// A refined face is cut from its plain triangles; the edit's undo brings
// the refinement back with the uncut face.
TEST_F(DesignSceneFaceEditorTest, ARefinedFaceIsUnrefinedBeforeItsCut) {
    wall->SetRefineLevel(2, 1);
    ASSERT_EQ(wall->ToggleRefinement(2, 1, 1), 1);
    const std::string refined = WriteDesignBytes();
    ASSERT_TRUE(Edit(AddWindowAndSplitLine));
    EXPECT_EQ(wall->GetRefineRecords()[2].flag, 0);
    doc->Undo();
    EXPECT_EQ(wall->GetRefineRecords()[2].flag, 1);
    EXPECT_TRUE(WriteDesignBytes() == refined);
}

TEST_F(DesignSceneFaceEditorTest, CancelOrNoEditorChangesNothing) {
    const std::string plain = WriteDesignBytes();
    const bool undoEmpty = doc->IsUndoEmpty();
    EXPECT_FALSE(Edit(nullptr));
    EXPECT_FALSE(IsFaceEditorInstalled());
    EXPECT_FALSE(scene->OpenSurfaceFaceEditor(TriangleOfFace(2)));
    EXPECT_TRUE(WriteDesignBytes() == plain);
    EXPECT_EQ(doc->IsUndoEmpty(), undoEmpty);
}

TEST_F(DesignSceneFaceEditorTest, PastedSplitLinesAreCutAsOneStep) {
    const std::string plain = WriteDesignBytes();
    WallFaceItem line(5, 0, WallFaceItem::kHorizontalSplitLine);
    const float y = wall->GetFaceSize(3).y * 0.5f;
    line.SetCorners({0, y}, {0, y});
    ASSERT_TRUE(scene->PasteSplitLines(*wall, 3, {line}));
    EXPECT_EQ(wall->GetMaterialCount(), 7);
    const std::string pasted = WriteDesignBytes();
    doc->Undo();
    EXPECT_EQ(wall->GetMaterialCount(), 6);
    EXPECT_EQ(wall->GetFaceItems().size(), 0u);
    EXPECT_TRUE(WriteDesignBytes() == plain);
    doc->Redo();
    EXPECT_TRUE(WriteDesignBytes() == pasted);
}

}  // namespace
