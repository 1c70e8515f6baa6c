#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "DesignFileFixture.h"
#include "objects/2DPictureShape.h"
#include "objects/ModelObject.h"
#include "objects/ModelObjectTestPackage.h"
#include "objects/ObjectTypeCodes.h"

namespace {

class DesignFileModelsTest : public DesignFileTest {
protected:
    CModelObject* AddModel(const std::string& packagePath) {
        auto* model = new CModelObject();
        EXPECT_EQ(model->LoadModelFile(packagePath), S_OK);
        model->SetName("方盒");
        model->SetObjectNumber(5.0);
        model->SetPlanSymbolShown(1);
        model->SetPlanOutlineShown(1);
        model->SetScale(50.0f, 40.0f, 30.0f);
        model->SetPosition(120.0f, 0.0f, -80.0f);
        model->SetMirrorMode(1);
        scene->AddObjectIfAbsent(kModelObjectType, model);
        scene->AddObjectIfAbsent(kModelIconShapeType, model->GetPlanIcon());
        return model;
    }

    std::string WritePackage(const std::string& name) {
        const std::filesystem::path path = PathOf(name);
        WriteBytes(path, model_test::MakePackage({}));
        return path.string();
    }
};

TEST_F(DesignFileModelsTest, ModelsAndTheirPlanSymbolsComeBackFromTheDesignFile) {
    const CModelObject& saved = *AddModel(WritePackage("box.qvx"));
    const std::string bytes = WriteDesignBytes();
    const std::array<float, 3> realSize = saved.GetRealSize();
    const std::vector<std::string> names = saved.GetTextureNames();
    scene->ClearScene();

    ASSERT_TRUE(Read(bytes));
    ASSERT_EQ(scene->Objects(kModelObjectType).size(), 1u);
    const auto& read = *static_cast<CModelObject*>(scene->Objects(kModelObjectType)[0]);
    EXPECT_EQ(read.GetName(), "方盒");
    EXPECT_EQ(read.GetObjectNumber(), 5.0);
    EXPECT_EQ(read.GetRealSize(), realSize);
    EXPECT_EQ(read.GetPosition().x, 120.0f);
    EXPECT_EQ(read.GetMirrorMode(), 1);
    EXPECT_EQ(read.GetTextureNames(), names);
    EXPECT_EQ(read.GetPlanOutlineShown(), 1);
    // The symbol is listed once, with its model.
    EXPECT_EQ(scene->Objects(kModelIconShapeType), std::vector<CDesignObject*>{read.GetPlanIcon()});
}

TEST_F(DesignFileModelsTest, ModelWhosePackageIsGoneIsLeftOutWithoutItsSymbol) {
    const std::string path = WritePackage("gone.qvx");
    AddModel(path);
    AddModel(WritePackage("kept.qvx"));
    const std::string bytes = WriteDesignBytes();
    scene->ClearScene();
    std::filesystem::remove(path);

    ASSERT_TRUE(Read(bytes));
    ASSERT_EQ(scene->Objects(kModelObjectType).size(), 1u);
    const auto& kept = *static_cast<CModelObject*>(scene->Objects(kModelObjectType)[0]);
    EXPECT_NE(kept.GetFilePath().find("kept.qvx"), std::string::npos);
    EXPECT_EQ(scene->Objects(kModelIconShapeType), std::vector<CDesignObject*>{kept.GetPlanIcon()});
}

}  // namespace
