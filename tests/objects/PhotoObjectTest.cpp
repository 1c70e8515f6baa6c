#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "FakeDocumentServices.h"
#include "SurfaceRecordBytes.h"
#include "foundation/MaterialPresets.h"
#include "foundation/Prompt.h"
#include "objects/2DPhotoIconShape.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/PhotoObject.h"
#include "platform/draw/RecordingDrawContext.h"
#include "platform/image/Image.h"
#include "support/ByteSink.h"
#include "support/TempFolder.h"

namespace {

// A scene that finds every picture where the record says it is.
class PictureScene : public VersionedScene {
public:
    HRESULT LocateMissingFile(int kind, std::string& /*path*/) override {
        located.push_back(kind);
        return S_OK;
    }
    std::vector<int> located;
};

struct PhotoRecordValues {
    bool withPath = true;
    bool shortMaterial = false;
};

// A photo record laid out field by field.
std::string MakePhotoRecord(const PhotoRecordValues& values) {
    ByteSink sink;
    sink.Int(0).Double(12.0);                  // facing viewer, number
    sink.Floats({150.0f, 90.0f, -240.0f});     // position
    sink.Floats({100.0f, 75.0f, 0.5f});        // width, height, heading
    sink.Ints({1, 0, 1, 0, 1});                // mirror images, shadow, receiver, reflective, blend
    sink.Floats({0.2f, 0.2f, 0.2f, 1.0f});     // object ambient
    sink.Floats({1.0f, 1.0f, 1.0f, 0.99f});    // diffuse
    sink.Floats({0.0f, 0.0f, 0.0f, 1.0f});     // specular
    sink.Floats({0.0f, 0.0f, 0.0f, 1.0f});     // emissive
    sink.Floats({0.0f, 1.0f, 0.0f, 0.3f});     // shadow parameters
    sink.Floats({8.0f, 250.0f});               // power, price
    sink.Int(1).Floats({0.25f, 0.0f});         // map kind, elevation, roll
    sink.Ints({1, 1, 800, 600, 0x00FF00, 0});  // symbol, outline, pixels, colour, hidden
    sink.Zeros(64);
    if (values.withPath) {
        sink.Text("Z:\\pics\\海報.jpg");
    }
    sink.Text("照片-12").Text("http://example.org").Text("").Text("備註");
    sink.Int(0);  // shadow lights
    sink.NameField("材質");
    sink.Floats({0.5f, 0.5f, 0.5f, 1.0f, 1.0f, 1.0f, 1.0f, 0.99f});
    sink.Floats({0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f});
    sink.Ints({1, 3});  // refine flag and level
    sink.Floats({0.0f, 0.0f, 0.0f}).Ints({0, 0}).Floats({0.0f, 0.0f}).Ints({0, 0}).Float(0.0f);
    if (!values.shortMaterial) {
        sink.Int(0).Floats({0.0f, 0.0f}).Int(0);
    }
    return sink.Bytes();
}

class PhotoObjectTest : public ::testing::Test {
protected:
    PhotoObjectTest()
        : handlers([this](const MessageRequest& request) {
              messages.push_back(request.text);
              return PromptAnswer::Ok;
          }) {}

    PictureScene scene;
    std::vector<std::string> messages;
    CScopedPromptHandlers handlers;
};

}  // namespace

