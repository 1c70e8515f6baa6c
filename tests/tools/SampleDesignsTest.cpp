#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SampleDesigns.h"
#include "document/FakeDesignFileView.h"
#include "document/ShowGroupFile.h"
#include "foundation/BinaryReader.h"
#include "library/placing/PlacingFixture.h"
#include "objects/LightObject.h"
#include "platform/image/Image.h"

namespace {

// A program folder filled with the shipped library, as a first start fills it.
class SampleDesignsTest : public placing_test::PlacingTest {
protected:
    void SetUp() override {
        PlacingTest::SetUp();
        CLightObject::InitSharedResources(nullptr);
    }
    void TearDown() override {
        PlacingTest::TearDown();
        CLightObject::ReleaseSharedResources();
    }
};

}  // namespace

// The group the design manager offers lists each sample; each opens whole
// from the user's folder, its models finding their packages there, and has
// its thumbnail beside it.
TEST_F(SampleDesignsTest, EachSampleOfTheGroupOpensWholeWithItsThumbnail) {
    const std::vector<SampleDesign>& samples = StarterSampleDesigns();
    const std::vector<ShowCatalogEntry> entries =
        ReadShowEntries(PathOf(std::string(kShowFolder) + "/" + kSampleGroupFile));
    ASSERT_EQ(entries.size(), samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const SampleDesign& sample = samples[i];
        SCOPED_TRACE(sample.fileName);
        EXPECT_EQ(entries[i].fileName, sample.fileName);
        EXPECT_EQ(entries[i].showName, sample.showName);

        const std::string path = PathOf(std::string(kShowFolder) + "/" + sample.fileName).string();
        FakeDesignFileView view;
        CBinaryReader reader(path);
        int32_t wireframe = -1;
        messages.clear();
        ASSERT_TRUE(scene->ReadDesignFile(reader, view, true, wireframe));
        EXPECT_EQ(messages, std::vector<std::string>{});
        EXPECT_EQ(scene->Objects(kModelObjectType).size(), sample.pieces.size());
        EXPECT_EQ(scene->Objects(kWallObjectType).size(), sample.outline.size());
        EXPECT_EQ(scene->Objects(kFloorObjectType).size(), 1u);
        EXPECT_EQ(scene->Objects(kCeilingObjectType).size(), 1u);
        // Every model found its package in the user's library.
        for (const CModelObject* model : Models()) {
            EXPECT_NE(model->GetMesh(), nullptr) << model->GetName();
        }
        // The camera stands inside the room at eye height.
        EXPECT_GT(view.state.eye.y, 100.0f);
        EXPECT_LT(view.state.eye.z, 0.0f);

        image::CImage thumbnail;
        ASSERT_TRUE(thumbnail.Load(path.substr(0, path.size() - 3) + "bmp"));
        EXPECT_EQ(thumbnail.GetWidth(), 256);
        EXPECT_EQ(thumbnail.GetHeight(), 192);
        scene->ClearScene();
    }
}
