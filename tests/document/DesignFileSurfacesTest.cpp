#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "DesignFileBytes.h"
#include "DesignFileFixture.h"
#include "foundation/Vector2D.h"
#include "objects/CeilingObject.h"
#include "objects/FloorObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/SurfaceRecordBytes.h"
#include "objects/WallObject.h"
#include "support/ByteSink.h"

namespace {

// An L-shaped room outline, clockwise on the plan as the plan tools store it.
std::vector<CVector2D> LOutline() {
    return {{0, 0}, {0, 300}, {200, 300}, {200, 150}, {400, 150}, {400, 0}};
}

class DesignFileSurfacesTest : public DesignFileTest {
protected:
    void SetUp() override {
        DesignFileTest::SetUp();
        planView.frame.SetWallBarText(IPlanFrame::kWallTopEdit, "260");
        planView.frame.SetWallBarText(IPlanFrame::kWallBottomEdit, "10");
        planView.frame.SetWallBarText(IPlanFrame::kWallThicknessEdit, "15");
    }

    // A wall, a floor and a ceiling of the outline, the wall with an
    // opening, a mapped part, a refined face and plan fill settings.
    void BuildRoom() {
        CWallObject* wall = scene->AddWallFromOutline(LOutline());
        ASSERT_NE(wall, nullptr);
        // Every field of the items differs from its default and from the
        // fields next to it, so that a field written in another's place shows.
        auto opening = std::make_unique<WallFaceItem>(3, 1, WallFaceItem::kPolygon);
        opening->SetCorners({40.0f, 0.0f}, {120.0f, 210.0f});
        opening->outline = {{40.0f, 0.0f}, {120.0f, 0.0f}, {80.0f, 210.0f}};
        opening->twinFace = 6;
        opening->anchor = {40.5f, 2.5f};
        opening->twinCreated = 1;
        wall->AddFaceItem(std::move(opening));
        auto split = std::make_unique<WallFaceItem>(4, 0, WallFaceItem::kHorizontalSplitLine);
        split->SetCorners({0.0f, 90.0f}, {100.0f, 90.0f});
        wall->AddFaceItem(std::move(split));
        TextureMappingRecord mapping;
        mapping.offsetU = 0.25f;
        mapping.rotation = 90.0f;
        wall->ApplyTextureMapping(2, mapping, false);
        // The faces are cut as the face editor leaves them.
        wall->RebuildFace(3);
        wall->RebuildFace(4);
        wall->MarkOpeningsApplied();
        wall->SetFaceRefineFlag(4, 1, 6);
        wall->SetFillMode(2);
        wall->SetHatchStyle(4);
        wall->SetNote("北面");
        ASSERT_NE(scene->AddFloorFromOutline(LOutline()), nullptr);
        ASSERT_NE(scene->AddCeilingFromOutline(LOutline()), nullptr);
    }