TEST_F(PhotoObjectTest, HandLaidRecordReadsFieldByFieldAndWritesBackTheSameBytes) {
    const std::string record = MakePhotoRecord({});
    CPhotoObject photo;
    const ReadOutcome outcome = ReadRecordBytes(photo, record);
    ASSERT_EQ(outcome.result, S_OK);
    EXPECT_EQ(outcome.next, kSentinel);
    EXPECT_EQ(scene.located, std::vector<int>{kPhotoObjectType});

    EXPECT_EQ(photo.IsFacingViewer(), 0);
    EXPECT_EQ(photo.GetObjectNumber(), 12.0);
    EXPECT_EQ(photo.GetPictureSize(), (std::array<double, 2>{100.0, 75.0}));
    EXPECT_EQ(photo.GetRealSize()[1], CPhotoObject::kDepth);
    EXPECT_EQ(photo.GetScale(), (std::array<float, 3>{100.0f, 75.0f, 1.0f}));
    EXPECT_EQ(photo.GetExtent()[1], CPhotoObject::kDepth);
    EXPECT_EQ(photo.GetMapKind(), 1);
    EXPECT_EQ(photo.GetReflective(), 0);
    EXPECT_EQ(photo.GetBlend(), 1);
    EXPECT_EQ(photo.GetElevation(), 0.25);
    EXPECT_EQ(photo.GetPixelSize(), (std::array<int, 2>{800, 600}));
    EXPECT_EQ(photo.GetFilePath(), "/pics/海報.jpg");
    EXPECT_EQ(photo.GetName(), "照片-12");
    EXPECT_EQ(photo.GetNote(), "備註");
    EXPECT_EQ(photo.GetMaterialCount(), 1);
    EXPECT_EQ(photo.GetMaterial(0).power, 8.0f);
    EXPECT_EQ(photo.GetMaterial(0).diffuse.a, 0.99f);
    ASSERT_NE(photo.GetPlanIcon(), nullptr);
    EXPECT_EQ(photo.GetPlanIcon()->GetWidth(), 100);
    EXPECT_EQ(photo.GetPlanIcon()->GetOwnerObject(), &photo);

    EXPECT_TRUE(WriteRecordBytes(photo) == record);
}

TEST_F(PhotoObjectTest, RecordsOfOlderFilesHaveNoPathAndShowTheIconWithoutOutline) {
    struct Case {
        float version;
        PhotoRecordValues values;
        int outline;
    };
    for (const Case& c : {Case{6.00f, {false, true}, 0}, Case{6.04f, {true, true}, 1},
                          Case{6.05f, {true, false}, 1}}) {
        SCOPED_TRACE(c.version);
        scene.version = c.version;
        CPhotoObject photo;
        const ReadOutcome outcome = ReadRecordBytes(photo, MakePhotoRecord(c.values));
        ASSERT_EQ(outcome.result, S_OK);
        EXPECT_EQ(outcome.next, kSentinel);
        EXPECT_EQ(photo.GetPlanSymbolShown(), 1);
        EXPECT_EQ(photo.GetPlanOutlineShown(), c.outline);
        EXPECT_EQ(photo.GetFilePath().empty(), !c.values.withPath);
    }
}

TEST_F(PhotoObjectTest, RecordCutShortIsRefusedWithTheReadersErrorRaised) {
    const std::string record = MakePhotoRecord({});
    for (const std::size_t cut : {std::size_t{100}, std::size_t{250}, record.size() - 10}) {
        CPhotoObject photo;
        const ReadOutcome outcome = ReadRecordBytes(photo, record.substr(0, cut));
        // The sentinel fills part of the gap, so the cut shows as a failure
        // either way.
        EXPECT_TRUE(outcome.readerError || outcome.result != S_OK || outcome.next != kSentinel)
            << cut;
    }
}

TEST_F(PhotoObjectTest, CameraPhotoWritesNothingAndHasNoPlanBox) {
    CPhotoObject photo;
    ASSERT_EQ(photo.BuildMesh(), 1);
    photo.SetPosition(100.0f, 0.0f, -50.0f);
    EXPECT_EQ(photo.GetBoundingBox().minX, 100);
    photo.SetCameraAttached(1);

    FILE* file = std::tmpfile();
    CBinaryWriter writer(file);
    EXPECT_EQ(photo.Write(writer), S_FALSE);
    writer.Flush();
    EXPECT_EQ(std::ftell(file), 0);
    std::fclose(file);
    const CIntBoundingBox2D box = photo.GetBoundingBox();
    EXPECT_EQ(box.minX, 0);
    EXPECT_EQ(box.maxX, 0);
}

