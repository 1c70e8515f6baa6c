#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/ApplicationValues.h"
#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "foundation/GeometryMath.h"
#include "foundation/Prompt.h"
#include "objects/2DDxfIconShape.h"
#include "objects/2DImageShape.h"
#include "objects/2DLightIconShape.h"
#include "objects/2DModelIconShape.h"
#include "objects/2DPhotoIconShape.h"
#include "objects/DocumentServices.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/draw/RecordingDrawContext.h"
#include "platform/fs/StoredPath.h"
#include "platform/image/Image.h"
#include "support/TempFolder.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Little-endian record bytes, laid out by hand.
class CRecordBytes {
public:
    CRecordBytes& Byte(uint8_t value) {
        m_bytes.push_back(value);
        return *this;
    }
    CRecordBytes& Int(int32_t value) {
        for (int i = 0; i < 4; ++i) {
            m_bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i)));
        }
        return *this;
    }
    CRecordBytes& Double(double value) {
        const auto bits = std::bit_cast<uint64_t>(value);
        for (int i = 0; i < 8; ++i) {
            m_bytes.push_back(static_cast<uint8_t>(bits >> (8 * i)));
        }
        return *this;
    }
    CRecordBytes& String(const std::string& ascii) {
        Int(static_cast<int32_t>(ascii.size()));
        m_bytes.insert(m_bytes.end(), ascii.begin(), ascii.end());
        return *this;
    }
    const Bytes& Get() const { return m_bytes; }

private:
    Bytes m_bytes;
};

Bytes WriteRecord(const CDesignObject& object) {
    FILE* file = std::tmpfile();
    CBinaryWriter writer(file);
    EXPECT_EQ(object.Write(writer), S_OK);
    writer.Flush();
    Bytes bytes(static_cast<std::size_t>(std::ftell(file)));
    std::rewind(file);
    EXPECT_EQ(std::fread(bytes.data(), 1, bytes.size(), file), bytes.size());
    std::fclose(file);
    return bytes;
}

HRESULT ReadRecord(CDesignObject& object, const Bytes& bytes) {
    FILE* file = std::tmpfile();
    if (!bytes.empty()) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
    }
    std::rewind(file);
    CBinaryReader reader(file);
    const HRESULT result = object.Read(reader);
    std::fclose(file);
    return result;
}

const char* const kSymbolDxf =
    "0\r\nSECTION\r\n2\r\nHEADER\r\n9\r\n$EXTMIN\r\n10\r\n-10\r\n20\r\n-5\r\n"
    "9\r\n$EXTMAX\r\n10\r\n10\r\n20\r\n5\r\n0\r\nENDSEC\r\n"
    "0\r\nSECTION\r\n2\r\nENTITIES\r\n"
    "0\r\nLINE\r\n10\r\n-10\r\n20\r\n-5\r\n11\r\n10\r\n21\r\n5\r\n"
    "0\r\nPOINT\r\n10\r\n5\r\n20\r\n0\r\n"
    "0\r\nENDSEC\r\n0\r\nEOF\r\n";

// The same drawing with no HEADER: its extents stay 0 by 0.
const char* const kHeaderlessDxf =
    "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n-10\n20\n-5\n11\n10\n21\n5\n0\nENDSEC\n0\nEOF\n";

class CTestDocument : public IDocumentServices {
public:
    PlanDrawOrigin GetPlanDrawOrigin(const draw::DrawContext& /*dc*/) const override {
        return origin;
    }
    bool Get2DViewFullDrawFlag() const override { return fullDraw; }
    draw::COLORREF GetPlanColor(PlanColorSetting setting) const override {
        return draw::Rgb(10, 20, static_cast<uint8_t>(setting));
    }
    std::string Get2DIconFolder() const override { return iconFolder; }
    void AddMissingFile(std::string_view path) override { missing.emplace_back(path); }

    PlanDrawOrigin origin{0, 0, 100};
    bool fullDraw = true;
    std::string iconFolder;
    std::vector<std::string> missing;
};

class PictureShapeTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path program = m_folder.Path() / "program";
        std::filesystem::create_directories(program / "2DIcon");
        m_previousFolder = GetProgramFolder();
        SetProgramFolder(program);
        m_document.iconFolder = (program / "2DIcon").string();
        m_previousServices = SetDocumentServices(&m_document);
    }
    void TearDown() override {
        SetDocumentServices(m_previousServices);
        SetProgramFolder(m_previousFolder);
    }

    std::string WriteFile(const std::filesystem::path& relative, const Bytes& bytes) {
        const std::filesystem::path path = m_folder.Path() / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
    std::string WriteText(const std::filesystem::path& relative, const std::string& text) {
        return WriteFile(relative, Bytes(text.begin(), text.end()));
    }
    std::string WriteBmp(const std::filesystem::path& relative, int width, int height) {
        image::CImage picture;
        EXPECT_TRUE(picture.Create(width, height));
        return WriteFile(relative, picture.Encode(image::ImageFormat::Bmp).value());
    }

    CTestDocument m_document;

private:
    TempFolder m_folder;
    std::string m_previousFolder;
    IDocumentServices* m_previousServices = nullptr;
};

void ExpectSameSymbol(const CDxfSymbol& a, const CDxfSymbol& b) {
    ASSERT_EQ(a.GetPoints().size(), b.GetPoints().size());
    for (std::size_t i = 0; i < a.GetPoints().size(); ++i) {
        EXPECT_EQ(a.GetPoints()[i], b.GetPoints()[i]);
    }
    ASSERT_EQ(a.GetLines().size(), b.GetLines().size());
    for (std::size_t i = 0; i < a.GetLines().size(); ++i) {
        EXPECT_EQ(a.GetLines()[i].start, b.GetLines()[i].start);
        EXPECT_EQ(a.GetLines()[i].end, b.GetLines()[i].end);
    }
}

void ExpectFinite(const CDxfSymbol& symbol) {
    for (const CVector2D& p : symbol.GetPoints()) {
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    }
    for (const CDxfSymbol::Line& line : symbol.GetLines()) {
        EXPECT_TRUE(std::isfinite(line.start.x) && std::isfinite(line.start.y));
        EXPECT_TRUE(std::isfinite(line.end.x) && std::isfinite(line.end.y));
    }
}

TEST_F(PictureShapeTest, KindsTakeTheirTypeAndColourSetting) {
    struct Case {
        std::unique_ptr<C2DPictureShape> shape;
        int type;
        int32_t kind;
        draw::COLORREF color;
    };
    Case cases[] = {
        {std::make_unique<C2DModelIconShape>(), kModelIconShapeType, 1,
         m_document.GetPlanColor(PlanColorSetting::Furniture)},
        {std::make_unique<C2DLightIconShape>(), kLightIconShapeType, 2,
         m_document.GetPlanColor(PlanColorSetting::Light)},
        {std::make_unique<C2DDxfIconShape>(), kDxfIconShapeType, 3,
         m_document.GetPlanColor(PlanColorSetting::Dxf)},
        {std::make_unique<C2DImageShape>(), kImageShapeType, 4, 0},
        {std::make_unique<C2DPhotoIconShape>(), kPhotoIconShapeType, 5,
         m_document.GetPlanColor(PlanColorSetting::Photo)},
    };
    CDesignObject owner;
    for (Case& c : cases) {
        EXPECT_EQ(c.shape->GetType(), c.type);
        EXPECT_EQ(c.shape->GetKind(), c.kind);
        EXPECT_EQ(c.shape->GetColor(), c.color) << c.kind;
        c.shape->SetOwnerObject(&owner);
        const bool ownedKind = c.kind == 1 || c.kind == 2 || c.kind == 5;
        EXPECT_EQ(c.shape->GetOwnerObject(), ownedKind ? &owner : nullptr) << c.kind;
        EXPECT_EQ(c.shape->Clone()->GetType(), c.type);
        if (ownedKind) {
            CBinaryWriter writer(static_cast<FILE*>(nullptr));
            EXPECT_EQ(c.shape->Write(writer), E_NOTIMPL);
        }
    }
}

