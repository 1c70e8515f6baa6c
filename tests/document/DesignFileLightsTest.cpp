#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "DesignFileFixture.h"
#include "objects/2DPictureShape.h"
#include "objects/LightObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"

namespace {

class DesignFileLightsTest : public DesignFileTest {
protected:
    void SetUp() override {
        DesignFileTest::SetUp();
        // The program folder holds no glyphs: lights are kept without them.
        CLightObject::InitSharedResources(nullptr);
        messages.clear();
    }
    void TearDown() override {
        DesignFileTest::TearDown();
        CLightObject::ReleaseSharedResources();
    }

    CLightObject* AddLight(int number, int type, float x, float heading) {
        auto light = std::make_unique<CLightObject>();
        light->SetNumber(number);
        light->SetLightType(type);
        light->SetPosition(x, 250.0f, -120.0f);
        light->SetRotation(heading, 0.0f, 0.0f);
        light->LightSettings().diffuse = {0.9f, 0.8f, 0.7f, 1.0f};
        light->LightSettings().range = 400.0f + x;
        light->LightSettings().phi = 0.75f;
        light->UpdateLight();
        light->RebuildPlanIcon();
        CLightObject* added = light.get();
        scene->Objects(kLightObjectType).push_back(light.release());
        scene->Objects(kLightIconShapeType).push_back(added->GetPlanIcon());
        return added;
    }

    std::vector<CLightObject*> Lights() {
        std::vector<CLightObject*> lights;
        for (CDesignObject* object : scene->Objects(kLightObjectType)) {
            lights.push_back(static_cast<CLightObject*>(object));
        }
        return lights;
    }
};

}  // namespace

TEST_F(DesignFileLightsTest, LightsSavedAndReadBackEqualWithTheirPlanIcons) {
    AddLight(0, 1, 100.0f, 0.0f);
    AddLight(1, 2, 200.0f, 1.0f);
    AddLight(5, 3, 300.0f, 2.5f);
    const std::string bytes = WriteDesignBytes();
    std::vector<std::unique_ptr<CDesignObject>> built;
    for (CLightObject* light : Lights()) {
        built.emplace_back(light);
    }
    scene->Objects(kLightObjectType).clear();
    scene->Objects(kLightIconShapeType).clear();
    ASSERT_TRUE(Read(bytes));
    EXPECT_TRUE(messages.empty());

    const std::vector<CLightObject*> read = Lights();
    ASSERT_EQ(read.size(), built.size());
    ASSERT_EQ(scene->Objects(kLightIconShapeType).size(), built.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        const auto& original = static_cast<const CLightObject&>(*built[i]);
        SCOPED_TRACE(original.GetName());
        EXPECT_EQ(read[i]->GetNumber(), original.GetNumber());
        EXPECT_EQ(read[i]->GetName(), original.GetName());
        EXPECT_EQ(read[i]->GetLightType(), original.GetLightType());
        EXPECT_EQ(read[i]->GetPosition().x, original.GetPosition().x);
        EXPECT_EQ(read[i]->GetHeading(), original.GetHeading());
        EXPECT_EQ(read[i]->GetLight().range, original.GetLight().range);
        EXPECT_EQ(read[i]->GetLight().direction.x, original.GetLight().direction.x);
        EXPECT_EQ(read[i]->GetLight().diffuse.g, original.GetLight().diffuse.g);
        // The icon is listed with its light, not kept by the file.
        EXPECT_EQ(scene->Objects(kLightIconShapeType)[i], read[i]->GetPlanIcon());
        EXPECT_EQ(read[i]->GetPlanIcon()->GetOwnerObject(), read[i]);
    }
    const std::string_view sections = std::string_view(bytes).substr(200);
    EXPECT_TRUE(WriteDesignBytes().substr(200) == sections);
}

// A record names its shadow lights by number; the lights it names are the
// ones read from the same file, not yet in the scene while it is read.
TEST_F(DesignFileLightsTest, ShadowLightsAreTheLightsReadWithTheDesign) {
    planView.frame.SetWallBarText(IPlanFrame::kWallTopEdit, "260");
    planView.frame.SetWallBarText(IPlanFrame::kWallBottomEdit, "0");
    planView.frame.SetWallBarText(IPlanFrame::kWallThicknessEdit, "15");
    AddLight(3, 1, 100.0f, 0.0f);
    CLightObject* shadowLight = AddLight(7, 1, 200.0f, 0.0f);
    CWallObject* wall = scene->AddWallFromOutline({{0, 0}, {0, -300}, {15, -300}, {15, 0}});
    ASSERT_NE(wall, nullptr);
    wall->ShadowLights().push_back(shadowLight);
    const std::string bytes = WriteDesignBytes();
    std::vector<std::unique_ptr<CDesignObject>> built;
    for (const int type : {kLightObjectType, kWallObjectType}) {
        for (CDesignObject* object : scene->Objects(type)) {
            built.emplace_back(object);
        }
        scene->Objects(type).clear();
    }
    scene->Objects(kLightIconShapeType).clear();

    ASSERT_TRUE(Read(bytes));
    ASSERT_EQ(scene->Objects(kWallObjectType).size(), 1u);
    const auto* read = static_cast<const CWallObject*>(scene->Objects(kWallObjectType)[0]);
    ASSERT_EQ(read->GetShadowLights().size(), 1u);
    EXPECT_EQ(read->GetShadowLights()[0], Lights()[1]);
    EXPECT_EQ(read->GetShadowLights()[0]->GetNumber(), 7);
}

TEST_F(DesignFileLightsTest, RefusedFileLeavesNoIconOfItsLightsBehind) {
    AddLight(3, 1, 100.0f, 0.0f);
    const std::string bytes = WriteDesignBytes();
    const std::size_t iconsBefore = scene->Objects(kLightIconShapeType).size();
    // Cut inside the plan sections: the lights read, the file is refused.
    ASSERT_FALSE(Read(std::string_view(bytes).substr(0, bytes.size() - 60)));
    EXPECT_EQ(scene->Objects(kLightIconShapeType).size(), iconsBefore);
    EXPECT_EQ(scene->Objects(kLightIconShapeType).front(), Lights().front()->GetPlanIcon());
}