    std::vector<CWallObject*> Surfaces() {
        std::vector<CWallObject*> surfaces;
        for (const int type : {kWallObjectType, kFloorObjectType, kCeilingObjectType}) {
            for (CDesignObject* object : scene->Objects(type)) {
                surfaces.push_back(static_cast<CWallObject*>(object));
            }
        }
        return surfaces;
    }
};

bool SameMaterial(const MaterialRecord& a, const MaterialRecord& b) {
    return std::memcmp(&a, &b, sizeof(MaterialRecord)) == 0;
}

void ExpectSameSurface(const CWallObject& read, const CWallObject& built) {
    SCOPED_TRACE(built.GetName());
    EXPECT_EQ(read.GetType(), built.GetType());
    EXPECT_EQ(read.GetName(), built.GetName());
    EXPECT_EQ(read.GetNote(), built.GetNote());
    EXPECT_EQ(read.GetObjectNumber(), built.GetObjectNumber());
    EXPECT_EQ(read.GetPosition().x, built.GetPosition().x);
    EXPECT_EQ(read.GetPosition().y, built.GetPosition().y);
    EXPECT_EQ(read.GetPosition().z, built.GetPosition().z);
    EXPECT_EQ(read.GetRealSize(), built.GetRealSize());
    EXPECT_EQ(read.GetScale(), built.GetScale());
    EXPECT_EQ(read.GetColor(), built.GetColor());
    EXPECT_EQ(read.GetFillColour(), built.GetFillColour());
    EXPECT_EQ(read.GetFillMode(), built.GetFillMode());
    EXPECT_EQ(read.GetHatchStyle(), built.GetHatchStyle());
    EXPECT_EQ(read.GetReflective(), built.GetReflective());
    EXPECT_EQ(read.GetShadowReceiver(), built.GetShadowReceiver());
    EXPECT_EQ(read.GetOutline(), built.GetOutline());
    EXPECT_EQ(read.GetMeshVertices().size(), built.GetMeshVertices().size());
    EXPECT_EQ(read.GetMeshIndices(), built.GetMeshIndices());
    EXPECT_EQ(read.GetFloorIndex(), built.GetFloorIndex());
    ASSERT_EQ(read.GetPlanOutline().size(), built.GetPlanOutline().size());
    ASSERT_EQ(read.GetMaterialCount(), built.GetMaterialCount());
    for (int part = 0; part < built.GetMaterialCount(); ++part) {
        EXPECT_TRUE(SameMaterial(read.GetMaterialRecord(part), built.GetMaterialRecord(part)))
            << "part " << part;
    }
    ASSERT_EQ(read.GetFaceItems().size(), built.GetFaceItems().size());
    for (auto r = read.GetFaceItems().begin(), b = built.GetFaceItems().begin();
         r != read.GetFaceItems().end(); ++r, ++b) {
        EXPECT_EQ((*r)->face, (*b)->face);
        EXPECT_EQ((*r)->cutOut, (*b)->cutOut);
        EXPECT_EQ((*r)->kind, (*b)->kind);
        EXPECT_EQ((*r)->firstCorner, (*b)->firstCorner);
        EXPECT_EQ((*r)->secondCorner, (*b)->secondCorner);
        EXPECT_EQ((*r)->outline, (*b)->outline);
        EXPECT_EQ((*r)->twinFace, (*b)->twinFace);
        EXPECT_EQ((*r)->anchor, (*b)->anchor);
        EXPECT_EQ((*r)->twinCreated, (*b)->twinCreated);
    }
}

// One material block: a face's untextured one or a cut part's own.
void AppendMaterial(ByteSink& sink, std::string_view name, float shade, int refineFlag) {
    sink.NameField(name);
    sink.Floats({shade, shade, shade, 1.0f, shade, 0.5f, 0.25f, 1.0f});
    sink.Floats({0.5f, 0.5f, 0.5f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f});
    sink.Int(refineFlag).Int(refineFlag != 0 ? 6 : 4);
    // Mapping: offset u, v, rotation, flips, tile size, tile and bump flags,
    // bump amplitude, then the seam block.
    sink.Floats({0.25f * shade, 0.5f, 0.0f}).Int(0).Int(0).Floats({50.0f, 40.0f}).Int(1).Int(0);
    sink.Float(0.0f).Int(1).Floats({0.2f, 0.3f}).Int(0x00808080);
}

// A wall, floor or ceiling of a 400 by 300 room as a file stores it after
// its faces were cut: items on its faces, and two parts beyond its faces
// with their own materials and centres.
std::string CutSurfaceRecord(int type, double number, std::string_view name) {
    const bool wall = type == kWallObjectType;
    const float height = wall ? 250.0f : 0.0f;
    const float lower = type == kCeilingObjectType ? 260.0f : 10.0f;
    DesignFileBytes fixed(260);
    fixed.Float(0, 0.0f).Float(4, height).Double(12, number);
    fixed.Floats(20, {0.0f, lower, 0.0f});
    fixed.Floats(64, {0.1f, 0.1f, 0.1f, 1.0f, 0.9f, 0.8f, 0.7f, 1.0f});
    fixed.Floats(96, {0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f});
    fixed.Floats(128, {1.0f, 2.0f, 3.0f, 0.5f});
    fixed.Int(144, 0x112233).Int(148, 0x445566).Float(152, 12.5f);
    if (wall) {
        fixed.Floats(160, {400.0f, 300.0f, height}).Int(172, 2).Int(176, 4).Int(180, 0xFF);
    } else {
        fixed.Int(160, 1).Int(164, 1).Int(168, 0xFF).Floats(172, {400.0f, 300.0f, height});
        fixed.Int(56, type == kFloorObjectType ? 1 : 0);
        fixed.Int(52, type == kFloorObjectType ? 1 : 0);
    }

    ByteSink sink;
    sink.Raw(fixed.Str());
    sink.Int(4).Floats({0.0f, 0.0f, 0.0f, -300.0f, 400.0f, -300.0f, 400.0f, 0.0f});
    sink.Text(name).Int(0).Int(0).Int(0);
    sink.Int(0);  // shadow lights
    const int faces = wall ? 6 : 1;
    constexpr int kCutParts = 2;
    sink.Int(faces + kCutParts);
    for (int face = 0; face < faces; ++face) {
        AppendMaterial(sink, "材質", 0.5f, 0);
    }
    AppendMaterial(sink, "oak.jpg", 0.75f, 1);
    AppendMaterial(sink, "磁磚.bmp", 1.0f, 0);
    sink.Zeros(12).Int(faces);
    // An opening with a twin on the far face and a split area on one face.
    sink.Int(2);
    sink.Int(wall ? 3 : 0).Int(1).Int(WallFaceItem::kRectangle);
    sink.Floats({40.0f, 0.0f, 120.0f, 210.0f});
    sink.Zeros(4).Int(0).Int(wall ? 5 : -1).Floats({40.0f, 2.5f}).Int(1);
    sink.Int(wall ? 2 : 0).Int(0).Int(WallFaceItem::kPolygon);
    sink.Floats({10.0f, 10.0f, 90.0f, 90.0f});
    sink.Zeros(4).Int(3).Floats({10.0f, 10.0f, 90.0f, 10.0f, 50.0f, 90.0f});
    sink.Int(-1).Floats({0.0f, 0.0f}).Int(0);
    if (wall) {
        sink.Int(0);  // mirror flag
    }
    sink.Floats({80.0f, 105.0f, -1.5f, 50.0f, height, -36.5f});
    return sink.Bytes();
}

// A wall numbered 5 whose outline has no point: it has no mesh to build.
std::string MeshlessWallRecord() {
    DesignFileBytes fixed(260);
    fixed.Float(4, 250.0f).Double(12, 5.0).Floats(20, {100.0f, 0.0f, 0.0f});
    fixed.Floats(160, {100.0f, 20.0f, 250.0f});
    ByteSink sink;
    sink.Raw(fixed.Str()).Int(0);             // no outline points
    sink.Int(0).Int(0).Int(0).Int(0).Int(0);  // texts, shadow lights
    sink.Int(0).Zeros(12).Int(0).Int(0);      // materials, legacy arrays, faces, items
    sink.Int(0);                              // mirror flag
    return sink.Bytes();
}

}  // namespace

