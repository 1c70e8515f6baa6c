#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/ActiveDocumentServices.h"
#include "document/LibraryBrowserLink.h"
#include "foundation/ActiveDocument.h"
#include "library/LibraryDrag.h"
#include "library/TextureCatalogEntry.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/TextureMappingRecord.h"
#include "view3d/ShownViewFixture.h"
#include "view3d/SmallBmp.h"

namespace {

constexpr int kFacingSide = 5;
constexpr int kSideCount = 6;

// The texture browser as the view sees it: open or not, and the texture
// files it was asked to show.
class FakeTextureBrowser : public ILibraryBrowsers {
public:
    C3DObject* PlaceSelectedModel(const LibraryDropPoint& /*drop*/) override { return nullptr; }
    C3DObject* PlaceSelectedPhoto(const LibraryDropPoint& /*drop*/) override { return nullptr; }
    C3DObject* PlacePictureEntry(const PictureCatalogEntry& /*entry*/,
                                 const LibraryDropPoint& /*drop*/) override {
        return nullptr;
    }
    bool IsTextureBrowserShown() const override { return shown; }
    void SelectSurfaceTexture(const std::string& texturePath) override {
        selected.push_back(texturePath);
    }

    bool shown = false;
    std::vector<std::string> selected;
};

// A wall box in front of the camera and a texture entry of 60 x 30 cm tiles
// ready to be dragged out of the texture browser.
class HousViewTextureDropTest : public ShownViewTest {
protected:
    void SetUp() override {
        ShownViewTest::SetUp();
        // The objects record their material changes with the active design.
        SetActiveHousDocAccessor([this] { return &m_doc; });
        m_previousServices = SetDocumentServices(&m_services);
        m_doc.SetLibraryBrowsers(&m_browser);
        m_wall = AddBox(kWallObjectType, {-80, -50, 0}, {80, 50, 20});
        m_entry.filePath = (m_programFolder.Path() / "STexture" / "木紋" / "oak.bmp").string();
        m_entry.width = 60.0;
        m_entry.height = 30.0;
        m_entry.material.data = test_images::SmallBmp();
        m_view->RepaintNow();
        m_doc.SetDesignModified(0);
    }

    void TearDown() override {
        m_doc.SetLibraryBrowsers(nullptr);
        SetDocumentServices(m_previousServices);
        SetActiveHousDocAccessor({});
        ShownViewTest::TearDown();
    }

    [[nodiscard]] bool HasEntryTexture(int material) const {
        std::string name;
        m_wall->GetTextureName(material, name);
        const TextureMappingRecord& mapping = m_wall->GetMappingRecord(material);
        return name == m_entry.filePath && m_wall->GetTexture(material) != nullptr &&
               mapping.tileWidth == 60.0f && mapping.tileHeight == 30.0f;
    }

    [[nodiscard]] bool DragEnded() {
        const LibraryPlacement& placement = m_doc.GetPlacement();
        return placement.textureDrag == 0 && placement.textureDragCtrl == 0 &&
               placement.pendingTexturePath.empty() && placement.pendingTextureImage == nullptr;
    }

    [[nodiscard]] wxPoint WallPoint() const { return WindowPoint(0, 0, 0); }

