#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "document/ActiveDocumentServices.h"
#include "document/EditMode.h"
#include "foundation/ActiveDocument.h"
#include "foundation/WallFaceItem.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/TestWall.h"
#include "objects/TextureMappingRecord.h"
#include "view3d/ShownViewFixture.h"
#include "view3d/SmallBmp.h"

namespace {

constexpr int kFacingSide = 5;

using test_images::SmallBmp;

// Two walls side by side in front of the camera; the left one's facing
// side carries a wood texture with its own mapping and colours.
class HousViewCopyTextureTest : public ShownViewTest {
protected:
    void SetUp() override {
        ShownViewTest::SetUp();
        // The objects record their material changes with the active design,
        // as in the program.
        SetActiveHousDocAccessor([this] { return &m_doc; });
        m_previousServices = SetDocumentServices(&m_services);
        m_source = AddBox(kWallObjectType, {-180, -50, 0}, {-20, 50, 20});
        m_target = AddBox(kWallObjectType, {20, -50, 0}, {180, 50, 20});
        m_texturePath = (m_programFolder.Path() / "wood.bmp").string();
        const std::vector<uint8_t> image = SmallBmp();
        std::ofstream(m_texturePath, std::ios::binary)
            .write(reinterpret_cast<const char*>(image.data()),
                   static_cast<std::streamsize>(image.size()));
        m_source->ApplyTextureFile(kWallObjectType, kFacingSide, m_texturePath, image.data(),
                                   static_cast<uint32_t>(image.size()), nullptr);
        m_mapping.tileWidth = 50.0f;
        m_mapping.tileHeight = 40.0f;
        m_mapping.rotation = 90.0f;
        m_source->ApplyTextureMapping(kFacingSide, m_mapping, false);
        m_colors = m_source->GetMaterial(kFacingSide);
        m_colors.diffuse = {0.5f, 0.25f, 0.75f, 1.0f};
        m_source->SetMaterial(kFacingSide, m_colors);
        m_view->RepaintNow();
        m_doc.SetEditMode(EditMode::kCopyTexture);
        m_doc.SetDesignModified(0);
    }

    void TearDown() override {
        SetDocumentServices(m_previousServices);
        SetActiveHousDocAccessor({});
        ShownViewTest::TearDown();
    }

    [[nodiscard]] bool HasCopy(const C3DObject& object, int material) const {
        std::string name;
        object.GetTextureName(material, name);
        return name == m_texturePath && object.GetTexture(material) != nullptr &&
               object.GetMappingRecord(material).tileWidth == m_mapping.tileWidth &&
               object.GetMappingRecord(material).rotation == m_mapping.rotation &&
               object.GetMaterial(material).diffuse.b == m_colors.diffuse.b;
    }

    [[nodiscard]] wxPoint SourcePoint() const { return WindowPoint(-100, 0, 0); }
    [[nodiscard]] wxPoint TargetPoint() const { return WindowPoint(100, 0, 0); }