TEST_F(DesignFileSurfacesTest, WhatRecordsTellTheUserWaitsUntilTheFileIsWhole) {
    const std::string front = WriteDesignBytes().substr(0, 2300);
    const std::string meshless = MeshlessWallRecord();
    ByteSink whole;
    whole.Raw(front).Int(0).Int(0).Int(2).Raw(meshless).Raw(meshless);
    whole.Int(0).Int(0).Int(0).Int(0).Zeros(9 * 4).Int(0xE002).Int(0);
    // The same walls, then a third that the file no longer holds.
    ByteSink cut;
    cut.Raw(front).Int(0).Int(0).Int(3).Raw(meshless).Raw(meshless);

    const OpenState before = Capture();
    messages.clear();
    EXPECT_FALSE(Read(cut.Bytes()));
    EXPECT_EQ(messages, std::vector<std::string>{"設計案檔案已損壞，無法讀取。"});
    EXPECT_TRUE(Capture() == before);

    messages.clear();
    ASSERT_TRUE(Read(whole.Bytes()));
    // Both walls failed to build: the user hears it once, after the read.
    EXPECT_EQ(std::count(messages.begin(), messages.end(), "模型重建失敗"), 1)
        << testing::PrintToString(messages);
}

TEST_F(DesignFileSurfacesTest, RoomSavedAndReadBackEqualFieldByField) {
    BuildRoom();
    const std::string bytes = WriteDesignBytes();
    // Keep what was built out of the scene, which the read replaces.
    std::vector<std::unique_ptr<CDesignObject>> built;
    for (CWallObject* surface : Surfaces()) {
        built.emplace_back(surface);
    }
    for (const int type : {kWallObjectType, kFloorObjectType, kCeilingObjectType}) {
        scene->Objects(type).clear();
    }
    doc->ClearHistoryList(0);
    messages.clear();
    ASSERT_TRUE(Read(bytes));

    const std::vector<CWallObject*> read = Surfaces();
    ASSERT_EQ(read.size(), built.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        ExpectSameSurface(*read[i], static_cast<const CWallObject&>(*built[i]));
    }
    // The opening comes back cut, with nothing to tell the user.
    EXPECT_TRUE(messages.empty()) << testing::PrintToString(messages);
    // The floor makes a storey the wall stands on.
    EXPECT_EQ(read[0]->GetFloorIndex(), read[1]->GetFloorIndex());
    // Written again, the design gives the same bytes after the header
    // (whose turn step a load sets).
    const std::string again = WriteDesignBytes().substr(200);
    const std::string_view sections = std::string_view(bytes).substr(200);
    ASSERT_EQ(again.size(), sections.size());
    EXPECT_TRUE(again == sections)
        << "first difference at "
        << 200 +
               (std::mismatch(again.begin(), again.end(), sections.begin()).first - again.begin());
}

