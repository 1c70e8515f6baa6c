#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "FakeDocumentServices.h"
#include "FakeSceneServices.h"
#include "objects/CatalogDatabase.h"
#include "objects/CeilingObject.h"
#include "objects/CostItemRecord.h"
#include "objects/FloorObject.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"
#include "platform/draw/RecordingDrawContext.h"
#include "platform/text/Cp950.h"

namespace {

// A square of side 100 at plan point (10, 20), raised to 280; its outline
// turns counter-clockwise.
template <typename Surface>
std::unique_ptr<Surface> MakeSurface(int full = 1, float height = 280.0f) {
    auto surface = std::make_unique<Surface>();
    surface->SetPosition(10.0f, 0.0f, -20.0f);
    surface->SetOutline({{10.0, 20.0}, {10.0, 120.0}, {110.0, 120.0}, {110.0, 20.0}});
    EXPECT_NE(surface->BuildMesh(full, height), 0);
    surface->SetUniformScale(1.0f);
    surface->UpdatePlanOutline();
    return surface;
}

class WallTextsTest : public testing::Test {
protected:
    FakeDocumentServices document;
    FakeSceneServices scene;
};

TEST_F(WallTextsTest, NumberNamesTheSurface) {
    CWallObject wall;
    CFloorObject floor;
    CCeilingObject ceiling;
    wall.SetNumber(7);
    floor.SetNumber(8);
    ceiling.SetNumber(9);
    EXPECT_EQ(wall.GetName(), "牆-7");
    EXPECT_EQ(floor.GetName(), "地板-8");
    EXPECT_EQ(ceiling.GetName(), "天花板-9");
    EXPECT_EQ(ceiling.GetNumber(), 9);
}

TEST_F(WallTextsTest, DescriptionGivesLowerAndUpperLimits) {
    auto wall = MakeSurface<CWallObject>();
    EXPECT_EQ(wall->GetDescription(),
              "位置(10.0, 20.0) 高度(下界限0.0公分,上界限280.0公分) 方向角0.0度 仰角0.0度 "
              "側角0.0度");
}

TEST_F(WallTextsTest, PickedFaceSizeIsTheWholeFacesSize) {
    auto wall = MakeSurface<CWallObject>();
    wall->SetScale(2.0f, 1.0f, 1.0f);
    EXPECT_EQ(wall->FormatPickedFaceSize(0), ", 點選面寬200.0公分, 點選面高100.0公分.");
    EXPECT_EQ(wall->FormatPickedFaceSize(1), ", 點選面寬200.0公分, 點選面高100.0公分.");
    // Face 3 runs along x, which is stretched; face 2 along z.
    EXPECT_EQ(wall->FormatPickedFaceSize(2), ", 點選面寬100.0公分, 點選面高280.0公分.");
    EXPECT_EQ(wall->FormatPickedFaceSize(3), ", 點選面寬200.0公分, 點選面高280.0公分.");
}

TEST_F(WallTextsTest, WallPlanHasFootTopAndEdgesFlatSurfacesTheirOutline) {
    auto wall = MakeSurface<CWallObject>();
    ASSERT_EQ(wall->GetPlanOutline().size(), 12u);
    const CSegment2F& foot = wall->GetPlanOutline()[0];
    EXPECT_EQ(foot.start, CVector2F(10.0f, 20.0f));
    EXPECT_EQ(foot.end, CVector2F(10.0f, -80.0f));
    EXPECT_EQ(wall->GetPlanOutline()[1].end, CVector2F(10.0f, -80.0f));
    EXPECT_EQ(wall->GetPlanOutline()[2].end, CVector2F(10.0f, 20.0f));
    EXPECT_EQ(wall->GetBoundingBox(), (CIntBoundingBox2D{0, 10, -80, 110, 20}));

    auto floor = MakeSurface<CFloorObject>(0, 0.0f);
    ASSERT_EQ(floor->GetPlanOutline().size(), 4u);
    EXPECT_EQ(floor->GetPlanOutline()[2].start, CVector2F(110.0f, -80.0f));
    EXPECT_EQ(floor->GetBoundingBox(), wall->GetBoundingBox());

    EXPECT_EQ(CWallObject().GetBoundingBox(), CIntBoundingBox2D());
}

std::vector<draw::DrawRecord> Polygons(const draw::RecordingDrawContext& dc) {
    std::vector<draw::DrawRecord> polygons;
    std::copy_if(dc.Records().begin(), dc.Records().end(), std::back_inserter(polygons),
                 [](const draw::DrawRecord& r) { return r.op == draw::DrawOp::Polygon; });
    return polygons;
}

TEST_F(WallTextsTest, FillModeChoosesTheBrush) {
    const struct {
        int fillMode;
        int hatchStyle;
        int brushStyle;  // -1: nothing filled
    } cases[] = {
        {0, 1, -1}, {1, 1, draw::BS_SOLID}, {2, 3, draw::BS_HATCHED}, {2, 6, draw::BS_PATTERN},
        {3, 1, -1},
    };
    for (const auto& c : cases) {
        auto wall = MakeSurface<CFloorObject>(0, 0.0f);
        wall->SetFillMode(c.fillMode);
        wall->SetHatchStyle(c.hatchStyle);
        wall->SetHatchColour(0x00FF00);
        wall->SetFillColour(0x123456);
        draw::RecordingDrawContext dc;
        wall->Draw(dc, draw::R2_COPYPEN);
        const auto polygons = Polygons(dc);
        if (c.brushStyle < 0) {
            EXPECT_TRUE(polygons.empty()) << c.fillMode;
            continue;
        }
        ASSERT_EQ(polygons.size(), 1u) << c.fillMode;
        EXPECT_EQ(polygons[0].points.size(), 4u);
        const draw::Brush& brush = polygons[0].state.brush;
        EXPECT_EQ(brush.style, c.brushStyle) << c.fillMode << " " << c.hatchStyle;
        if (c.brushStyle == draw::BS_PATTERN) {
            ASSERT_NE(brush.pattern, nullptr);
            EXPECT_EQ(brush.pattern->width, 8);
            EXPECT_EQ(brush.pattern->height, 8);
        }
        // The DC gets its own brush back.
        EXPECT_EQ(dc.GetCurrentBrush(), draw::Brush::Stock(draw::WHITE_BRUSH));
    }
}

TEST_F(WallTextsTest, SelectedWallDrawsRedUnlessPrinted) {
    auto wall = MakeSurface<CWallObject>();
    wall->SetColor(0x0000AA);
    wall->SetSelected(1);
    for (const bool printing : {false, true}) {
        draw::RecordingDrawContext dc({1024, 768}, 96, printing);
        wall->Draw(dc, draw::R2_XORPEN);
        ASSERT_EQ(dc.Records().size(), 12u);
        EXPECT_EQ(dc.Records()[0].state.pen.color, printing ? 0x0000AAu : draw::Rgb(255, 0, 0));
        EXPECT_EQ(dc.Records()[0].state.rop2, draw::R2_XORPEN);
    }
    wall->SetPlanSymbolShown(0);
    draw::RecordingDrawContext dc;
    wall->Draw(dc, draw::R2_COPYPEN);
    EXPECT_TRUE(dc.Records().empty());
}

// A catalogue whose only texture is "oak.jpg" with the tile size given.
class FakeCatalogue : public CCatalogDatabase {
public:
    explicit FakeCatalogue(std::vector<std::string>* lookups, float tileWidth, float tileHeight)
        : m_lookups(lookups), m_tileWidth(tileWidth), m_tileHeight(tileHeight) {}
    int Open(const std::string&) override { return 1; }
    void Close() override {}
    bool IsOpen() const override { return true; }
    void ScanModelFolder(const std::string&, CatalogEntryList&) override {}
    void ScanPictureFolder(const std::string&, CatalogEntryList&) override {}
    void ScanTextureFolder(const std::string&, CatalogEntryList&) override {}
    void SetModelRate(const std::string&, int) override {}
    void SetPictureRate(const std::string&, int) override {}
    void SetTextureRate(const std::string&, int) override {}
    int SortModelsByRate(CatalogEntryList&) override { return 0; }
    int SortPicturesByRate(CatalogEntryList&) override { return 0; }
    int SortTexturesByRate(CatalogEntryList&) override { return 0; }
    int LookupTextureCostInfo(const std::string& fileName, CostItemRecord& item) override {
        m_lookups->push_back(fileName);
        item.name = "橡木";
        item.tileWidth = m_tileWidth;
        item.tileHeight = m_tileHeight;
        item.unitPrice = 12.0f;
        return 1;
    }

private:
    std::vector<std::string>* m_lookups;
    float m_tileWidth;
    float m_tileHeight;
};

class WallFaceInfoTest : public WallTextsTest {
protected:
    void UseCatalogue(float tileWidth, float tileHeight) {
        SetCatalogDatabaseFactory([this, tileWidth, tileHeight] {
            return std::make_unique<FakeCatalogue>(&lookups, tileWidth, tileHeight);
        });
    }
    ~WallFaceInfoTest() override { SetCatalogDatabaseFactory({}); }

