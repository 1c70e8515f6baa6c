#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ShownViewFixture.h"
#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "document/LibraryBrowserLink.h"
#include "foundation/ApplicationValues.h"
#include "foundation/GeometryMath.h"
#include "foundation/Prompt.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/Test3DObject.h"
#include "platform/image/Image.h"
#include "view3d/HousView.h"

namespace {

// Browsers that place a plain box of the dragged size with its base centre
// at the drop point, as the furniture and photo browsers place theirs.
class FakeBrowsers : public ILibraryBrowsers {
public:
    explicit FakeBrowsers(CDesignScene& scene) : m_scene(scene) {}

    C3DObject* PlaceSelectedModel(const LibraryDropPoint& drop) override {
        drops.push_back(drop);
        return Add(kModelObjectType, drop, {modelWidth, modelHeight, modelDepth});
    }
    C3DObject* PlaceSelectedPhoto(const LibraryDropPoint& drop) override {
        drops.push_back(drop);
        C3DObject* photo = Add(kPhotoObjectType, drop, {100.0f, 75.0f, 0.05f});
        photo->SetFilePath(photoPath);
        return photo;
    }
    C3DObject* PlacePictureEntry(const PictureCatalogEntry& entry,
                                 const LibraryDropPoint& drop) override {
        pictureEntries.push_back(entry);
        drops.push_back(drop);
        // A unit quad, as a photo's mesh is.
        return Add(kPhotoObjectType, drop, {1.0f, 1.0f, 0.05f});
    }

    float modelWidth = 100.0f;
    float modelDepth = 60.0f;
    float modelHeight = 80.0f;
    std::string photoPath;
    // Hidden boxes keep their place but let the next drop reach the ground.
    bool hidePlaced = false;
    std::vector<LibraryDropPoint> drops;
    std::vector<PictureCatalogEntry> pictureEntries;

private:
    C3DObject* Add(int type, const LibraryDropPoint& drop, const gfx::Vector3& size) {
        auto* object = new CTest3DObject(type);
        object->MakeBox({-size.x / 2, 0, -size.z / 2}, {size.x / 2, size.y, size.z / 2}, 1);
        object->ComputeExtents();
        object->SetScale(1.0f, 1.0f, 1.0f);
        object->SetPosition(drop.x, drop.y, drop.z);
        object->SetHidden(hidePlaced ? 1 : 0);
        m_scene.AddObjectIfAbsent(type, object);
        return object;
    }

    CDesignScene& m_scene;
};

// A shown 3D view whose camera stands at (300, 200, -900) looking along +z
// and down, so that the window's middle looks at the ground in the plan's
// visible quadrant.
class HousViewPlacementTest : public ShownViewTest {
protected:
    void SetUp() override {
        ShownViewTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        m_browsers = std::make_unique<FakeBrowsers>(*m_view->GetScene());
        m_doc.SetLibraryBrowsers(m_browsers.get());
        m_view->SetCameraPosition(300, 200, -900);
        m_view->SetCameraAngles(0, 0.4);
        m_view->UpdateCamera();
    }

    void TearDown() override {
        m_doc.SetLibraryBrowsers(nullptr);
        ShownViewTest::TearDown();
    }

    void StartDrag(int kind, float width, float depth, float height, std::string folder = "") {
        LibraryPlacement& placement = m_doc.GetPlacement();
        placement.inProgress = 1;
        placement.kind = kind;
        placement.width = width;
        placement.depth = depth;
        placement.height = height;
        placement.folder = std::move(folder);
    }

    CTest3DObject* AddBox(int type, const gfx::Vector3& min, const gfx::Vector3& max,
                          const std::string& path = "") {
        auto* object = new CTest3DObject(type);
        object->MakeBox(min, max, 1);
        object->SetFilePath(path);
        object->UpdateWorldMatrix();
        m_view->GetScene()->AddObjectIfAbsent(type, object);
        return object;
    }

    [[nodiscard]] wxPoint Centre() const {
        const wxSize size = m_view->GetClientSize();
        return {size.x / 2, size.y / 2};
    }

    [[nodiscard]] size_t Count(int type) { return m_view->GetScene()->Objects(type).size(); }