TEST_F(DesignFileSurfacesTest, HandLaidDesignOfVersion600WithAFloorIsRead) {
    // A 6.00 file: materials of 212 bytes, no part centres.
    DesignFileBytes header(200);
    header.Float(0, 6.00f)
        .Floats(16, {0.0f, 0.0f, 1.0f})
        .Floats(56, {0.0f, 1.0f, 0.0f})
        .Floats(68, {3000.0f, 3000.0f, 50.0f, 0.0f, 1.0f, 0.0f, 1.0f});
    DesignFileBytes fixed(260);
    fixed.Float(4, 0.0f).Double(12, 9.0).Floats(20, {100.0f, 5.0f, -50.0f});
    fixed.Int(144, 0x0000FF).Int(148, 0x00FF00);
    fixed.Floats(172, {300.0f, 200.0f, 0.0f});
    ByteSink file;
    file.Raw(header.Str());            // a 6.00 front is its header alone
    file.Int(0).Int(0).Int(0).Int(1);  // lights, models, walls, one floor
    file.Raw(fixed.Str());
    file.Int(4).Floats({0.0f, 0.0f, 0.0f, -200.0f, 300.0f, -200.0f, 300.0f, 0.0f});
    file.Text("地板-9").Int(0).Int(0).Int(0);
    file.Int(0);                    // shadow lights
    file.Int(1).NameField("材質");  // one material, short form
    file.Floats({0.2f, 0.2f, 0.2f, 1.0f, 0.5f, 0.5f, 0.5f, 1.0f});
    file.Floats({0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f});
    file.Int(0).Int(4).Zeros(40);
    file.Zeros(12).Int(1).Int(0);  // legacy arrays, face count, no items
    file.Int(0).Int(0).Int(0);     // ceilings, texts, photos
    file.Zeros(9 * 4);             // plan sections
    ASSERT_TRUE(Read(file.Bytes()));

    ASSERT_EQ(scene->Objects(kFloorObjectType).size(), 1u);
    const auto* floor = static_cast<CFloorObject*>(scene->Objects(kFloorObjectType)[0]);
    EXPECT_EQ(floor->GetName(), "地板-9");
    EXPECT_EQ(floor->GetObjectNumber(), 9.0);
    EXPECT_EQ(floor->GetPosition().x, 100.0f);
    EXPECT_EQ(floor->GetPosition().z, -50.0f);
    EXPECT_EQ(floor->GetColor(), 0x0000FFu);
    EXPECT_EQ(floor->GetScale()[0], 1.0f);
    EXPECT_EQ(floor->GetScale()[2], 1.0f);
    EXPECT_EQ(floor->GetScale()[1], 1.0f);
    ASSERT_EQ(floor->GetMaterialCount(), 1);
    EXPECT_EQ(floor->GetMaterial(0).diffuse.r, 0.5f);
}