    std::vector<std::string> lookups;
};

TEST_F(WallFaceInfoTest, UntexturedPartHasOnlyItsArea) {
    UseCatalogue(30.0f, 20.0f);
    auto wall = MakeSurface<CWallObject>();
    CostItemRecord item;
    item.name = "舊的";
    item.tileCount = 5;
    wall->GetFaceInfo(2, &item);
    EXPECT_FLOAT_EQ(item.area, 28000.0f);
    EXPECT_FLOAT_EQ(item.areaInPing, 28000.0f * 0.0001f * 0.3025f);
    EXPECT_EQ(item.textured, 0);
    EXPECT_EQ(item.name, "");
    EXPECT_EQ(item.tileCount, 0);
    EXPECT_TRUE(lookups.empty());
    wall->GetFaceInfo(2, nullptr);
}

TEST_F(WallFaceInfoTest, TexturedPartCountsTiles) {
    const struct {
        int part;
        float catalogueWidth;
        float catalogueHeight;
        int ownSize;  // the mapping's own 50 x 40 tile
        int32_t tiles;
        int32_t tilesByExtent;
    } cases[] = {
        // Side face 100 x 280: 28000 / 600 -> 47; 4 across, 14 up.
        {2, 30.0f, 20.0f, 0, 47, 56},
        // Top 100 x 100: 10000 / 600 -> 17; 4 along x, 5 along z.
        {0, 30.0f, 20.0f, 0, 17, 20},
        {2, 30.0f, 20.0f, 1, 14, 14},
        // No tile size: nothing to count, for either count.
        {2, 0.0f, 20.0f, 0, 0, 0},
        {2, 30.0f, 0.0f, 0, 0, 0},
    };
    for (const auto& c : cases) {
        lookups.clear();
        UseCatalogue(c.catalogueWidth, c.catalogueHeight);
        auto wall = MakeSurface<CWallObject>();
        wall->TextureNames()[c.part] = "/library/texture/oak.jpg";
        TextureMappingRecord mapping;
        mapping.tileFlag = c.ownSize;
        mapping.tileWidth = 50.0f;
        mapping.tileHeight = 40.0f;
        wall->SetMappingRecord(c.part, mapping);
        CostItemRecord item;
        wall->GetFaceInfo(c.part, &item);
        EXPECT_EQ(item.textured, 1);
        EXPECT_EQ(lookups, std::vector<std::string>{"oak.jpg"});
        EXPECT_EQ(item.name, "橡木");
        EXPECT_EQ(item.tileCount, c.tiles) << c.part << " " << c.catalogueWidth;
        EXPECT_EQ(item.tileCountByExtent, c.tilesByExtent) << c.part << " " << c.catalogueWidth;
    }
}

// Records an edit of the wall the way the property pages do.
template <typename Edit>
std::vector<std::unique_ptr<HistoryRecord>> RecordEdit(CWallObject& wall, Edit edit) {
    std::vector<std::unique_ptr<HistoryRecord>> pending;
    wall.PushUndoSnapshot(pending, 0, 1, kWallObjectType);
    edit(wall);
    std::vector<std::unique_ptr<HistoryRecord>> list;
    wall.CommitUndoSnapshot(list, std::move(pending.back()), 1);
    return list;
}

TEST_F(WallTextsTest, SnapshotsSeeTheWallsOwnSettings) {
    auto wall = MakeSurface<CWallObject>();
    EXPECT_TRUE(RecordEdit(*wall, [](CWallObject&) {}).empty());
    EXPECT_EQ(RecordEdit(*wall, [](CWallObject& w) { w.SetColor(0x0000FF); }).size(), 1u);
    EXPECT_EQ(RecordEdit(*wall, [](CWallObject& w) { w.SetReflective(1); }).size(), 1u);

    auto list = RecordEdit(*wall, [](CWallObject& w) {
        w.SetMirror(1);
        w.SetReflective(0);
    });
    ASSERT_EQ(list.size(), 1u);
    wall->RestoreColoursFromSnapshot(*std::get<std::unique_ptr<CObjectSnapshot>>(list[0]->before));
    EXPECT_EQ(wall->IsMirror(), 0);
    EXPECT_EQ(wall->GetReflective(), 1);
}

TEST_F(WallTextsTest, LongTextureNameKeepsDriveAndFileName) {
    auto wall = MakeSurface<CWallObject>();
    // 許 is B3 5C in CP950: its trail byte is a backslash.
    const std::string fileName = "許功蓋.jpg";
    wall->TextureNames()[0] = "/" + std::string(120, 'f') + "/" + fileName;
    const MaterialRecord record = wall->GetMaterialRecord(0);
    const std::string expected = "c:" + text::Utf8ToCp950(fileName).value();
    EXPECT_EQ(std::string(record.name.data(), expected.size()), expected);
    EXPECT_EQ(record.name[expected.size()], '\0');

    wall->TextureNames()[0] = "/" + std::string(200, 'g') + ".jpg";
    const MaterialRecord full = wall->GetMaterialRecord(0);
    const std::string cut = "c:" + std::string(98, 'g');
    EXPECT_EQ(std::string(full.name.data(), full.name.size()), cut);
}

}  // namespace