TEST_F(PictureShapeTest, SymbolIsFittedCentredFlippedAndTurned) {
    C2DModelIconShape icon;
    icon.LoadSymbolFile(WriteText("program/2DIcon/bed.dxf", kSymbolDxf));
    icon.SetPosition(100, -200);
    icon.SetSize(40, 20);  // twice the 20 x 10 extents
    const auto& line = icon.GetPlacedSymbol().GetLines().at(0);
    EXPECT_EQ(line.start, CVector2D(80.0, 210.0));
    EXPECT_EQ(line.end, CVector2D(120.0, 190.0));

    // A quarter turn counter-clockwise on the plan.
    icon.SetAngle(kPi / 2);
    const auto& turned = icon.GetPlacedSymbol().GetLines().at(0);
    EXPECT_NEAR(turned.start.x, 110.0, 1e-9);
    EXPECT_NEAR(turned.start.y, 220.0, 1e-9);
    EXPECT_EQ(icon.GetPlacedSymbol().GetPoints().at(0), CVector2D(100.0, 190.0));
}

TEST_F(PictureShapeTest, MovingTranslatesWhileResizingTurningAndMirroringRender) {
    C2DLightIconShape icon;
    icon.LoadSymbolFile(WriteText("program/2DIcon/L1.dxf", kSymbolDxf));
    icon.SetSize(20, 10);
    icon.SetPosition(0, 0);
    // Translations accumulate on the placed symbol; a render starts again
    // from the source, so both must agree.
    icon.MoveBy(5.5f, -2.0f);
    icon.SetPosition(30, -40);
    const CDxfSymbol moved = icon.GetPlacedSymbol();
    icon.RenderSymbol();
    ExpectSameSymbol(moved, icon.GetPlacedSymbol());
    EXPECT_EQ(icon.GetPosition(), CVector2D(30.0, 40.0));

    icon.MirrorSymbol(1);
    EXPECT_EQ(icon.GetPlacedSymbol().GetLines().at(0).start, CVector2D(40.0, 45.0));
    icon.MirrorSymbol(1);
    ExpectSameSymbol(moved, icon.GetPlacedSymbol());
    EXPECT_EQ(icon.GetSourceSymbol().GetLines().at(0).start, CVector2D(-10.0, -5.0));
}

TEST_F(PictureShapeTest, SymbolWithoutExtentsKeepsItsSizeInsteadOfBecomingNaN) {
    C2DDxfIconShape icon;
    icon.LoadSymbolFromMemory(
        std::span(reinterpret_cast<const uint8_t*>(kHeaderlessDxf), std::strlen(kHeaderlessDxf)));
    ASSERT_EQ(icon.GetSourceSymbol().GetWidth(), 0.0);
    icon.SetPosition(100, -100);
    icon.SetSize(50, 50);
    icon.SetAngle(kPi);
    ExpectFinite(icon.GetPlacedSymbol());
    const auto& line = icon.GetPlacedSymbol().GetLines().at(0);
    EXPECT_NEAR(line.start.x, 110.0, 1e-9);
    EXPECT_NEAR(line.start.y, 95.0, 1e-9);
}

