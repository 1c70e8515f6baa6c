#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "DesignFileFixture.h"
#include "document/CopyBuffer.h"
#include "objects/2DPictureShape.h"
#include "objects/ModelObject.h"
#include "objects/ModelObjectTestPackage.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"

namespace {

class ScenePasteTest : public DesignFileTest {
protected:
    void SetUp() override {
        DesignFileTest::SetUp();
        planView.frame.SetWallBarText(IPlanFrame::kWallTopEdit, "260");
        planView.frame.SetWallBarText(IPlanFrame::kWallBottomEdit, "0");
        planView.frame.SetWallBarText(IPlanFrame::kWallThicknessEdit, "15");
        WriteBytes(PathOf("box.qvx"), model_test::MakePackage({}));
    }

    CModelObject* AddModel(float x, float z) {
        auto* model = new CModelObject();
        EXPECT_EQ(model->LoadModelFile(PathOf("box.qvx").string()), S_OK);
        model->SetNumber(static_cast<int>(scene->NextObjectId()));
        model->SetPosition(x, 0.0f, z);
        scene->AddObjectIfAbsent(kModelObjectType, model);
        if (model->GetPlanIcon() != nullptr) {
            scene->AddObjectIfAbsent(kModelIconShapeType, model->GetPlanIcon());
        }
        return model;
    }

    std::vector<CDesignObject*> Models() { return scene->Objects(kModelObjectType); }
    // The design without its header, whose object-number counter a paste
    // moves on for good: numbers are not given back by undo.
    std::string WriteObjectBytes() { return WriteDesignBytes().substr(200); }
    static gfx::Vector3 PositionOf(CDesignObject* object) {
        return static_cast<C3DObject*>(object)->GetPosition();
    }

    CCopyBuffer buffer;
};

// Each paste of one copy moves 20 further along both plan axes, and one
// undo takes back one whole paste.
TEST_F(ScenePasteTest, RepeatedPastesStepAwayAndUndoOnePasteAtATime) {
    CModelObject* source = AddModel(100.0f, -50.0f);
    scene->SelectObject(kModelObjectType, source);
    ASSERT_TRUE(scene->CopySelectionToBuffer(buffer));
    const std::string copied = WriteObjectBytes();

    scene->PasteCopyBuffer(buffer, 20.0f, 20.0f, true);
    const std::string once = WriteObjectBytes();
    scene->PasteCopyBuffer(buffer, 40.0f, 40.0f, true);
    ASSERT_EQ(Models().size(), 3u);
    EXPECT_EQ(PositionOf(Models()[1]).x, 120.0f);
    EXPECT_EQ(PositionOf(Models()[1]).z, -70.0f);
    EXPECT_EQ(PositionOf(Models()[2]).x, 140.0f);
    EXPECT_EQ(PositionOf(Models()[2]).z, -90.0f);
    // The paste selects what it made, and only that.
    EXPECT_EQ(scene->Selected(kModelObjectType), std::vector<CDesignObject*>{Models()[2]});
    EXPECT_EQ(buffer.GetList(kModelObjectType), std::vector<CDesignObject*>{source});

    doc->Undo();
    EXPECT_TRUE(WriteObjectBytes() == once);
    doc->Undo();
    EXPECT_TRUE(WriteObjectBytes() == copied);
    doc->Redo();
    EXPECT_TRUE(WriteObjectBytes() == once);
}

// A door copied with its wall pastes once per paste, in the new wall's
// opening; the copy buffer still holds it for the next paste.
TEST_F(ScenePasteTest, DoorPastesWithItsWallEveryTime) {
    CWallObject* wall = scene->AddWallFromOutline({{0, 0}, {0, -300}, {15, -300}, {15, 0}});
    ASSERT_NE(wall, nullptr);
    CModelObject* door = AddModel(7.0f, -150.0f);
    auto opening = std::make_unique<WallFaceItem>(2, 1, WallFaceItem::kRectangle);
    opening->SetCorners({100.0f, 0.0f}, {190.0f, 210.0f});
    opening->model1 = door;
    wall->AddFaceItem(std::move(opening));
    scene->SelectObject(kWallObjectType, wall);
    scene->SelectObject(kModelObjectType, door);
    ASSERT_TRUE(scene->CopySelectionToBuffer(buffer));

    for (int paste = 1; paste <= 2; ++paste) {
        SCOPED_TRACE(paste);
        scene->PasteCopyBuffer(buffer, 20.0f * paste, 20.0f * paste, true);
        ASSERT_EQ(scene->Objects(kWallObjectType).size(), 1u + paste);
        ASSERT_EQ(Models().size(), 1u + paste);
        const auto* pasted = static_cast<CWallObject*>(scene->Objects(kWallObjectType).back());
        ASSERT_EQ(pasted->GetFaceItems().size(), 1u);
        CModelObject* newDoor = pasted->GetFaceItems().front()->model1;
        EXPECT_EQ(newDoor, Models().back());
        EXPECT_NE(newDoor, door);
        EXPECT_EQ(PositionOf(newDoor).x, 7.0f + 20.0f * paste);
    }
    EXPECT_EQ(wall->GetFaceItems().front()->model1, door);
    EXPECT_EQ(buffer.GetList(kModelObjectType), std::vector<CDesignObject*>{door});

    // One undo takes the wall and its door together.
    doc->Undo();
    EXPECT_EQ(scene->Objects(kWallObjectType).size(), 2u);
    EXPECT_EQ(Models().size(), 2u);
}

TEST_F(ScenePasteTest, PastePointBringsTheLowestPlanCornerThere) {
    CModelObject* source = AddModel(100.0f, -50.0f);
    scene->SelectObject(kModelObjectType, source);
    ASSERT_TRUE(scene->CopySelectionToBuffer(buffer));
    float dx = 0.0f;
    float dy = 0.0f;
    ASSERT_TRUE(scene->ComputePasteOffsetAtPoint(buffer, 500.0, -300.0, dx, dy));
    // The footprint's lowest corner moves onto the point.
    const std::array<float, 3>& extent = source->GetExtent();
    EXPECT_FLOAT_EQ(dx, 500.0f - (100.0f - extent[0] / 2.0f));
    EXPECT_FLOAT_EQ(dy, 300.0f - (50.0f - extent[1] / 2.0f));

    CCopyBuffer empty;
    dx = 7.0f;
    EXPECT_FALSE(scene->ComputePasteOffsetAtPoint(empty, 500.0, -300.0, dx, dy));
    EXPECT_EQ(dx, 7.0f);
}

}  // namespace