    CActiveDocumentServices m_services;
    IDocumentServices* m_previousServices = nullptr;
    FakeTextureBrowser m_browser;
    CTest3DObject* m_wall = nullptr;
    TextureCatalogEntry m_entry;
};

TEST_F(HousViewTextureDropTest, APlainDropTexturesThePickedFaceInOneUndoStep) {
    StartTextureDrag(m_doc.GetPlacement(), m_entry, false);
    Mouse(wxEVT_LEFT_UP, WallPoint(), false);

    EXPECT_TRUE(HasEntryTexture(kFacingSide));
    for (int material = 0; material < kFacingSide; ++material) {
        EXPECT_EQ(m_wall->GetTexture(material), nullptr) << material;
    }
    EXPECT_EQ(m_doc.GetDesignModified(), 1);
    EXPECT_TRUE(DragEnded());
    EXPECT_EQ(SelectedCount(), 0u);
    EXPECT_TRUE(m_messages.empty());

    m_doc.Undo();
    EXPECT_EQ(m_wall->GetTexture(kFacingSide), nullptr);
    EXPECT_EQ(m_wall->GetMappingRecord(kFacingSide).tileWidth, 0.0f);
}

TEST_F(HousViewTextureDropTest, CtrlCoversEveryFaceAndShiftKeepsTopAndBottom) {
    struct Case {
        const char* name;
        bool ctrlAtPress;
        bool ctrlKey;
        bool shiftKey;
        // Let go over the browser, which hands the drop to the view.
        bool handedOver;
        int firstCovered;
    };
    const Case cases[] = {
        {"Ctrl at release", false, true, false, false, 0},
        {"Shift at release", false, false, true, false, 2},
        {"drag started with Ctrl, handed over", true, false, false, true, 0},
        {"plain drag, handed over", false, false, false, true, kFacingSide},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int material = 0; material < kSideCount; ++material) {
            m_wall->SetMaterialTexture(kWallObjectType, material, C3DObject::kNoTextureName,
                                       nullptr);
        }
        StartTextureDrag(m_doc.GetPlacement(), m_entry, c.ctrlAtPress);
        if (c.handedOver) {
            m_view->DropLibraryEntry(WallPoint().x, WallPoint().y);
        } else {
            Mouse(wxEVT_LEFT_UP, WallPoint(), false, c.ctrlKey, c.shiftKey);
        }
        for (int material = 0; material < kSideCount; ++material) {
            EXPECT_EQ(HasEntryTexture(material), material >= c.firstCovered) << material;
        }
        EXPECT_TRUE(DragEnded());
    }
}

TEST_F(HousViewTextureDropTest, DropsWhileBusyOrBlockedApplyNothingAndEndTheDrag) {
    const struct {
        const char* name;
        int busy;
        bool blocked;
    } cases[] = {{"busy", 1, false}, {"input blocked", 0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_doc.SetBusy(c.busy);
        m_view->SetInputBlocked(c.blocked);
        StartTextureDrag(m_doc.GetPlacement(), m_entry, false);
        m_view->DropLibraryEntry(WallPoint().x, WallPoint().y);
        EXPECT_EQ(m_wall->GetTexture(kFacingSide), nullptr);
        EXPECT_EQ(m_doc.GetDesignModified(), 0);
        EXPECT_TRUE(DragEnded());
        m_doc.SetBusy(0);
        m_view->SetInputBlocked(false);
    }
}

TEST_F(HousViewTextureDropTest, AClickOnATexturedFaceShowsItsTextureInTheOpenBrowser) {
    const std::vector<uint8_t> image = test_images::SmallBmp();
    m_wall->ApplyTextureFile(kWallObjectType, kFacingSide, m_entry.filePath, image.data(),
                             static_cast<uint32_t>(image.size()), nullptr);
    const wxPoint empty = WindowPoint(150, 0, 0);

    // A closed browser is not asked.
    Mouse(wxEVT_LEFT_DOWN, WallPoint(), true);
    Mouse(wxEVT_LEFT_UP, WallPoint(), false);
    EXPECT_TRUE(m_browser.selected.empty());

    m_browser.shown = true;
    Mouse(wxEVT_LEFT_DOWN, empty, true);
    Mouse(wxEVT_LEFT_UP, empty, false);
    EXPECT_TRUE(m_browser.selected.empty());
    Mouse(wxEVT_LEFT_DOWN, WallPoint(), true);
    Mouse(wxEVT_LEFT_UP, WallPoint(), false);
    EXPECT_EQ(m_browser.selected, std::vector<std::string>{m_entry.filePath});
}

}  // namespace