TEST_F(PictureShapeTest, GeometryRecordsAndDragsUsePlanPoints) {
    C2DPhotoIconShape icon;
    icon.LoadSymbolFile(WriteText("program/2DIcon/100-1.dxf", kSymbolDxf));
    icon.SetSize(20, 10);
    icon.SetPosition(10.4, -20.6);
    std::unique_ptr<ShapeGeometryRecord> record = icon.CopyGeometry();
    EXPECT_EQ(record->values, (std::array<int32_t, 8>{10, -21, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(icon.GetBoundingBox(), (CIntBoundingBox2D{0, 10, 21, 10, 21}));

    icon.SavePosition();
    icon.MoveFromSavedPosition(0.0f, 0.0f);
    EXPECT_EQ(icon.GetPosition(), CVector2D(10.4, 20.6));
    icon.MoveFromSavedPosition(0.6f, -0.4f);
    EXPECT_EQ(icon.GetPosition(), CVector2D(11.0, 21.0));

    icon.RestoreGeometry(*record);
    EXPECT_EQ(icon.GetPosition(), CVector2D(10.0, 21.0));
    icon.RenderSymbol();
    EXPECT_EQ(icon.GetPlacedSymbol().GetLines().at(0).start, CVector2D(0.0, 26.0));
}

TEST_F(PictureShapeTest, HitTestsGoThroughThePlacedSymbol) {
    C2DDxfIconShape icon;
    icon.LoadSymbolFile(WriteText("program/2DIcon/s.dxf", kSymbolDxf));
    icon.SetSize(20, 10);
    icon.SetPosition(100, -100);  // drawing (100, 100); the line runs (90, 105)-(110, 95)
    EXPECT_EQ(icon.HitTestPoint({100, 100}, 1), 1);
    EXPECT_EQ(icon.HitTestPoint({100, 110}, 1), 0);
    EXPECT_EQ(icon.HitTestPoint({105, 99}, 0), 1);  // the point entity at (105, 100)
    // Selection rectangles come in plan coordinates.
    EXPECT_EQ(icon.HitTestRect(CRect2D(95, -95, 96, -90)), 0);
    EXPECT_EQ(icon.HitTestRect(CRect2D(95, -90, 105, -110)), 1);
    EXPECT_EQ(icon.HitTestRect(CRect2D(95, 90, 105, 110)), 0);
}

TEST_F(PictureShapeTest, SelectedPictureIsRedOnScreenAndKeepsTheMixMode) {
    C2DDxfIconShape icon;
    icon.LoadSymbolFile(WriteText("program/2DIcon/s.dxf", kSymbolDxf));
    icon.SetSize(20, 10);
    icon.SetPosition(100, -100);
    icon.SetColor(draw::Rgb(0, 128, 0));
    icon.SetSelected(1);
    m_document.origin = {50, 60, 100};
    for (bool printing : {false, true}) {
        draw::RecordingDrawContext dc({400, 400}, 96, printing);
        dc.SetROP2(draw::R2_XORPEN);
        icon.Draw(dc, draw::R2_COPYPEN);
        const draw::COLORREF expected = printing ? draw::Rgb(0, 128, 0) : draw::Rgb(255, 0, 0);
        ASSERT_EQ(dc.Records().size(), 2u);
        const draw::DrawRecord& pixel = dc.Records()[0];
        EXPECT_EQ(pixel.points[0], (draw::Point{55, 40}));
        EXPECT_EQ(pixel.color, expected);
        const draw::DrawRecord& line = dc.Records()[1];
        EXPECT_EQ(line.points, (std::vector<draw::Point>{{40, 45}, {60, 35}}));
        EXPECT_EQ(line.state.pen.color, expected);
        EXPECT_EQ(line.state.rop2, draw::R2_XORPEN);
    }
}

TEST_F(PictureShapeTest, DxfIconRecordRoundTripsByteForByte) {
    const std::string path = WriteText("program/2DIcon/chairs/chair.dxf", kSymbolDxf);
    C2DDxfIconShape icon;
    icon.LoadSymbolFileAndRender(path);
    icon.SetOnAllFloors(1);
    icon.SetColor(0x00112233);
    icon.SetLevelHeight(250.5);
    icon.SetSize(40, 30);
    icon.SetAngle(kPi / 2);
    icon.SetPosition(12, -34);
    icon.SetSelected(1);

    const Bytes expected = CRecordBytes()
                               .Byte(0)
                               .Int(1)
                               .Int(0x00112233)
                               .Double(kPi / 2)
                               .Double(250.5)
                               .Int(30)  // height before width
                               .Int(40)
                               .Int(12)
                               .Int(-34)
                               .String(pfs::ToStoredPath(path))
                               .Get();
    EXPECT_EQ(WriteRecord(icon), expected);

    C2DDxfIconShape read;
    EXPECT_EQ(ReadRecord(read, expected), S_OK);
    EXPECT_EQ(read.IsSelected(), 0);
    EXPECT_EQ(read.GetSourcePath(), path);
    EXPECT_EQ(read.GetWidth(), 40);
    EXPECT_EQ(read.GetHeight(), 30);
    EXPECT_EQ(read.GetPosition(), CVector2D(12.0, 34.0));
    ExpectSameSymbol(read.GetPlacedSymbol(), icon.GetPlacedSymbol());
    EXPECT_EQ(WriteRecord(read), expected);
    EXPECT_TRUE(m_document.missing.empty());
}

TEST_F(PictureShapeTest, DxfIconIsFoundAgainByNameOrKeptAsMissing) {
    const std::string moved = WriteText("program/2DIcon/sofas/Sofa.DXF", kSymbolDxf);
    const CRecordBytes fields =
        CRecordBytes().Byte(0).Int(0).Int(0).Double(0).Double(0).Int(10).Int(20).Int(5).Int(5);
    auto record = [&](const std::string& stored) {
        return CRecordBytes(fields).String(stored).Get();
    };

    C2DDxfIconShape found;
    EXPECT_EQ(ReadRecord(found, record("C:\\Program\\2DIcon\\sofa.dxf")), S_OK);
    EXPECT_EQ(found.GetSourcePath(), moved);
    EXPECT_EQ(found.GetPlacedSymbol().GetLines().size(), 1u);

    C2DDxfIconShape missing;
    const Bytes gone = record("C:\\Program\\2DIcon\\gone.dxf");
    EXPECT_EQ(ReadRecord(missing, gone), S_OK);
    EXPECT_EQ(m_document.missing, std::vector<std::string>{"C:\\Program\\2DIcon\\gone.dxf"});
    EXPECT_TRUE(missing.GetPlacedSymbol().GetLines().empty());
    EXPECT_EQ(missing.HitTestPoint({5, -5}, 100), 0);
    // Saved again under the name the design gave.
    EXPECT_EQ(WriteRecord(missing), gone);

    C2DDxfIconShape empty;
    EXPECT_EQ(ReadRecord(empty, record("")), E_UNEXPECTED);
    EXPECT_EQ(empty.GetWidth(), 20);
}

TEST_F(PictureShapeTest, ImageRecordRoundTripsByteForByte) {
    const std::string path = WriteBmp("pictures/plan.BMP", 3, 2);
    C2DImageShape picture;
    ASSERT_EQ(picture.LoadImageFile(path), S_OK);
    picture.SetNaturalSize(3, 2);
    picture.SetSize(30, 20);
    picture.SetPosition(-7, 8);
    picture.SetLevelHeight(-12.25);
    picture.SetOnAllFloors(1);
    picture.SetMoveLock(1);
    picture.SetColor(draw::Rgb(1, 2, 3));
    picture.SetAngle(1.0);

    const Bytes expected = CRecordBytes()
                               .Byte(0)
                               .Int(1)  // move lock
                               .Int(0)
                               .Int(1)
                               .Int(0)
                               .Double(-12.25)
                               .Int(20)  // height before width
                               .Int(30)
                               .Int(2)
                               .Int(3)
                               .Int(-7)
                               .Int(8)
                               .String(pfs::ToStoredPath(path))
                               .Get();
    EXPECT_EQ(WriteRecord(picture), expected);

    C2DImageShape read;
    read.SetSelected(1);
    EXPECT_EQ(ReadRecord(read, expected), S_OK);
    EXPECT_EQ(read.IsSelected(), 0);
    EXPECT_TRUE(read.HasImage());
    EXPECT_EQ(read.GetImage().GetSize(), (draw::Size{3, 2}));
    EXPECT_EQ(read.GetMoveLock(), 1);
    EXPECT_EQ(read.GetNaturalWidth(), 3);
    EXPECT_EQ(read.GetNaturalHeight(), 2);
    EXPECT_EQ(read.GetPosition(), CVector2D(-7.0, -8.0));
    EXPECT_EQ(WriteRecord(read), expected);

    std::unique_ptr<CDesignObject> clone = read.Clone();
    EXPECT_EQ(WriteRecord(*clone), expected);
    EXPECT_TRUE(dynamic_cast<C2DImageShape&>(*clone).HasImage());
}

TEST_F(PictureShapeTest, DamagedRecordsAreRefused) {
    const std::string path = WriteBmp("pictures/p.bmp", 2, 2);
    C2DImageShape picture;
    ASSERT_EQ(picture.LoadImageFile(path), S_OK);
    const Bytes image = WriteRecord(picture);
    C2DDxfIconShape icon;
    icon.LoadSymbolFileAndRender(WriteText("program/2DIcon/s.dxf", kSymbolDxf));
    const Bytes symbol = WriteRecord(icon);

    // Every cut short of the whole record fails; none crashes.
    for (std::size_t n = 0; n < image.size(); ++n) {
        C2DImageShape read;
        EXPECT_TRUE(FAILED(ReadRecord(read, Bytes(image.begin(), image.begin() + n)))) << n;
    }
    for (std::size_t n = 0; n < symbol.size(); ++n) {
        C2DDxfIconShape read;
        EXPECT_TRUE(FAILED(ReadRecord(read, Bytes(symbol.begin(), symbol.begin() + n)))) << n;
    }

    // A path length far beyond the file.
    Bytes hostile(image.begin(), image.begin() + 49);
    const Bytes length = CRecordBytes().Int(0x7FFFFFF0).Get();
    hostile.insert(hostile.end(), length.begin(), length.end());
    hostile.push_back('x');
    C2DImageShape read;
    EXPECT_EQ(ReadRecord(read, hostile), E_FAIL);
}

TEST_F(PictureShapeTest, MissingPictureComesFromTheFallbackFolderOrFails) {
    const std::string fallback = WriteBmp("program/2dmap/der6era/Hall.bmp", 4, 4);
    const CRecordBytes fields = CRecordBytes()
                                    .Byte(0)
                                    .Int(0)
                                    .Int(0)
                                    .Int(0)
                                    .Int(0)
                                    .Double(0)
                                    .Int(4)
                                    .Int(4)
                                    .Int(4)
                                    .Int(4)
                                    .Int(0)
                                    .Int(0);
    auto record = [&](const std::string& stored) {
        return CRecordBytes(fields).String(stored).Get();
    };
    std::vector<std::string> messages;
    CScopedPromptHandlers prompts([&](const MessageRequest& request) {
        messages.push_back(request.text);
        return PromptAnswer::Ok;
    });

    C2DImageShape moved;
    EXPECT_EQ(ReadRecord(moved, record("D:\\old\\Hall.bmp")), S_OK);
    EXPECT_EQ(moved.GetSourcePath(), fallback);
    EXPECT_TRUE(moved.HasImage());
    EXPECT_TRUE(messages.empty());

    C2DImageShape gone;
    EXPECT_EQ(ReadRecord(gone, record("D:\\old\\gone.bmp")), E_FAIL);
    EXPECT_EQ(messages, std::vector<std::string>{"檔案D:\\old\\gone.bmp不存在!"});
    EXPECT_EQ(m_document.missing, std::vector<std::string>{"D:\\old\\gone.bmp"});
}

TEST_F(PictureShapeTest, PictureThatCannotBeDecodedFails) {
    std::vector<std::string> messages;
    CScopedPromptHandlers prompts([&](const MessageRequest& request) {
        messages.push_back(request.text);
        return PromptAnswer::Ok;
    });
    C2DImageShape picture;
    ASSERT_EQ(picture.LoadImageFile(WriteBmp("pictures/good.bmp", 2, 2)), S_OK);

    const std::string broken = WriteText("pictures/broken.png", "not a picture at all");
    EXPECT_EQ(picture.LoadImageFile(broken), E_FAIL);
    EXPECT_FALSE(picture.HasImage());
    EXPECT_TRUE(messages.empty());

    EXPECT_EQ(picture.LoadImageFile(WriteText("pictures/notes.txt", "text")), E_FAIL);
    EXPECT_EQ(messages, std::vector<std::string>{"Not supported file format!"});

    // Read from a design: the shape is kept without a picture and the file is
    // listed with the missing ones.
    picture.SetSize(2, 2);
    picture.LoadImageFile(broken);
    const Bytes record = WriteRecord(picture);
    C2DImageShape read;
    EXPECT_EQ(ReadRecord(read, record), S_FALSE);
    EXPECT_FALSE(read.HasImage());
    EXPECT_EQ(m_document.missing, std::vector<std::string>{pfs::ToStoredPath(broken)});
}

TEST_F(PictureShapeTest, PictureOfAnUnreadKindKeepsItsPathThroughSaveAndReload) {
    std::vector<std::string> messages;
    CScopedPromptHandlers prompts([&](const MessageRequest& request) {
        messages.push_back(request.text);
        return PromptAnswer::Ok;
    });
    const std::string path = WriteText("pictures/plan.xyz", "a kind of picture not read here");
    C2DImageShape picture;
    EXPECT_EQ(picture.LoadImageFile(path), E_FAIL);
    EXPECT_EQ(picture.GetSourcePath(), path);
    picture.SetSize(30, 20);
    const Bytes saved = WriteRecord(picture);

    // Read and saved again, the design still names the picture's file.
    C2DImageShape reloaded;
    EXPECT_EQ(ReadRecord(reloaded, saved), S_FALSE);
    EXPECT_FALSE(reloaded.HasImage());
    EXPECT_EQ(reloaded.GetSourcePath(), path);
    EXPECT_EQ(WriteRecord(reloaded), saved);
    EXPECT_EQ(m_document.missing, std::vector<std::string>{pfs::ToStoredPath(path)});
    EXPECT_EQ(messages, std::vector<std::string>(2, "Not supported file format!"));
}

TEST_F(PictureShapeTest, PictureDrawsStretchedOrAsOutline) {
    C2DImageShape picture;
    ASSERT_EQ(picture.LoadImageFile(WriteBmp("pictures/p.bmp", 4, 3)), S_OK);
    picture.SetPosition(100, -50);
    m_document.origin = {10, 20, 100};

    struct Case {
        const char* name;
        int32_t width, height;
        int selected;
        bool printing;
        bool fullDraw;
        std::vector<draw::Point> image;  // destination corners, none when not drawn
        draw::COLORREF outline;          // CLR_INVALID when no outline
    };
    const draw::COLORREF red = draw::Rgb(255, 0, 0);
    const draw::COLORREF black = 0;
    const Case cases[] = {
        {"natural size is a pixel smaller",
         4,
         3,
         0,
         false,
         true,
         {{90, 30}, {93, 32}},
         draw::CLR_INVALID},
        {"other size exactly", 8, 6, 0, false, true, {{90, 30}, {98, 36}}, draw::CLR_INVALID},
        {"selected adds a red outline", 8, 6, 1, false, true, {{90, 30}, {98, 36}}, red},
        {"selected on paper", 8, 6, 1, true, true, {{90, 30}, {98, 36}}, black},
        {"scrolling draws the outline only", 8, 6, 0, false, false, {}, black},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        picture.SetSize(c.width, c.height);
        picture.SetSelected(c.selected);
        m_document.fullDraw = c.fullDraw;
        draw::RecordingDrawContext dc({400, 400}, 96, c.printing);
        picture.Draw(dc, draw::R2_COPYPEN);

        std::size_t next = 0;
        const auto& records = dc.Records();
        if (!c.image.empty()) {
            ASSERT_GT(records.size(), next);
            EXPECT_EQ(records[next].op, draw::DrawOp::StretchDIBits);
            EXPECT_EQ(records[next].points, c.image);
            ++next;
        }
        if (c.outline == draw::CLR_INVALID) {
            EXPECT_EQ(records.size(), next);
            continue;
        }
        ASSERT_EQ(records.size(), next + 4);
        EXPECT_EQ(records[next].points, (std::vector<draw::Point>{{90, 30}, {98, 30}}));
        EXPECT_EQ(records[next + 2].points, (std::vector<draw::Point>{{98, 36}, {90, 36}}));
        EXPECT_EQ(records[next].state.pen.color, c.outline);
    }
    m_document.fullDraw = true;

    picture.SetSize(8, 6);
    struct Hit {
        POINT point;
        int hit;
    };
    for (const Hit& h : {Hit{{100, 50}, 1}, Hit{{107, 55}, 1}, Hit{{108, 55}, 0}, Hit{{100, 56}, 0},
                         Hit{{99, 50}, 0}}) {
        EXPECT_EQ(picture.HitTestPoint(h.point, 50), h.hit) << h.point.x << "," << h.point.y;
    }
}

}  // namespace