TEST_F(DesignFileSurfacesTest, DamagedSurfaceRecordsAreRefusedWithTheOpenDesignKept) {
    BuildRoom();
    const std::string good = WriteDesignBytes();
    const OpenState before = Capture();
    // The wall record starts after the front and two empty section counts;
    // its outline count follows 260 bytes of fixed fields.
    const std::size_t outlineCount = 2300 + 3 * 4 + 260;
    auto withInt = [&](std::size_t offset, int32_t value) {
        std::string bytes = good;
        ByteSink patch;
        patch.Int(value);
        bytes.replace(offset, 4, patch.Bytes());
        return bytes;
    };
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"outline count far beyond the file", withInt(outlineCount, 0x7FFFFFF0)},
        {"negative outline count", withInt(outlineCount, -3)},
        {"cut inside the wall", good.substr(0, outlineCount + 40)},
        {"cut inside the floor", good.substr(0, good.size() / 2)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages.clear();
        EXPECT_FALSE(Read(c.bytes));
        EXPECT_EQ(messages.size(), 1u);
        EXPECT_TRUE(Capture() == before);
    }
}

TEST_F(DesignFileSurfacesTest, SelectedWallTravelsThroughTheSelectionExport) {
    BuildRoom();
    // Stored from the camera's eye and placed back from it.
    view3D.eye = {10.0f, 20.0f, 30.0f};
    CDesignObject* wall = scene->Objects(kWallObjectType)[0];
    scene->SelectObject(kWallObjectType, wall);
    const std::string exported = ExportSelection();
    ASSERT_FALSE(exported.empty());
    messages.clear();
    ASSERT_TRUE(Import(exported));
    ASSERT_EQ(scene->Objects(kWallObjectType).size(), 2u);
    const auto* copy = static_cast<CWallObject*>(scene->Objects(kWallObjectType)[1]);
    ExpectSameSurface(*copy, *static_cast<CWallObject*>(wall));
    EXPECT_EQ(scene->Selected(kWallObjectType).back(), copy);
}

TEST_F(DesignFileSurfacesTest, SurfacesOpenWithTheirItemsCutAndAreWrittenBackAlike) {
    // The front as this program writes it for an empty design, the turn
    // step as a load sets it.
    view.state.turnStep = 0.5f;
    const std::string front = WriteDesignBytes().substr(0, 2300);
    ByteSink design;
    design.Raw(front).Int(0).Int(0);  // lights, models
    design.Int(1).Raw(CutSurfaceRecord(kWallObjectType, 1.0, "牆-1"));
    design.Int(1).Raw(CutSurfaceRecord(kFloorObjectType, 2.0, "地板-2"));
    design.Int(1).Raw(CutSurfaceRecord(kCeilingObjectType, 3.0, "天花板-3"));
    design.Int(0).Int(0).Zeros(9 * 4);  // 3D texts, photos, plan sections
    design.Int(0xE002).Int(0);          // wireframe off
    messages.clear();
    ASSERT_TRUE(Read(design.Bytes()));
    ASSERT_EQ(Surfaces().size(), 3u);
    EXPECT_TRUE(messages.empty()) << testing::PrintToString(messages);
    // Each split area became a part of its own with the material stored
    // for it; the parts the file has beyond them are kept.
    for (const CWallObject* surface : Surfaces()) {
        EXPECT_EQ(surface->GetMaterialCount(), surface->GetBasePartCount() + 1);
        EXPECT_EQ(surface->GetTextureNames().back(), "oak.jpg");
        for (const auto& item : surface->GetFaceItems()) {
            EXPECT_EQ(item->applied, 1);
        }
    }

    const std::string once = WriteDesignBytes();
    ASSERT_EQ(once.size(), design.Bytes().size());
    ASSERT_TRUE(Read(once));
    EXPECT_TRUE(WriteDesignBytes() == once);
    // A copy of a surface, as pasted, keeps the cut parts too: all that
    // follows the fixed block is the same.
    const CWallObject& floor = *Surfaces()[1];
    const std::unique_ptr<CDesignObject> copy = floor.Clone();
    EXPECT_EQ(WriteRecordBytes(*copy).substr(260), WriteRecordBytes(floor).substr(260));
}