TEST_F(PhotoObjectTest, QuadIsOneUnitWithDepthAndTranslucentMaterial) {
    CPhotoObject photo;
    EXPECT_EQ(photo.GetPixelSize(), (std::array<int, 2>{0, 0}));
    ASSERT_EQ(photo.BuildMesh(), 1);
    EXPECT_EQ(photo.GetMaterialCount(), 1);
    EXPECT_EQ(photo.GetBasePartCount(), 1);
    EXPECT_EQ(photo.GetExtent(), (std::array<float, 3>{1.0f, CPhotoObject::kDepth, 1.0f}));
    EXPECT_EQ(photo.GetMaterial(0).diffuse.a, CPhotoObject::kPhotoAlpha);
    EXPECT_EQ(photo.GetTextureNames(), std::vector<std::string>{"材質"});
    photo.SetPictureSize(80.0f, 60.0f);
    EXPECT_EQ(photo.GetScale()[0], 80.0f);
    EXPECT_EQ(photo.GetScale()[1], 60.0f);
}

TEST_F(PhotoObjectTest, MapKindChoosesMaterialBlendingAndOutlineAndKeepsThePower) {
    CPhotoObject photo;
    ASSERT_EQ(photo.BuildMesh(), 1);
    gfx::Material material = photo.GetMaterial(0);
    material.power = 17.0f;
    photo.SetMaterial(0, material);
    struct Case {
        int kind;
        int blend;
        int outline;
    };
    for (const Case& c : {Case{1, 1, 1}, Case{2, 0, 1}, Case{0, 1, 0}}) {
        SCOPED_TRACE(c.kind);
        photo.SetMapKind(c.kind);
        EXPECT_EQ(photo.GetBlend(), c.blend);
        EXPECT_EQ(photo.GetPlanOutlineShown(), c.outline);
        EXPECT_EQ(photo.GetMaterial(0).power, 17.0f);
    }
    EXPECT_EQ(photo.GetMaterial(0).diffuse.a, 0.99f);
    EXPECT_EQ(photo.GetMaterial(0).diffuse.r, GetDefaultMaterial()->diffuse.r);
}

TEST_F(PhotoObjectTest, UnreadablePictureGivesNoSizeAndNoTextureWithAMessage) {
    TempFolder folder;
    const std::string broken = folder.Write("broken.jpg", "not a picture").string();
    for (const std::string& path : {broken, folder.Path().string() + "/missing.png"}) {
        SCOPED_TRACE(path);
        CPhotoObject photo;
        ASSERT_EQ(photo.BuildMesh(), 1);
        messages.clear();
        const LoadedPicture loaded = photo.LoadTexture(nullptr, 0, path);
        EXPECT_EQ(loaded.width, 0);
        EXPECT_EQ(loaded.height, 0);
        EXPECT_FALSE(loaded.textured);
        EXPECT_EQ(photo.GetTexture(0), nullptr);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], "找不到材質檔：" + path);
    }
}

TEST_F(PhotoObjectTest, OnlyAPickRayIntoTheFrontHits) {
    EXPECT_TRUE(CPhotoObject::IsFrontHit({0.0f, 0.0f, 1.0f}));
    EXPECT_TRUE(CPhotoObject::IsFrontHit({0.7f, -0.7f, 0.01f}));
    EXPECT_FALSE(CPhotoObject::IsFrontHit({0.0f, 0.0f, -1.0f}));
    EXPECT_FALSE(CPhotoObject::IsFrontHit({1.0f, 0.0f, 0.0f}));
}

TEST_F(PhotoObjectTest, TextureKeyIsTheBareFileName) {
    EXPECT_EQ(CPhotoObject::GetTextureKey("/home/u/STPicture/A01光圖/Light.JPG"), "Light.JPG");
    EXPECT_EQ(CPhotoObject::GetTextureKey("Poster.bmp"), "Poster.bmp");
}