    CActiveDocumentServices m_services;
    IDocumentServices* m_previousServices = nullptr;
    CTest3DObject* m_source = nullptr;
    CTest3DObject* m_target = nullptr;
    std::string m_texturePath;
    TextureMappingRecord m_mapping;
    gfx::Material m_colors;
};

TEST_F(HousViewCopyTextureTest, ADragCopiesTheFaceTextureOntoTheFaceItEndsOn) {
    Drag(SourcePoint(), TargetPoint());

    EXPECT_TRUE(HasCopy(*m_target, kFacingSide));
    for (int material = 0; material < kFacingSide; ++material) {
        EXPECT_EQ(m_target->GetTexture(material), nullptr) << material;
    }
    EXPECT_EQ(m_doc.GetDesignModified(), 1);
    // The copy ends with the release and leaves nothing selected.
    EXPECT_FALSE(m_view->IsTextureCopyPending());
    EXPECT_TRUE(m_doc.GetCopiedSurface().texturePath.empty());
    EXPECT_EQ(SelectedCount(), 0u);
    EXPECT_TRUE(m_messages.empty());

    // One undo step takes the copy back.
    m_doc.Undo();
    std::string name;
    m_target->GetTextureName(kFacingSide, name);
    EXPECT_EQ(name, "");
    EXPECT_EQ(m_target->GetTexture(kFacingSide), nullptr);
    EXPECT_EQ(m_target->GetMappingRecord(kFacingSide).tileWidth, 0.0f);
}

TEST_F(HousViewCopyTextureTest, CtrlCoversEveryFaceAndShiftKeepsTopAndBottom) {
    struct Case {
        bool control;
        bool shift;
        int firstCovered;
    };
    for (const Case c : {Case{true, false, 0}, Case{false, true, 2}}) {
        for (int material = 0; material < 6; ++material) {
            m_target->SetMaterialTexture(kWallObjectType, material, C3DObject::kNoTextureName,
                                         nullptr);
        }
        m_doc.SetEditMode(EditMode::kCopyTexture);
        Drag(SourcePoint(), TargetPoint(), c.control, c.shift);
        for (int material = 0; material < 6; ++material) {
            EXPECT_EQ(HasCopy(*m_target, material), material >= c.firstCovered)
                << c.firstCovered << " " << material;
        }
    }
}

TEST_F(HousViewCopyTextureTest, ReleasingOverTheSourceFaceOrLeavingTheModeCopiesNothing) {
    Drag(SourcePoint(), SourcePoint());
    EXPECT_FALSE(HasCopy(*m_target, kFacingSide));
    EXPECT_EQ(m_doc.GetDesignModified(), 0);

    // The right button leaves the mode and drops the copy taken.
    Mouse(wxEVT_LEFT_DOWN, SourcePoint(), true);
    EXPECT_TRUE(m_view->IsTextureCopyPending());
    Mouse(wxEVT_RIGHT_DOWN, SourcePoint(), true);
    EXPECT_EQ(m_doc.GetEditMode(), EditMode::kNone);
    EXPECT_FALSE(m_view->IsTextureCopyPending());
    Mouse(wxEVT_LEFT_UP, TargetPoint(), false);
    EXPECT_FALSE(HasCopy(*m_target, kFacingSide));
}

// Split lines taken from face 3 of a square wall.
class HousViewSplitLinesTest : public ShownViewTest {
protected:
    void SetUp() override {
        ShownViewTest::SetUp();
        ASSERT_EQ(m_wall.Build(CTestWall::Square(100), 200.0f), 1);
        ASSERT_EQ(m_other.Build(CTestWall::Square(100), 200.0f), 1);
        CopiedSurface& copied = m_doc.GetCopiedSurface();
        copied.splitLines = {Line(WallFaceItem::kHorizontalSplitLine, 80.0f),
                             Line(WallFaceItem::kHorizontalSplitLine, 150.0f),
                             Line(WallFaceItem::kVerticalSplitLine, 50.0f),
                             Line(WallFaceItem::kHorizontalSplitLine, 250.0f)};
        copied.sourceObject = &m_wall;
        copied.sourceIndex = 3;
    }

    static std::shared_ptr<WallFaceItem> Line(int kind, float at) {
        auto item = std::make_shared<WallFaceItem>(3, 0, kind);
        item->firstCorner = {at, at};
        item->secondCorner = {at + 10.0f, at};
        return item;
    }

