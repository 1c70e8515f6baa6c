#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "DesignFileFixture.h"
#include "foundation/Prompt.h"
#include "objects/2DPictureShape.h"
#include "objects/FloorObject.h"
#include "objects/HistoryRecord.h"
#include "objects/LightObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/Test3DObject.h"
#include "objects/WallObject.h"

namespace {

std::vector<CVector2D> Square(double x, double size) {
    return {{x, 0}, {x, size}, {x + size, size}, {x + size, 0}};
}

class DesignSceneDeletionTest : public DesignFileTest {
protected:
    void SetUp() override {
        DesignFileTest::SetUp();
        CLightObject::InitSharedResources(nullptr);
        planView.frame.SetWallBarText(IPlanFrame::kWallTopEdit, "260");
        planView.frame.SetWallBarText(IPlanFrame::kWallBottomEdit, "0");
        planView.frame.SetWallBarText(IPlanFrame::kWallThicknessEdit, "15");
        m_answers = std::make_unique<CScopedPromptHandlers>([this](const MessageRequest& request) {
            asked.push_back(request.text);
            EXPECT_EQ(request.buttons, PromptButtons::YesNo);
            EXPECT_EQ(request.icon, PromptIcon::Warning);
            const auto found = answers.find(request.text);
            return found != answers.end() ? found->second : PromptAnswer::Yes;
        });
    }
    void TearDown() override {
        m_answers.reset();
        DesignFileTest::TearDown();
        CLightObject::ReleaseSharedResources();
    }

    CLightObject* AddLight(int number, float x) {
        auto light = std::make_unique<CLightObject>();
        light->SetNumber(number);
        light->SetLightType(1);
        light->SetPosition(x, 250.0f, -120.0f);
        light->UpdateLight();
        light->RebuildPlanIcon();
        CLightObject* added = light.get();
        scene->Objects(kLightObjectType).push_back(light.release());
        if (added->GetPlanIcon() != nullptr) {
            scene->Objects(kLightIconShapeType).push_back(added->GetPlanIcon());
        }
        return added;
    }

    CTest3DObject* AddModel(const std::string& path, const std::string& name) {
        auto* model = new CTest3DObject(kModelObjectType);
        model->MakeBox({-1, -1, -1}, {1, 1, 1}, 1);
        model->SetFilePath(path);
        model->SetName(name);
        scene->AddObjectIfAbsent(kModelObjectType, model);
        return model;
    }

    void Select(int type, CDesignObject* object) { scene->SelectObject(type, object); }

    // The view's deletion: every kind in one undo step.
    int DeleteSelection() {
        doc->BeginUndoGroup();
        const int removed = scene->DeleteSelectionByType(false);
        doc->EndUndoGroup();
        return removed;
    }

    std::vector<std::string> asked;
    std::map<std::string, PromptAnswer> answers;

private:
    std::unique_ptr<CScopedPromptHandlers> m_answers;
};

}  // namespace