    std::unique_ptr<FakeBrowsers> m_browsers;
};

TEST_F(HousViewPlacementTest, ADropOnEmptyGroundLandsUnderTheCursor) {
    StartDrag(0, 100, 60, 80);
    const wxPoint at = Centre() + wxPoint(30, 20);
    m_view->DropLibraryEntry(at.x, at.y);

    ASSERT_EQ(Count(kModelObjectType), 1u);
    auto* placed = static_cast<C3DObject*>(m_view->GetScene()->Objects(kModelObjectType)[0]);
    const gfx::Vector3 position = placed->GetPosition();
    EXPECT_FLOAT_EQ(position.y, 0.0f);
    const POINT back = m_view->ProjectToWindow(position.x, position.y, position.z);
    EXPECT_NEAR(back.x, at.x, 1);
    EXPECT_NEAR(back.y, at.y, 1);
    ASSERT_EQ(m_browsers->drops.size(), 1u);
    EXPECT_EQ(m_browsers->drops[0].centre, 1);
    EXPECT_EQ(m_doc.GetPlacement().inProgress, 0);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(HousViewPlacementTest, TheButtonReleaseOfADragPlacesTheEntry) {
    StartDrag(0, 100, 60, 80);
    wxMouseEvent up(wxEVT_LEFT_UP);
    up.SetPosition(Centre());
    up.SetEventObject(m_view);
    m_view->GetEventHandler()->ProcessEvent(up);
    EXPECT_EQ(Count(kModelObjectType), 1u);
    EXPECT_EQ(m_doc.GetPlacement().inProgress, 0);

    // Without a drag the release only ends a click.
    m_view->GetEventHandler()->ProcessEvent(up);
    EXPECT_EQ(Count(kModelObjectType), 1u);
}

TEST_F(HousViewPlacementTest, ASecondDropOnTheSamePointIsRefused) {
    m_browsers->hidePlaced = true;
    for (int drop = 0; drop < 2; ++drop) {
        StartDrag(0, 100, 60, 80);
        m_view->DropLibraryEntry(Centre().x - 150, Centre().y + 100);
    }
    EXPECT_EQ(Count(kModelObjectType), 1u);
    EXPECT_EQ(m_messages, std::vector<std::string>{"相同位置已有物件"});
    EXPECT_EQ(m_doc.GetPlacement().inProgress, 0);
}

TEST_F(HousViewPlacementTest, DropsWhileBusyOrBlockedPlaceNothing) {
    const struct {
        const char* name;
        int busy;
        bool blocked;
    } cases[] = {{"busy", 1, false}, {"input blocked", 0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_doc.SetBusy(c.busy);
        m_view->SetInputBlocked(c.blocked);
        StartDrag(0, 100, 60, 80);
        m_view->DropLibraryEntry(Centre().x, Centre().y);
        EXPECT_EQ(Count(kModelObjectType), 0u);
        EXPECT_TRUE(m_browsers->drops.empty());
        EXPECT_EQ(m_doc.GetPlacement().inProgress, 0);
    }
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(HousViewPlacementTest, ADropOnALampPlacesNothingAndSaysNothing) {
    CTest3DObject* lamp =
        AddBox(kModelObjectType, {250, 0, -700}, {350, 400, -600}, "/lib/03吊燈/lamp.qvx");
    StartDrag(0, 40, 40, 40);
    m_view->DropLibraryEntry(Centre().x, Centre().y);
    EXPECT_EQ(Count(kModelObjectType), 1u);
    EXPECT_EQ(m_view->GetScene()->Objects(kModelObjectType)[0], lamp);
    EXPECT_TRUE(m_browsers->drops.empty());
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_doc.GetPlacement().inProgress, 0);
}

TEST_F(HousViewPlacementTest, AModelDroppedOnAWallFacesOutAndStandsOnTheFloor) {
    // A wall across the view whose face towards the camera is at z = -500.
    AddBox(kWallObjectType, {-1000, -500, -500}, {1600, 900, -480});
    StartDrag(0, 100, 60, 80, "01沙發");
    m_view->DropLibraryEntry(Centre().x, Centre().y);

    ASSERT_EQ(Count(kModelObjectType), 1u);
    auto* placed = static_cast<C3DObject*>(m_view->GetScene()->Objects(kModelObjectType)[0]);
    // Half its depth out of the face, on floor level 0, turned to face away.
    EXPECT_NEAR(placed->GetPosition().z, -530.0f, 1e-3f);
    EXPECT_FLOAT_EQ(placed->GetPosition().y, 0.0f);
    EXPECT_NEAR(placed->GetPosition().x, 300.0f, 3.0f);
    EXPECT_NEAR(placed->GetHeading(), kPi, 1e-5);
}

TEST_F(HousViewPlacementTest, ACarpetDroppedOnAFloorLiesFlatOnIt) {
    CTest3DObject* floor = AddBox(kFloorObjectType, {-1000, -10, -2000}, {2000, 0, 2000});
    m_browsers->photoPath = "/lib/STPicture/地毯/rug.jpg";
    StartDrag(4, 100, 0.1f, 75);
    m_view->DropLibraryEntry(Centre().x, Centre().y);

    ASSERT_EQ(Count(kPhotoObjectType), 1u);
    auto* rug = static_cast<C3DObject*>(m_view->GetScene()->Objects(kPhotoObjectType)[0]);
    // The floor's height over its position, and a tenth above that.
    EXPECT_FLOAT_EQ(rug->GetPosition().y, floor->GetRealSize()[2] + 0.0f + 0.1f);
    EXPECT_NEAR(rug->GetElevation(), 4.71238898, 1e-6);
    EXPECT_NEAR(rug->GetHeading(), 0.0, 1e-6);
}

TEST_F(HousViewPlacementTest, ShadowPicturesGoUnderModelsAndBehindPosters) {
    CDesignScene& scene = *m_view->GetScene();
    m_view->OnAddShadowPicture();
    const std::filesystem::path shadow =
        m_programFolder.Path() / "STPicture" / "A02陰影圖" / "A0201001.qvp";
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], "Could find " + shadow.string());
    m_messages.clear();

    std::filesystem::create_directories(shadow.parent_path());
    std::ofstream(shadow, std::ios::binary) << "not a material file";
    CTest3DObject* chair =
        AddBox(kModelObjectType, {-50, 0, -30}, {50, 80, 30}, "/lib/01椅子/c.qvx");
    chair->SetPosition(100, 0, -200);
    CTest3DObject* poster =
        AddBox(kModelObjectType, {-40, 0, -1}, {40, 60, 1}, "/lib/08海報/p.qvx");
    poster->SetPosition(300, 150, -400);
    scene.Selected(kModelObjectType) = {chair, poster};

    m_view->OnAddShadowPicture();
    ASSERT_EQ(Count(kPhotoObjectType), 2u);
    ASSERT_EQ(m_browsers->pictureEntries.size(), 2u);
    EXPECT_EQ(m_browsers->pictureEntries[0].filePath, shadow.string());
    EXPECT_TRUE(m_view->GetShadowPictureEntry().filePath.empty());

    auto* lying = static_cast<C3DObject*>(scene.Objects(kPhotoObjectType)[0]);
    EXPECT_NEAR(lying->GetRealSize()[0], 140.0f, 1e-3f);
    EXPECT_NEAR(lying->GetRealSize()[2], 84.0f, 1e-3f);  // 1.4 x the depth
    EXPECT_NEAR(lying->GetPosition().z, -200.0f - 42.0f, 1e-3f);
    EXPECT_NEAR(lying->GetPosition().y, 0.1f, 1e-5f);
    EXPECT_NEAR(lying->GetElevation(), 1.5 * kPi, 1e-5);  // -pi/2 turned once
    EXPECT_NEAR(chair->GetPosition().y, 0.2f, 1e-5f);

    auto* upright = static_cast<C3DObject*>(scene.Objects(kPhotoObjectType)[1]);
    EXPECT_NEAR(upright->GetRealSize()[0], 112.0f, 1e-3f);
    EXPECT_NEAR(upright->GetRealSize()[2], 84.0f, 1e-3f);  // 1.4 x the height
    EXPECT_NEAR(upright->GetPosition().y, 150.0f - 12.0f, 1e-3f);
    EXPECT_NEAR(upright->GetElevation(), 0.0, 1e-6);
    EXPECT_NEAR(poster->GetPosition().z, -400.2f, 1e-3f);
}

TEST_F(HousViewPlacementTest, TheShadowCommandIsOnlyEnabledWithASelectedModel) {
    wxUpdateUIEvent update(context_menu::kAddShadowPicture);
    update.SetEventObject(m_view);
    m_view->GetEventHandler()->ProcessEvent(update);
    EXPECT_FALSE(update.GetEnabled());

    CTest3DObject* chair = AddBox(kModelObjectType, {-50, 0, -30}, {50, 80, 30});
    m_view->GetScene()->Selected(kModelObjectType) = {chair};
    wxUpdateUIEvent again(context_menu::kAddShadowPicture);
    again.SetEventObject(m_view);
    m_view->GetEventHandler()->ProcessEvent(again);
    EXPECT_TRUE(again.GetEnabled());
}

TEST_F(HousViewPlacementTest, TheShadowEntryIsReadOnlyFromPictureFiles) {
    image::CImage picture;
    ASSERT_TRUE(picture.Create(8, 6));
    const std::filesystem::path bmp = m_programFolder.Path() / "shade.BMP";
    ASSERT_TRUE(picture.Save(bmp.string(), image::ImageFormat::Bmp));
    ASSERT_TRUE(m_view->LoadShadowPictureEntry(bmp.string()));
    const PictureCatalogEntry& entry = m_view->GetShadowPictureEntry();
    EXPECT_EQ(entry.filePath, bmp.string());
    EXPECT_EQ(entry.name, "shade");
    EXPECT_DOUBLE_EQ(entry.width, 8.0);
    EXPECT_DOUBLE_EQ(entry.height, 6.0);

    const std::filesystem::path png = m_programFolder.Path() / "shade.png";
    ASSERT_TRUE(picture.Save(png.string(), image::ImageFormat::Png));
    EXPECT_FALSE(m_view->LoadShadowPictureEntry(png.string()));
    EXPECT_EQ(m_view->GetShadowPictureEntry().filePath, bmp.string());
}

}  // namespace
