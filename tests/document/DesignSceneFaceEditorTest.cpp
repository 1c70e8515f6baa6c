#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DesignFileFixture.h"
#include "document/HousDoc.h"
#include "foundation/FaceEditorSeam.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"

namespace {

class DesignSceneFaceEditorTest : public DesignFileTest {
protected:
    void SetUp() override {
        DesignFileTest::SetUp();
        wall = scene->AddWallFromOutline({{0, 0}, {0, 400}, {400, 400}, {400, 0}});
        ASSERT_NE(wall, nullptr);
        scene->SelectObject(kWallObjectType, wall);
    }

    // A triangle of the wall's face 2.
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

    CWallObject* wall = nullptr;
};

void AddWindowAndSplitLine(CWallObject& surface, int face) {
    auto window = std::make_unique<WallFaceItem>(face, 1, WallFaceItem::kRectangle);
    window->SetCorners({100, 80}, {200, 180});
    surface.AddFaceItem(std::move(window));
    auto area = std::make_unique<WallFaceItem>(face, 0, WallFaceItem::kRectangle);
    area->SetCorners({250, 40}, {350, 120});
    surface.AddFaceItem(std::move(area));
    auto line = std::make_unique<WallFaceItem>(face, 0, WallFaceItem::kHorizontalSplitLine);
    line->SetCorners({0, 200}, {0, 200});
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
    EXPECT_TRUE(WriteDesignBytes() == plain);
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
    EXPECT_TRUE(WriteDesignBytes() == edited);
    doc->Redo();
    EXPECT_TRUE(WriteDesignBytes() == removed);
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
    line.SetCorners({0, 120}, {0, 120});
    ASSERT_TRUE(scene->PasteSplitLines(*wall, 3, {line}));
    EXPECT_EQ(wall->GetMaterialCount(), 7);
    const std::string pasted = WriteDesignBytes();
    doc->Undo();
    EXPECT_TRUE(WriteDesignBytes() == plain);
    doc->Redo();
    EXPECT_TRUE(WriteDesignBytes() == pasted);
}

}  // namespace
