#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "PlacingFixture.h"
#include "document/FakeDesignFileView.h"
#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "library/placing/LibraryPlacing.h"
#include "objects/2DPictureShape.h"
#include "objects/CostItemRecord.h"
#include "objects/LightObject.h"
#include "objects/Text3DObject.h"
#include "platform/fs/AtomicFileWriter.h"

namespace {

using placing_test::PlacingTest;

// The record of one object as the design file stores it.
std::string RecordBytes(const CDesignObject& object) {
    FILE* file = std::tmpfile();
    CBinaryWriter writer(file);
    object.Write(writer);
    writer.Flush();
    std::string bytes(static_cast<size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    const size_t read = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    bytes.resize(read);
    return bytes;
}

// A room furnished from the starter library, saved and opened again.
class FurnishedDesignTest : public PlacingTest {
protected:
    void SetUp() override {
        PlacingTest::SetUp();
        CLightObject::InitSharedResources(nullptr);
    }
    void TearDown() override {
        SetCatalogDatabaseFactory({});
        PlacingTest::TearDown();
        CLightObject::ReleaseSharedResources();
    }

    void AddLight(int type, float x) {
        auto light = std::make_unique<CLightObject>();
        light->SetNumber(static_cast<int>(scene->NextObjectId()));
        light->SetLightType(type);
        light->SetPosition(x, 250.0f, -120.0f);
        light->UpdateLight();
        light->RebuildPlanIcon();
        CLightObject* added = light.get();
        scene->Objects(kLightObjectType).push_back(light.release());
        scene->Objects(kLightIconShapeType).push_back(added->GetPlanIcon());
    }

    void AddText(const std::string& words) {
        auto text = std::make_unique<CText3DObject>();
        text->SetText(words);
        text->SetNumber(static_cast<int>(scene->NextObjectId()));
        text->SetDevice(m_device.get());
        text->Rebuild();
        text->SetScale(40.0f, 25.0f, 5.0f);
        text->SetPosition(150.0f, 0.0f, -60.0f);
        scene->Objects(kText3DObjectType).push_back(text.release());
    }

    // Every 3D object's record, type by type.
    std::vector<std::vector<std::string>> Records() {
        std::vector<std::vector<std::string>> records;
        for (const int type :
             {kModelObjectType, kLightObjectType, kText3DObjectType, kPhotoObjectType}) {
            std::vector<std::string>& ofType = records.emplace_back();
            for (const CDesignObject* object : scene->Objects(type)) {
                ofType.push_back(RecordBytes(*object));
            }
        }
        return records;
    }

    FakeDesignFileView view;
};

}  // namespace

TEST_F(FurnishedDesignTest, PlacedObjectsLightsAndTextKeepTheirRecordsThroughSaveAndOpen) {
    ModelCatalogEntry chair = ModelEntry("扶手椅.qvx");
    ASSERT_NE(PlaceModelEntry(*doc, chair, Drop(500.0f, -300.0f, 0.0f, 0), {}).placed, nullptr);
    const PictureCatalogEntry poster = PictureEntry("海報/poster.bmp", 800, 600);
    ASSERT_NE(PlacePhotoEntry(*doc, poster, Drop(200.0f, -100.0f, 0.0f, 1), {}), nullptr);
    AddLight(1, 100.0f);
    AddLight(2, 200.0f);
    AddLight(3, 300.0f);
    AddText("客廳");
    const std::vector<std::vector<std::string>> saved = Records();
    ASSERT_EQ(saved[0].size(), 1u);
    ASSERT_EQ(saved[1].size(), 3u);
    ASSERT_EQ(saved[2].size(), 1u);
    ASSERT_EQ(saved[3].size(), 1u);

    const std::filesystem::path path = PathOf("furnished.dg6");
    {
        pfs::AtomicFileWriter sink(path);
        CBinaryWriter writer(sink);
        ASSERT_TRUE(scene->WriteDesignFile(writer, view));
        ASSERT_TRUE(sink.Commit().Ok());
    }
    scene->ClearScene();
    CBinaryReader reader(path.string());
    int32_t wireframe = -1;
    ASSERT_TRUE(scene->ReadDesignFile(reader, view, true, wireframe));
    EXPECT_EQ(messages, std::vector<std::string>{});
    EXPECT_EQ(Records(), saved);

    // The cost estimate finds the chair's catalogue row.
    const std::string catalogue = PathOf("RIr6.db").string();
    SetCatalogDatabaseFactory([catalogue] {
        auto database = std::make_unique<CModelDatabase>();
        database->Open(catalogue);
        return database;
    });
    CostItemRecord item;
    static_cast<const CModelObject*>(scene->Objects(kModelObjectType)[0])->FillLibraryRecord(item);
    EXPECT_EQ(item.name, chair.name);
    EXPECT_FALSE(item.serialNumber.empty());
    EXPECT_FALSE(item.vendor.empty());
}
