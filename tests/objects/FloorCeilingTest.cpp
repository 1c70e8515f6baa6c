#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "FakeDocumentServices.h"
#include "SurfaceRecordBytes.h"
#include "document/DesignFileBytes.h"
#include "objects/CeilingObject.h"
#include "objects/FloorObject.h"
#include "objects/ObjectTypeCodes.h"

namespace {

constexpr draw::COLORREF kWallColour = 0x0000AA;
constexpr draw::COLORREF kFloorColour = 0x00BB00;

class ColouredDocument : public FakeDocumentServices {
public:
    draw::COLORREF GetPlanColor(PlanColorSetting setting) const override {
        switch (setting) {
            case PlanColorSetting::Wall:
                return kWallColour;
            case PlanColorSetting::Floor:
                return kFloorColour;
            default:
                return 0;
        }
    }
};

struct FlatRecordValues {
    double number = 0.0;
    std::array<float, 3> position = {0.0f, 0.0f, 0.0f};
    std::array<float, 3> realSize = {200.0f, 100.0f, 50.0f};  // x, z, y
};

// A square floor of side 100 with one red material, byte by byte from the
// layout.
std::string MakeFlatRecord(const FlatRecordValues& values) {
    DesignFileBytes fixed(260);
    fixed.Double(12, values.number);
    fixed.Floats(20, {values.position[0], values.position[1], values.position[2]});
    fixed.Int(52, 1).Int(56, 1);
    fixed.Int(144, 0x010203).Int(148, 0x040506).Float(152, 8.0f).Float(156, 20.0f);
    fixed.Int(160, 1).Int(164, 3).Int(168, 0x070809);
    fixed.Floats(172, {values.realSize[0], values.realSize[1], values.realSize[2]});
    fixed.Int(184, 1).Int(188, 0).Int(192, 1);

    ByteSink sink;
    sink.Raw(fixed.Str());
    sink.Int(4).Floats({0.0f, 0.0f, 0.0f, -100.0f, 100.0f, -100.0f, 100.0f, 0.0f});
    sink.Text("地板-0").Int(0).Int(0).Int(0);
    sink.Int(0);
    sink.Int(1).NameField("材質");
    sink.Floats({0.1f, 0.1f, 0.1f, 1.0f, 1.0f, 0.0f, 0.0f, 1.0f});
    sink.Floats({0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f});
    sink.Int(0).Int(4).Zeros(56);
    sink.Zeros(12);
    sink.Int(1).Int(0);
    return sink.Bytes();
}

class FloorCeilingTest : public testing::Test {
protected:
    ColouredDocument document;
    VersionedScene scene;
};

TEST_F(FloorCeilingTest, NewSurfacesTakeTheirDefaults) {
    const CFloorObject floor;
    const CCeilingObject ceiling;
    EXPECT_EQ(floor.GetType(), kFloorObjectType);
    EXPECT_EQ(floor.GetColor(), kFloorColour);
    EXPECT_EQ(floor.GetShadowReceiver(), 1);
    EXPECT_EQ(floor.GetReflective(), 1);
    EXPECT_EQ(ceiling.GetType(), kCeilingObjectType);
    EXPECT_EQ(ceiling.GetColor(), kWallColour);
    EXPECT_EQ(ceiling.GetShadowReceiver(), 0);
    EXPECT_EQ(ceiling.GetReflective(), 0);
}

TEST_F(FloorCeilingTest, HandMadeFloorAtOriginIsReadCompletely) {
    CFloorObject floor;
    const ReadOutcome outcome = ReadRecordBytes(floor, MakeFlatRecord({}));
    ASSERT_EQ(outcome.result, S_OK);
    ASSERT_FALSE(outcome.readerError);
    EXPECT_EQ(outcome.next, kSentinel);
    EXPECT_EQ(floor.GetColor(), 0x010203u);
    EXPECT_EQ(floor.GetFillColour(), 0x040506u);
    EXPECT_EQ(floor.GetPrice(), 20.0f);
    EXPECT_EQ(floor.GetFillMode(), 1);
    EXPECT_EQ(floor.GetHatchStyle(), 3);
    EXPECT_EQ(floor.GetHatchColour(), 0x070809u);
    EXPECT_EQ(floor.IsHidden(), 1);
    EXPECT_EQ(floor.GetPlanSymbolShown(), 1);
    EXPECT_EQ(floor.IsMirror(), 1);
    EXPECT_EQ(floor.GetName(), "地板-0");
    EXPECT_EQ(floor.GetBasePartCount(), 1);
    ASSERT_EQ(floor.GetMaterialCount(), 1);
    // Unlike a wall, a floor at the origin gets its materials and scale.
    EXPECT_EQ(floor.GetMaterial(0).diffuse.r, 1.0f);
    EXPECT_EQ(floor.GetMaterial(0).diffuse.g, 0.0f);
    EXPECT_EQ(floor.GetMaterial(0).power, 8.0f);
    EXPECT_EQ(floor.GetScale()[0], 2.0f);
}

TEST_F(FloorCeilingTest, HeightNeverScales) {
    for (const float realY : {0.0f, 50.0f, 280.0f}) {
        FlatRecordValues values;
        values.realSize = {100.0f, 300.0f, realY};
        CFloorObject floor;
        ASSERT_EQ(ReadRecordBytes(floor, MakeFlatRecord(values)).result, S_OK);
        EXPECT_EQ(floor.GetScale(), (std::array<float, 3>{1.0f, 1.0f, 3.0f})) << realY;
    }
}

TEST_F(FloorCeilingTest, FloorAndCeilingWriteTheSameRecord) {
    const std::string handMade = MakeFlatRecord({});
    CFloorObject floor;
    CCeilingObject ceiling;
    ASSERT_EQ(ReadRecordBytes(floor, handMade).result, S_OK);
    ASSERT_EQ(ReadRecordBytes(ceiling, handMade).result, S_OK);
    const std::string written = WriteRecordBytes(floor);
    EXPECT_EQ(WriteRecordBytes(ceiling), written);
    // Fixed block, outline, texts, lights and the material's name and
    // colours come back as laid out by hand.
    EXPECT_EQ(written.substr(0, 260 + 36 + 22 + 4 + 4 + 164),
              handMade.substr(0, 260 + 36 + 22 + 4 + 4 + 164));

    CCeilingObject again;
    const ReadOutcome outcome = ReadRecordBytes(again, written);
    ASSERT_EQ(outcome.result, S_OK);
    EXPECT_EQ(outcome.next, kSentinel);
    EXPECT_EQ(WriteRecordBytes(again), written);
}

TEST_F(FloorCeilingTest, LongTextureNameIsCutToTheField) {
    CFloorObject floor;
    floor.SetOutline({{0.0, 0.0}, {0.0, 100.0}, {100.0, 100.0}, {100.0, 0.0}});
    ASSERT_NE(floor.BuildMesh(0, 0.0f), 0);
    floor.TextureNames()[0] = "/" + std::string(120, 'f') + "/許功蓋.jpg";
    const std::string written = WriteRecordBytes(floor);
    // Fixed block, four outline points, four empty texts, no light, the count.
    constexpr std::size_t kNameOffset = 260 + 4 + 32 + 16 + 4 + 4;
    ASSERT_GT(written.size(), kNameOffset + 100);
    EXPECT_EQ(written.substr(kNameOffset, 100), "Z:\\" + std::string(97, 'f'));
}

TEST_F(FloorCeilingTest, StatusTextHasNoHeightLimits) {
    CFloorObject floor;
    floor.SetPosition(10.0f, 20.0f, -30.0f);
    EXPECT_EQ(floor.GetDescription(),
              "位置(10.0, 30.0) 高度20.0公分 方向角0.0度 仰角0.0度 側角0.0度");
}

}  // namespace