TEST_F(PhotoObjectTest, PictureFoldersGiveTheMapKindAndPlainness) {
    struct Case {
        const char* path;
        int kind;
        int plain;
    };
    for (const Case& c : {Case{"/p/A01光圖/a.bmp", 1, 0}, Case{"/p/光圖/a.bmp", 1, 0},
                          Case{"/p/A02陰影圖/a.bmp", 2, 0}, Case{"/p/窗簾/a.bmp", 0, 0},
                          Case{"/p/地毯/a.bmp", 0, 0}, Case{"/p/地磚/a.bmp", 0, 0},
                          Case{"/p/海報/光圖.bmp", 0, 1}}) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(GetPictureMapKind(c.path), c.kind);
        EXPECT_EQ(IsPlainPicture(c.path), c.plain);
    }
}

TEST_F(PhotoObjectTest, CopyKeepsBlendMapKindAndPixelSize) {
    CPhotoObject photo;
    ASSERT_EQ(photo.BuildMesh(), 1);
    photo.SetMapKind(1);
    photo.SetPixelSize(640, 480);
    photo.SetFacingViewer(0);
    const auto copy = photo.Clone();
    const auto& copied = static_cast<const CPhotoObject&>(*copy);
    EXPECT_EQ(copied.GetBlend(), 1);
    EXPECT_EQ(copied.GetMapKind(), 1);
    EXPECT_EQ(copied.IsFacingViewer(), 0);
    EXPECT_EQ(copied.GetPixelSize(), (std::array<int, 2>{640, 480}));
    EXPECT_EQ(copied.GetType(), kPhotoObjectType);
}

TEST_F(PhotoObjectTest, TiltedPhotoDrawsItsFootprintAsAParallelogram) {
    FakeDocumentServices document;
    struct Case {
        float elevation;
        std::vector<std::array<int, 4>> lines;
    };
    const double thirtyDegrees = std::acos(-1.0) / 6.0;
    const Case cases[] = {
        {0.0f, {{150, 100, 250, 100}}},
        {static_cast<float>(thirtyDegrees),
         {{150, 100, 250, 100}, {150, 130, 250, 130}, {150, 100, 150, 130}, {250, 100, 250, 130}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.elevation);
        CPhotoObject photo;
        ASSERT_EQ(photo.BuildMesh(), 1);
        photo.SetPictureSize(100.0f, 60.0f);
        photo.SetRotation(0.0f, c.elevation, 0.0f);
        photo.SetPlanOutlineShown(1);
        auto icon = std::make_unique<C2DPhotoIconShape>();
        icon->SetSize(100, 100);
        icon->SetPosition(200.0, -100.0);
        photo.SetPlanIcon(std::move(icon));

        draw::RecordingDrawContext dc;
        photo.Draw(dc, draw::R2_COPYPEN);
        std::vector<std::array<int, 4>> lines;
        for (const draw::DrawRecord& record : dc.Records()) {
            ASSERT_EQ(record.points.size(), 2u);
            lines.push_back(
                {record.points[0].x, record.points[0].y, record.points[1].x, record.points[1].y});
        }
        EXPECT_EQ(lines, c.lines);
    }
}

TEST_F(PhotoObjectTest, ReadablePictureGivesItsSizeEvenWhereNoTextureCanBeMade) {
    image::CImage picture;
    ASSERT_TRUE(picture.Create(5, 3));
    TempFolder folder;
    for (const auto& [name, format] :
         {std::pair{"a.bmp", image::ImageFormat::Bmp}, std::pair{"b.png", image::ImageFormat::Png},
          std::pair{"c.jpg", image::ImageFormat::Jpg}}) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> bytes = picture.Encode(format).value();
        const std::string path =
            folder.Write(name, std::string(bytes.begin(), bytes.end())).string();
        CPhotoObject photo;
        ASSERT_EQ(photo.BuildMesh(), 1);
        messages.clear();
        // Without a device the texture fails, which is reported; the size
        // is the picture's.
        const LoadedPicture loaded = photo.LoadTexture(nullptr, 0, path);
        EXPECT_EQ(loaded.width, 5);
        EXPECT_EQ(loaded.height, 3);
        EXPECT_FALSE(loaded.textured);
        EXPECT_EQ(messages.size(), 1u);
    }
}