    CTestWall m_wall;
    CTestWall m_other;
};

TEST_F(HousViewSplitLinesTest, OnlyHorizontalLinesBelowTheTopGoToAnotherSideFace) {
    for (const int part : {0, 1, 3}) {
        EXPECT_TRUE(m_view->GetPastableSplitLines(m_wall, part).empty()) << part;
    }
    const std::vector<WallFaceItem> pasted = m_view->GetPastableSplitLines(m_wall, 4);
    ASSERT_EQ(pasted.size(), 2u);
    EXPECT_EQ(pasted[0].face, 4);
    EXPECT_EQ(pasted[0].firstCorner.y, 80.0f);
    EXPECT_EQ(pasted[1].firstCorner.y, 150.0f);
    EXPECT_EQ(pasted[0].applied, 0);

    // Face 3 of another wall is not the source face; a line it already has
    // at the same height is not pasted twice.
    auto existing = std::make_unique<WallFaceItem>(3, 0, WallFaceItem::kHorizontalSplitLine);
    existing->firstCorner = {0.0f, 150.0f};
    m_other.AddFaceItem(std::move(existing));
    const std::vector<WallFaceItem> onOther = m_view->GetPastableSplitLines(m_other, 3);
    ASSERT_EQ(onOther.size(), 1u);
    EXPECT_EQ(onOther[0].firstCorner.y, 80.0f);
}

TEST_F(HousViewSplitLinesTest, ADragTakesTheSplitLinesOfThePickedWallFace) {
    auto* wall = new CTestWall;
    ASSERT_EQ(wall->Build(CTestWall::Square(100), 200.0f), 1);
    // Each side face has one split line, at ten times its face number.
    for (int face = 2; face < 6; ++face) {
        auto item = std::make_unique<WallFaceItem>(face, 0, WallFaceItem::kHorizontalSplitLine);
        item->firstCorner = {0.0f, 10.0f * static_cast<float>(face)};
        item->applied = 1;
        wall->AddFaceItem(std::move(item));
    }
    wall->UpdateWorldMatrix();
    m_view->GetScene()->AddObjectIfAbsent(kWallObjectType, wall);
    m_doc.SetEditMode(EditMode::kCopySplitLine);
    const wxPoint onWall = WindowPoint(50, 100, -50);

    Mouse(wxEVT_LEFT_DOWN, onWall, true);
    const CopiedSurface& copied = m_doc.GetCopiedSurface();
    EXPECT_EQ(copied.splitCopyActive, 1);
    EXPECT_EQ(copied.sourceObject, wall);
    ASSERT_EQ(copied.splitLines.size(), 1u);
    EXPECT_GE(copied.sourceIndex, 2);
    EXPECT_EQ(copied.splitLines[0]->firstCorner.y, 10.0f * static_cast<float>(copied.sourceIndex));
    EXPECT_EQ(copied.splitLines[0]->applied, 0);

    // Let go over the same face: nothing to paste, and the copy ends.
    EXPECT_TRUE(m_view->GetPastableSplitLines(*wall, copied.sourceIndex).empty());
    Mouse(wxEVT_LEFT_UP, onWall, false);
    EXPECT_EQ(copied.splitCopyActive, 0);
    EXPECT_TRUE(copied.splitLines.empty());
    EXPECT_EQ(wall->GetFaceItems().size(), 4u);
}

}  // namespace

// The side faces (or all faces) take the picked face's one texture and
// mapping; one undo step gives every face its own state back.
TEST_F(HousViewCopyTextureTest, PickedTextureGoesOverTheFacesSharingOneTexture) {
    for (const int first : {2, 0}) {
        SCOPED_TRACE(first);
        const wxPoint source = SourcePoint();
        ASSERT_EQ(m_view->PickAndSelect(source.x, source.y, 0).object, m_source);
        gfx::Texture* texture = m_source->GetTexture(kFacingSide);
        ASSERT_NE(texture, nullptr);

        m_view->ApplyPickedTextureToFaces(first);
        for (int material = 0; material < kFacingSide; ++material) {
            const bool covered = material >= first;
            EXPECT_EQ(m_source->GetTexture(material) == texture, covered) << material;
            EXPECT_EQ(m_source->GetMappingRecord(material).rotation == m_mapping.rotation, covered)
                << material;
        }
        m_doc.Undo();
        for (int material = 0; material < kFacingSide; ++material) {
            EXPECT_EQ(m_source->GetTexture(material), nullptr) << material;
        }
        EXPECT_EQ(m_source->GetTexture(kFacingSide), texture);
    }
}