TEST_F(DesignSceneDeletionTest, QuestionNamesTheKindOrTheSingleObject) {
    CTest3DObject* bed = AddModel("/library/臥室傢俱/單人床.x", "單人床");
    auto* photo1 = new CTest3DObject(kPhotoObjectType);
    auto* photo2 = new CTest3DObject(kPhotoObjectType);
    photo1->SetFilePath("/photos/風景/海.jpg");
    photo1->SetName("海");
    for (CTest3DObject* photo : {photo1, photo2}) {
        scene->AddObjectIfAbsent(kPhotoObjectType, photo);
    }
    Select(kModelObjectType, bed);
    Select(kPhotoObjectType, photo1);
    EXPECT_EQ(scene->GetDeleteConfirmText(kModelObjectType), "確定刪除  臥室傢俱-單人床?");
    EXPECT_EQ(scene->GetDeleteConfirmText(kPhotoObjectType), "確定刪除  風景-海?");
    Select(kModelObjectType, AddModel("/library/臥室傢俱/櫃.x", "櫃"));
    Select(kPhotoObjectType, photo2);
    const struct {
        int type;
        const char* text;
    } cases[] = {
        {kModelObjectType, "確定刪除傢俱?"},     {kWallObjectType, "確定刪除牆?"},
        {kLightObjectType, "確定刪除光源?"},     {kText3DObjectType, "確定刪除3D文字?"},
        {kPhotoObjectType, "確定刪除照片?"},     {kFloorObjectType, "確定刪除地板?"},
        {kCeilingObjectType, "確定刪除天花板?"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(scene->GetDeleteConfirmText(c.type), c.text) << c.type;
    }
}

TEST_F(DesignSceneDeletionTest, AnswerOtherThanYesKeepsTheKindAndRecordsNothing) {
    CWallObject* wall = scene->AddWallFromOutline(Square(0, 300));
    ASSERT_NE(wall, nullptr);
    const std::size_t records = doc->HistoryList(0).size();
    Select(kWallObjectType, wall);
    answers["確定刪除牆?"] = PromptAnswer::No;
    EXPECT_EQ(scene->DeleteSelectedObjects(true, false, kWallObjectType), 0);
    answers["確定刪除牆?"] = PromptAnswer::Cancel;
    EXPECT_EQ(scene->DeleteSelectedObjects(true, false, kWallObjectType), 0);
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(scene->Objects(kWallObjectType), std::vector<CDesignObject*>{wall});
    EXPECT_EQ(doc->HistoryList(0).size(), records);
    // Nothing is asked with noConfirm.
    EXPECT_EQ(scene->DeleteSelectedObjects(true, true, kWallObjectType), 1);
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_TRUE(scene->Objects(kWallObjectType).empty());
    EXPECT_TRUE(scene->Selected(kWallObjectType).empty());
}

// Declining one kind used to leave record counts above what was recorded,
// so that one Undo took older steps along.
TEST_F(DesignSceneDeletionTest, DeletionWithOneKindDeclinedUndoesAndRedoesExactly) {
    CWallObject* west = scene->AddWallFromOutline(Square(0, 300));
    CWallObject* east = scene->AddWallFromOutline(Square(500, 300));
    CFloorObject* floor = scene->AddFloorFromOutline(Square(0, 800));
    ASSERT_TRUE(west != nullptr && east != nullptr && floor != nullptr);
    CLightObject* lamp = AddLight(3, 100.0f);
    CLightObject* other = AddLight(4, 200.0f);
    // The lamp lights both walls, between other lights on the east one.
    west->ShadowLights() = {lamp};
    east->ShadowLights() = {other, lamp, other};
    const std::string before = WriteDesignBytes();
    const std::size_t olderRecords = doc->HistoryList(0).size();

    for (CDesignObject* object :
         {static_cast<CDesignObject*>(west), static_cast<CDesignObject*>(east)}) {
        Select(kWallObjectType, object);
    }
    Select(kFloorObjectType, floor);
    Select(kLightObjectType, lamp);
    answers["確定刪除地板?"] = PromptAnswer::No;
    EXPECT_EQ(DeleteSelection(), 3);
    EXPECT_EQ(asked, (std::vector<std::string>{"確定刪除光源?", "確定刪除牆?", "確定刪除地板?"}));
    EXPECT_EQ(scene->Objects(kFloorObjectType), std::vector<CDesignObject*>{floor});
    EXPECT_EQ(scene->Objects(kLightObjectType), std::vector<CDesignObject*>{other});
    EXPECT_EQ(east->GetShadowLights(), (std::vector<C3DObject*>{other, other}));
    const std::string after = WriteDesignBytes();
    ASSERT_NE(after, before);

    doc->Undo();
    EXPECT_EQ(WriteDesignBytes(), before);
    EXPECT_EQ(west->GetShadowLights(), std::vector<C3DObject*>{lamp});
    EXPECT_EQ(east->GetShadowLights(), (std::vector<C3DObject*>{other, lamp, other}));
    // The steps before the deletion are all still there.
    EXPECT_EQ(doc->HistoryList(0).size(), olderRecords);
    doc->Redo();
    EXPECT_EQ(WriteDesignBytes(), after);
    doc->Undo();
    EXPECT_EQ(WriteDesignBytes(), before);
}

TEST_F(DesignSceneDeletionTest, DoorModelsGoWithTheirWallButKeptModelsStay) {
    CWallObject* wall = scene->AddWallFromOutline(Square(0, 300));
    ASSERT_NE(wall, nullptr);
    CTest3DObject* door = AddModel("/library/門/門.x", "門");
    CTest3DObject* sofa = AddModel("/library/客廳/沙發.x", "沙發");
    auto opening = std::make_unique<WallFaceItem>(3, 1, WallFaceItem::kPolygon);
    opening->model1 = reinterpret_cast<CModelObject*>(door);
    wall->AddFaceItem(std::move(opening));
    Select(kWallObjectType, wall);
    Select(kModelObjectType, sofa);
    answers["確定刪除  客廳-沙發?"] = PromptAnswer::No;

    EXPECT_EQ(DeleteSelection(), 2);
    EXPECT_EQ(scene->Objects(kModelObjectType), std::vector<CDesignObject*>{sofa});
    EXPECT_TRUE(scene->Objects(kWallObjectType).empty());
    doc->Undo();
    EXPECT_EQ(scene->Objects(kWallObjectType), std::vector<CDesignObject*>{wall});
    EXPECT_EQ(scene->Objects(kModelObjectType).size(), 2u);
}

TEST_F(DesignSceneDeletionTest, DeletedLightLeavesItsSymbolAndComesBackWithIt) {
    CLightObject* lamp = AddLight(1, 50.0f);
    ASSERT_NE(lamp->GetPlanIcon(), nullptr);
    Select(kLightObjectType, lamp);
    Select(kLightIconShapeType, lamp->GetPlanIcon());
    EXPECT_EQ(DeleteSelection(), 1);
    EXPECT_TRUE(scene->Objects(kLightIconShapeType).empty());
    EXPECT_TRUE(scene->Selected(kLightIconShapeType).empty());
    doc->Undo();
    EXPECT_EQ(scene->Objects(kLightIconShapeType),
              std::vector<CDesignObject*>{lamp->GetPlanIcon()});
    // A later edit drops the redo step; the light stays in the design.
    doc->Redo();
    doc->ClearHistoryList(0);
    EXPECT_TRUE(scene->Objects(kLightObjectType).empty());
}
