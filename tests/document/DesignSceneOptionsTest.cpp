#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DesignFileFixture.h"
#include "objects/2DPictureShape.h"
#include "objects/LightObject.h"
#include "objects/ModelObject.h"
#include "objects/ModelObjectTestPackage.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"

namespace {

class SceneOptionsTest : public DesignFileTest {
protected:
    void SetUp() override {
        DesignFileTest::SetUp();
        CLightObject::InitSharedResources(nullptr);
        planView.frame.SetWallBarText(IPlanFrame::kWallTopEdit, "260");
        planView.frame.SetWallBarText(IPlanFrame::kWallBottomEdit, "0");
        planView.frame.SetWallBarText(IPlanFrame::kWallThicknessEdit, "15");
        messages.clear();
    }
    void TearDown() override {
        DesignFileTest::TearDown();
        CLightObject::ReleaseSharedResources();
    }

    CLightObject* AddLight(int type, float x, float range) {
        auto light = std::make_unique<CLightObject>();
        light->SetNumber(static_cast<int>(scene->NextObjectId()));
        light->SetLightType(type);
        light->SetPosition(x, 0.0f, 0.0f);
        light->LightSettings().diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
        light->LightSettings().range = range;
        light->RebuildPlanIcon();
        CLightObject* added = light.release();
        scene->AddObjectIfAbsent(kLightObjectType, added);
        return added;
    }

    CModelObject* AddModel(float x) {
        const std::filesystem::path path = PathOf("box.qvx");
        WriteBytes(path, model_test::MakePackage({}));
        auto* model = new CModelObject();
        EXPECT_EQ(model->LoadModelFile(path.string()), S_OK);
        model->SetNumber(static_cast<int>(scene->NextObjectId()));
        model->SetPosition(x, 0.0f, 0.0f);
        scene->AddObjectIfAbsent(kModelObjectType, model);
        if (model->GetPlanIcon() != nullptr) {
            scene->AddObjectIfAbsent(kModelIconShapeType, model->GetPlanIcon());
        }
        return model;
    }

    CWallObject* AddWall() {
        return scene->AddWallFromOutline({{0, 0}, {0, -300}, {15, -300}, {15, 0}});
    }

    void SelectAll(std::initializer_list<std::pair<int, CDesignObject*>> objects) {
        for (const auto& [type, object] : objects) {
            scene->SelectObject(type, object);
        }
    }
};

TEST_F(SceneOptionsTest, MirrorToggleTurnsAllOnThenAllOffAndUndoesExactly) {
    CWallObject* wall = AddWall();
    CModelObject* model = AddModel(100.0f);
    CLightObject* light = AddLight(1, 50.0f, 500.0f);
    SelectAll({{kWallObjectType, wall}, {kModelObjectType, model}, {kLightObjectType, light}});
    const std::string before = WriteDesignBytes();

    scene->ToggleMirrorOfSelection();
    EXPECT_EQ(wall->GetMirrorImages(), 1);
    EXPECT_EQ(model->GetMirrorImages(), 1);
    EXPECT_EQ(light->GetMirrorImages(), 0);
    const std::string on = WriteDesignBytes();
    ASSERT_FALSE(on == before);

    scene->ToggleMirrorOfSelection();
    EXPECT_EQ(wall->GetMirrorImages(), 0);
    EXPECT_EQ(model->GetMirrorImages(), 0);

    doc->Undo();
    EXPECT_TRUE(WriteDesignBytes() == on);
    doc->Undo();
    EXPECT_TRUE(WriteDesignBytes() == before);
    doc->Redo();
    EXPECT_TRUE(WriteDesignBytes() == on);

    // One object showing them is enough to turn them off for all.
    model->SetMirrorImages(0);
    scene->ToggleMirrorOfSelection();
    EXPECT_EQ(wall->GetMirrorImages(), 0);
}

// Turning shadows on gives a caster without lights the nearest light;
// one undo takes the light back with the flag.
TEST_F(SceneOptionsTest, ShadowToggleGivesTheNearestLightAndUndoesExactly) {
    AddLight(1, 400.0f, 1000.0f);
    CLightObject* near = AddLight(1, 200.0f, 1000.0f);
    CWallObject* wall = AddWall();
    CModelObject* model = AddModel(0.0f);
    SelectAll({{kWallObjectType, wall}, {kModelObjectType, model}});
    const std::string before = WriteDesignBytes();

    scene->ToggleShadowOfSelection();
    EXPECT_TRUE(scene->IsShadowShownOnSelection());
    EXPECT_EQ(model->GetShadowLights(), std::vector<C3DObject*>{near});
    EXPECT_EQ(wall->GetShadow(), 1);
    const std::string on = WriteDesignBytes();

    doc->Undo();
    EXPECT_TRUE(model->GetShadowLights().empty());
    EXPECT_TRUE(WriteDesignBytes() == before);
    doc->Redo();
    EXPECT_TRUE(WriteDesignBytes() == on);
    // Off again keeps the lights: they are the object's shadow settings.
    scene->ToggleShadowOfSelection();
    EXPECT_EQ(model->GetShadow(), 0);
    EXPECT_EQ(model->GetShadowLights(), std::vector<C3DObject*>{near});
}

TEST_F(SceneOptionsTest, NearestLightThatReachesTheObjectIsChosen) {
    struct Light {
        int type;
        float x;
        float range;
    };
    struct Case {
        const char* name;
        std::vector<Light> lights;
        std::optional<std::size_t> chosen;
    };
    const Case cases[] = {
        {"nearer wins", {{1, 300, 1000}, {1, 100, 1000}}, 1},
        {"equal distance: the later wins", {{1, 100, 1000}, {2, -100, 1000}}, 1},
        {"out of range", {{1, 100, 99}}, std::nullopt},
        {"range exactly the distance", {{2, 100, 100}}, 0},
        {"directional reaches from afar", {{1, 500, 100}, {3, 9000, 0}}, 1},
        {"no lights", {}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        scene->ClearScene();
        std::vector<CLightObject*> lights;
        for (const Light& light : c.lights) {
            lights.push_back(AddLight(light.type, light.x, light.range));
        }
        CModelObject* model = AddModel(0.0f);
        scene->AssignNearestLight(*model);
        if (c.chosen) {
            EXPECT_EQ(model->GetShadowLights(), std::vector<C3DObject*>{lights[*c.chosen]});
        } else {
            EXPECT_TRUE(model->GetShadowLights().empty());
        }
    }
}

// A light leaving the design leaves every caster's list; the other lights
// keep their places.
TEST_F(SceneOptionsTest, DetachedLightLeavesEveryCasterAndTheOthersMoveUp) {
    CLightObject* first = AddLight(1, 0.0f, 100.0f);
    CLightObject* second = AddLight(3, 0.0f, 0.0f);
    CWallObject* wall = AddWall();
    CModelObject* model = AddModel(0.0f);
    for (C3DObject* caster : std::initializer_list<C3DObject*>{wall, model}) {
        caster->ShadowLights() = {first, second};
    }
    scene->DetachLightFromObjects(first);
    EXPECT_EQ(wall->GetShadowLights(), std::vector<C3DObject*>{second});
    EXPECT_EQ(model->GetShadowLights(), std::vector<C3DObject*>{second});
}

TEST_F(SceneOptionsTest, HideNeverHidesLightsAndShowAllBringsEverythingBack) {
    CWallObject* wall = AddWall();
    CModelObject* model = AddModel(0.0f);
    CLightObject* light = AddLight(1, 50.0f, 500.0f);
    SelectAll({{kWallObjectType, wall}, {kModelObjectType, model}, {kLightObjectType, light}});
    const std::size_t records = doc->HistoryList(0).size();

    scene->HideSelection();
    EXPECT_EQ(wall->IsHidden(), 1);
    EXPECT_EQ(model->IsHidden(), 1);
    EXPECT_EQ(light->IsHidden(), 0);
    EXPECT_EQ(scene->Hidden(kWallObjectType), std::vector<CDesignObject*>{wall});
    EXPECT_TRUE(scene->Selected(kWallObjectType).empty());
    EXPECT_EQ(scene->Selected(kLightObjectType), std::vector<CDesignObject*>{light});
    EXPECT_TRUE(scene->HasHiddenObjects());
    EXPECT_EQ(doc->HistoryList(0).size(), records);

    scene->ShowAllObjects();
    EXPECT_EQ(wall->IsHidden(), 0);
    EXPECT_EQ(model->IsHidden(), 0);
    EXPECT_FALSE(scene->HasHiddenObjects());
    EXPECT_EQ(scene->Objects(kWallObjectType), std::vector<CDesignObject*>{wall});
}

TEST_F(SceneOptionsTest, BackgroundPictureStandsWithinTheFarPlane) {
    struct Case {
        float far;
        float ahead;
    };
    // A far plane between 62.5 and 250 leaves no room: the picture stands
    // at the eye instead of at a point that is not a number.
    const Case cases[] = {{15000.0f, 11874.0f}, {1000.0f, 670.0f}, {62.0f, 7.0f},
                          {100.0f, 0.0f},       {200.0f, 0.0f},    {250.0f, 0.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.far);
        const CDesignScene::BackgroundCamera camera{
            {10.0f, 150.0f, -20.0f}, {0.0f, 0.0f, 2.0f}, c.far};
        const gfx::Vector3 at = CDesignScene::ComputeBackgroundPhotoPosition(camera);
        EXPECT_EQ(at.x, 10.0f);
        EXPECT_EQ(at.y, 150.0f);
        EXPECT_EQ(at.z, -20.0f + c.ahead);
    }
}

}  // namespace
