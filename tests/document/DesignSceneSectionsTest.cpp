#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "DesignFileBytes.h"
#include "DesignFileFixture.h"
#include "document/DesignScene.h"
#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "objects/2DDxfIconShape.h"
#include "objects/2DImageShape.h"
#include "objects/2DModelIconShape.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/Test3DObject.h"
#include "platform/fs/AtomicFileWriter.h"
#include "platform/fs/StoredPath.h"
#include "platform/image/Image.h"
#include "support/ByteSink.h"

namespace {

constexpr std::string_view kDamaged = "設計案檔案已損壞，無法讀取。";
constexpr long kFrontSize = 2300;

const char* const kSymbolDxf =
    "0\nSECTION\n2\nHEADER\n9\n$EXTMIN\n10\n-10\n20\n-5\n"
    "9\n$EXTMAX\n10\n10\n20\n5\n0\nENDSEC\n"
    "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n-10\n20\n-5\n11\n10\n21\n5\n0\nENDSEC\n0\nEOF\n";

// A DXF symbol record: kind byte, all floors, colour, angle, level height,
// height, width, position x and y, the symbol's stored path.
ByteSink& DxfRecord(ByteSink& bytes, int32_t x, int32_t y, std::string_view storedPath) {
    return bytes.Byte(0)
        .Int(0)
        .Int(0x00FF00)
        .Double(0.5)
        .Double(120.0)
        .Int(40)
        .Int(60)
        .Int(x)
        .Int(y)
        .Text(storedPath);
}

// A 6.00 header: the version, a camera looking along z, a usable grid.
std::string Header600(std::string_view background = "") {
    DesignFileBytes header(200);
    header.Float(0, 6.00f)
        .Floats(16, {0.0f, 0.0f, 1.0f})
        .Floats(56, {0.0f, 1.0f, 0.0f})
        .Floats(68, {3000.0f, 3000.0f, 50.0f, 0.0f, 1.0f, 0.0f, 1.0f})
        .Raw(108, background);
    return header.Str();
}

// A 3D object whose record is its position, as an export writes it.
class CPositionRecord : public CTest3DObject {
public:
    using CTest3DObject::CTest3DObject;
    HRESULT Write(CBinaryWriter& writer) const override {
        const gfx::Vector3 position = GetPosition();
        writer.WriteFloat(position.x);
        writer.WriteFloat(position.y);
        writer.WriteFloat(position.z);
        return S_OK;
    }
};

class DesignSceneSectionsTest : public DesignFileTest {
protected:
    void SetUp() override {
        DesignFileTest::SetUp();
        symbolPath = WriteLibraryFile("2Dicon/beds/bed.dxf", kSymbolDxf);
        image::CImage picture;
        EXPECT_TRUE(picture.Create(3, 2));
        const std::vector<uint8_t> bmp = picture.Encode(image::ImageFormat::Bmp).value();
        picturePath = WriteLibraryFile("maps/plan.bmp", std::string(bmp.begin(), bmp.end()));
    }

    std::string WriteLibraryFile(const std::string& relative, std::string_view bytes) {
        const std::filesystem::path path = PathOf(relative);
        std::filesystem::create_directories(path.parent_path());
        WriteBytes(path, bytes);
        return path.string();
    }

    C2DDxfIconShape* AddSymbol(int32_t x, int32_t y) {
        auto* symbol = new C2DDxfIconShape();
        EXPECT_EQ(symbol->LoadSymbolFileAndRender(symbolPath), S_OK);
        symbol->SetSize(80, 30);
        symbol->SetAngle(0.25);
        symbol->SetPosition(x, y);
        symbol->SetLevelHeight(250.0);
        symbol->SetOnAllFloors(1);
        scene->AddObjectIfAbsent(kDxfIconShapeType, symbol);
        return symbol;
    }

    C2DImageShape* AddPicture() {
        auto* shape = new C2DImageShape();
        EXPECT_EQ(shape->LoadImageFile(picturePath), S_OK);
        shape->SetNaturalSize(3, 2);
        shape->SetSize(300, 200);
        shape->SetPosition(-50, 70);
        shape->SetMoveLock(1);
        scene->AddObjectIfAbsent(kImageShapeType, shape);
        return shape;
    }

    // An open design with a wall, a selected symbol and a picture.
    void OpenSomeDesign() {
        auto* wall = new CTest3DObject(kWallObjectType);
        wall->MakeBox({0, 0, 0}, {300, 280, 20}, 1);
        scene->AddObjectIfAbsent(kWallObjectType, wall);
        scene->SelectObject(kDxfIconShapeType, AddSymbol(7, 8));
        AddPicture();
        scene->SetFileVersion(6.03f);
        scene->SetObjectIdCounter(500.0);
        view.state.eye = {1.0f, 2.0f, 3.0f};
    }

    std::string symbolPath;
    std::string picturePath;
};

bool Mentions(const std::vector<std::string>& messages, std::string_view text) {
    return messages.size() == 1 && messages[0].find(text) != std::string::npos;
}

// Seven 3D section counts of a design file with no 3D objects.
std::string No3DObjects() {
    return ByteSink().Ints({0, 0, 0, 0, 0, 0, 0}).Bytes();
}

}  // namespace

TEST_F(DesignSceneSectionsTest, PlanPicturesSavedAndReadBackEqual) {
    AddSymbol(100, -200);
    AddSymbol(-30, 45);
    AddPicture();
    view.state.wireframe = 1;
    const std::string written = WriteDesignBytes();

    scene->ClearScene();
    ASSERT_TRUE(Read(written));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(wireframe, 1);
    ASSERT_EQ(scene->Objects(kDxfIconShapeType).size(), 2u);
    ASSERT_EQ(scene->Objects(kImageShapeType).size(), 1u);
    const auto* second = static_cast<C2DDxfIconShape*>(scene->Objects(kDxfIconShapeType)[1]);
    EXPECT_EQ(second->GetSourcePath(), symbolPath);
    EXPECT_EQ(second->GetPosition().x, -30.0);
    EXPECT_EQ(second->GetPosition().y, -45.0);
    EXPECT_EQ(second->GetAngle(), 0.25);
    EXPECT_EQ(second->GetLevelHeight(), 250.0);
    EXPECT_EQ(second->GetPlacedSymbol().GetLines().size(), 1u);
    const auto* picture = static_cast<C2DImageShape*>(scene->Objects(kImageShapeType)[0]);
    EXPECT_TRUE(picture->HasImage());
    EXPECT_EQ(picture->GetMoveLock(), 1);
    EXPECT_EQ(picture->GetNaturalWidth(), 3);

    // What was read writes the same sections again, byte for byte.
    const std::string again = WriteDesignBytes();
    EXPECT_EQ(again.substr(kFrontSize), written.substr(kFrontSize));
}

TEST_F(DesignSceneSectionsTest, WrittenSectionsFollowTheFileLayout) {
    const C2DDxfIconShape* symbol = AddSymbol(1, 2);
    view.state.wireframe = 1;
    const std::string written = WriteDesignBytes();
    ByteSink expected;
    expected.Raw(No3DObjects()).Ints({0, 0, 0, 0, 0, 1});
    expected.Byte(0)
        .Int(1)
        .Int(static_cast<int32_t>(symbol->GetColor()))
        .Double(0.25)
        .Double(250.0)
        .Ints({30, 80, 1, 2})
        .Text(pfs::ToStoredPath(symbolPath));
    expected.Ints({0, 0, 0, 0xE002, 1});
    EXPECT_EQ(written.substr(kFrontSize), expected.Bytes());
}

TEST_F(DesignSceneSectionsTest, HandLaidFileReadsWithTrailerTagsInAnyOrder) {
    const struct {
        const char* what;
        std::string trailer;
        int32_t wireframe;
        // The bytes left unread, which the user is told of.
        const char* unread;
    } cases[] = {
        {"no trailer", "", 0, nullptr},
        {"wireframe alone", ByteSink().Ints({0xE002, 1}).Bytes(), 1, nullptr},
        {"groups, wireframe, curves", ByteSink().Ints({0xE003, 0, 0xE002, 1, 0xE001}).Bytes(), 1,
         nullptr},
        {"an unknown tag ends it", ByteSink().Ints({0xE002, 1, 77, 0xE002, 0}).Bytes(), 1,
         "最後 12 位元組"},
        {"a tag cut short ends it", ByteSink().Ints({0xE002, 1}).Raw("\x02\xE0").Bytes(), 1,
         "最後 2 位元組"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages.clear();
        ByteSink file;
        file.Raw(Header600()).Raw(No3DObjects()).Ints({0, 0, 0, 0, 0, 2});
        DxfRecord(file, 10, 20, pfs::ToStoredPath(symbolPath));
        DxfRecord(file, -5, 6, pfs::ToStoredPath(symbolPath));
        file.Ints({0, 0, 0}).Raw(c.trailer);
        ASSERT_TRUE(Read(file.Bytes()));
        if (c.unread == nullptr) {
            EXPECT_TRUE(messages.empty());
        } else {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_NE(messages[0].find(c.unread), std::string::npos) << messages[0];
        }
        EXPECT_EQ(wireframe, c.wireframe);
        ASSERT_EQ(scene->Objects(kDxfIconShapeType).size(), 2u);
        const auto* first = static_cast<C2DDxfIconShape*>(scene->Objects(kDxfIconShapeType)[0]);
        EXPECT_EQ(first->GetPosition().x, 10.0);
        EXPECT_EQ(first->GetPosition().y, -20.0);
        EXPECT_EQ(first->GetColor(), 0x00FF00u);
        EXPECT_EQ(first->GetAngle(), 0.5);
        EXPECT_EQ(first->GetLevelHeight(), 120.0);
        EXPECT_EQ(first->GetHeight(), 40);
        EXPECT_EQ(first->GetWidth(), 60);
        EXPECT_EQ(first->GetSourcePath(), symbolPath);
        EXPECT_EQ(scene->GetFileVersion(), 6.00f);
    }
}

TEST_F(DesignSceneSectionsTest, DesignTakenForAnOlderVersionTellsThatPartWasNotRead) {
    AddSymbol(1, 2);
    std::string bytes = WriteDesignBytes();
    // A 6.00 file has no blocks after its header: the sections are looked
    // for in the blocks, and the trailer stops short of the real ones.
    bytes.replace(0, 4, ByteSink().Float(6.00f).Bytes());
    messages.clear();
    ASSERT_TRUE(Read(bytes));
    EXPECT_TRUE(scene->Objects(kDxfIconShapeType).empty());
    EXPECT_TRUE(Mentions(messages, "位元組無法讀取")) << testing::PrintToString(messages);
}

TEST_F(DesignSceneSectionsTest, FailedPlanRecordIsDroppedAndTheNextOneRead) {
    ByteSink file;
    file.Raw(Header600()).Raw(No3DObjects()).Ints({0, 0, 0, 0, 0, 3});
    DxfRecord(file, 1, 1, "");  // no path: the read fails, the record is whole
    DxfRecord(file, 2, 2, pfs::ToStoredPath(symbolPath));
    DxfRecord(file, 3, 3, "Z:\\gone\\lost.dxf");  // kept without its symbol
    // A picture that cannot be decoded reads with S_FALSE: a plan shape is
    // kept unless its read failed outright.
    const std::string broken = WriteLibraryFile("maps/broken.bmp", "not a picture");
    file.Int(2);
    for (const std::string& picture : {broken, std::string("/gone/lost.bmp")}) {
        file.Byte(0).Ints({0, 0, 0, 0}).Double(0.0).Ints({20, 30, 2, 3, 4, 5});
        file.Text(pfs::ToStoredPath(picture));
    }
    file.Ints({0, 0});
    ASSERT_TRUE(Read(file.Bytes()));
    const std::vector<CDesignObject*>& symbols = scene->Objects(kDxfIconShapeType);
    ASSERT_EQ(symbols.size(), 2u);
    EXPECT_EQ(static_cast<C2DDxfIconShape*>(symbols[0])->GetPosition().x, 2.0);
    EXPECT_EQ(static_cast<C2DDxfIconShape*>(symbols[1])->GetPosition().x, 3.0);
    ASSERT_EQ(scene->Objects(kImageShapeType).size(), 1u);
    const auto* kept = static_cast<C2DImageShape*>(scene->Objects(kImageShapeType)[0]);
    EXPECT_EQ(kept->GetSourcePath(), broken);
    EXPECT_FALSE(kept->HasImage());
}

TEST_F(DesignSceneSectionsTest, ObjectsOfKindsNotReadYetRefuseTheFileNamingTheKind) {
    // The section's position among the 16 counts, then its kind's name.
    const struct {
        int section;
        const char* kind;
    } cases[] = {
        {7, "線條"},    {8, "矩形"},      {9, "圓及圓弧"},  {10, "曲線"},
        {11, "連續線"}, {14, "文字註解"}, {15, "尺寸標註"},
    };
    OpenSomeDesign();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        messages.clear();
        ByteSink file;
        file.Raw(Header600());
        for (int section = 0; section < 16; ++section) {
            file.Int(section == c.section ? 1 : 0);
        }
        file.Raw(std::string(200, '\0'));
        const OpenState before = Capture();
        EXPECT_FALSE(Read(file.Bytes()));
        EXPECT_TRUE(Mentions(messages, c.kind));
        EXPECT_TRUE(Capture() == before);
    }
    messages.clear();
    const std::string groups =
        Header600() + ByteSink().Raw(No3DObjects()).Ints({0, 0, 0, 0, 0, 0, 0, 0, 0}).Bytes() +
        ByteSink().Ints({0xE003, 1}).Bytes() + std::string(100, '\0');
    EXPECT_FALSE(Read(groups));
    EXPECT_TRUE(Mentions(messages, "群組"));
}

TEST_F(DesignSceneSectionsTest, DamagedSectionsAreRefusedWithNothingOfTheOpenDesignLost) {
    AddSymbol(1, 2);
    AddPicture();
    const std::string good = WriteDesignBytes();
    const std::size_t planEnd = good.size() - 8;  // before the wireframe tag
    scene->ClearScene();
    OpenSomeDesign();

    std::vector<std::pair<std::string, std::string>> cases;
    // Cut anywhere before the trailer: only the trailer may be missing.
    for (std::size_t size = 0; size < planEnd; size += (size < kFrontSize ? 97 : 1)) {
        cases.emplace_back("cut at " + std::to_string(size), good.substr(0, size));
    }
    cases.emplace_back("wireframe value cut", good.substr(0, good.size() - 2));
    const std::size_t symbolCount = kFrontSize + 7 * 4 + 5 * 4;
    auto withCount = [&](std::size_t offset, int32_t count) {
        std::string bytes = good;
        bytes.replace(offset, 4, ByteSink().Int(count).Bytes());
        return bytes;
    };
    cases.emplace_back("count far beyond the file", withCount(symbolCount, 0x7FFFFFFF));
    cases.emplace_back("count just beyond the file", withCount(symbolCount, 300));
    cases.emplace_back("negative count", withCount(symbolCount, -1));
    cases.emplace_back("negative light count", withCount(kFrontSize, -5));
    cases.emplace_back("negative group count", good + ByteSink().Ints({0xE003, -1}).Bytes());
    cases.emplace_back("huge string length", withCount(symbolCount + 4 + 45 - 4, 0x7FFFFFF0));
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        messages.clear();
        const OpenState before = Capture();
        EXPECT_FALSE(Read(bytes));
        EXPECT_EQ(messages.size(), 1u);
        EXPECT_TRUE(Capture() == before);
    }
    messages.clear();
    EXPECT_FALSE(Read(withCount(symbolCount, 0x7FFFFFFF)));
    EXPECT_TRUE(Mentions(messages, kDamaged));
}

TEST_F(DesignSceneSectionsTest, PhotoCountHoldsTheBackgroundPhotoOnlyForAPictureOfItsOwn) {
    // A photo record cannot be read yet: a count the rule leaves at 1 is
    // refused, one it leaves at 0 reads.
    const struct {
        const char* what;
        int marker;
        bool apply;
        std::string fileBackground;
        std::string openBackground;
        int32_t count;
        bool reads;
    } cases[] = {
        {"own picture holds its photo", 0, true, "sky.jpg", "", 1, true},
        {"own picture and no photo", 0, true, "sky.jpg", "", 0, true},
        {"Default holds none", 0, true, "Default", "", 1, false},
        {"none holds none", 0, true, "", "sky.jpg", 1, false},
        {"not applied: the open design's picture", 0, false, "", "sky.jpg", 1, true},
        {"not applied: no open picture", 0, false, "sky.jpg", "Default", 1, false},
        {"added design with its own picture", 1, false, "sky.jpg", "", 1, true},
        {"added design without one", 1, false, "", "sky.jpg", 1, false},
        {"marker 2 takes the whole count", 2, false, "sky.jpg", "sky.jpg", 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages.clear();
        scene->SetMergeMarker(c.marker);
        doc->Settings().bgFileName3D = c.openBackground;
        const std::string file = Header600(c.fileBackground) +
                                 ByteSink().Ints({0, 0, 0, 0, 0, 0, c.count}).Bytes() +
                                 ByteSink().Ints({0, 0, 0, 0, 0, 0, 0, 0, 0}).Bytes();
        EXPECT_EQ(Read(file, c.apply), c.reads);
        EXPECT_EQ(messages.empty(), c.reads);
    }
}

TEST_F(DesignSceneSectionsTest, WriterCountsTheBackgroundPhotoExactlyWhenTheReaderTakesOneLess) {
    const std::size_t photoCount = kFrontSize + 6 * 4;
    for (const char* background : {"", "Default", "/bg/sky.jpg"}) {
        SCOPED_TRACE(background);
        doc->Settings().bgFileName3D = background;
        const std::string written = WriteDesignBytes();
        const int32_t expected = std::string_view(background) == "/bg/sky.jpg" ? 1 : 0;
        EXPECT_EQ(written.substr(photoCount, 4), ByteSink().Int(expected).Bytes());
        scene->SetMergeMarker(0);
        EXPECT_TRUE(Read(written)) << "the count reads back to no photo";
        // An export holds no background photo at all.
        EXPECT_EQ(ExportSelection().substr(4 + 6 * 4, 4), ByteSink().Int(0).Bytes());
    }
}

TEST_F(DesignSceneSectionsTest, SelectionExportStoresPositionsFromTheEyeAndPutsThemBack) {
    view3D.eye = {10.0f, 20.0f, 30.0f};
    auto* selected = new CPositionRecord(kText3DObjectType);
    selected->SetPosition(110.1f, 20.0f, 330.7f);
    scene->AddObjectIfAbsent(kText3DObjectType, selected);
    scene->SelectObject(kText3DObjectType, selected);
    scene->AddObjectIfAbsent(kText3DObjectType, new CPositionRecord(kText3DObjectType));

    const std::string exported = ExportSelection();
    ByteSink expected;
    expected.Raw(DesignFileBytes(4).Float(0, 6.05f).Str()).Ints({0, 0, 0, 0, 0, 1});
    expected.Raw(DesignFileBytes(12).Floats(0, {110.1f - 10.0f, 0.0f, 330.7f - 30.0f}).Str());
    expected.Ints({0});
    EXPECT_EQ(exported, expected.Bytes());
    EXPECT_EQ(selected->GetPosition().x, 110.1f);
    EXPECT_EQ(selected->GetPosition().z, 330.7f);

    // The stand-in's record is no 3D text record: the import refuses it as
    // damaged and adds nothing.
    const OpenState before = Capture();
    EXPECT_FALSE(Import(exported));
    EXPECT_TRUE(Mentions(messages, "損壞"));
    EXPECT_TRUE(Capture() == before);
}

TEST_F(DesignSceneSectionsTest, SelectionExportRoundTripAndDamagedImports) {
    // An object without a record of its own cannot be exported.
    auto* unwritable = new CTest3DObject(kModelObjectType);
    unwritable->MakeBox({0, 0, 0}, {50, 50, 50}, 1);
    scene->AddObjectIfAbsent(kModelObjectType, unwritable);
    scene->SelectObject(kModelObjectType, unwritable);
    EXPECT_EQ(ExportSelection(), "");
    scene->DeselectObject(kModelObjectType, unwritable);

    const std::string exported = ExportSelection();
    ASSERT_EQ(exported.size(), 32u);
    OpenSomeDesign();
    const OpenState before = Capture();
    ASSERT_TRUE(Import(exported));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(Capture().objects == before.objects);
    EXPECT_EQ(scene->GetFileVersion(), 6.05f);
    EXPECT_EQ(view3D.hints.back(), 2100);

    const struct {
        const char* what;
        std::string bytes;
    } damaged[] = {
        {"empty", ""},
        {"cut", exported.substr(0, 20)},
        {"version none", DesignFileBytes(4).Float(0, std::nanf("")).Str() + exported.substr(4)},
        {"version newer", DesignFileBytes(4).Float(0, 6.06f).Str() + exported.substr(4)},
        {"count far beyond",
         exported.substr(0, 4) + ByteSink().Int(0x40000000).Bytes() + exported.substr(8)},
    };
    for (const auto& c : damaged) {
        SCOPED_TRACE(c.what);
        messages.clear();
        scene->SetFileVersion(6.03f);
        const OpenState state = Capture();
        EXPECT_FALSE(Import(c.bytes));
        EXPECT_EQ(messages.size(), 1u);
        EXPECT_TRUE(Capture() == state);
    }
}

TEST_F(DesignSceneSectionsTest, ObjectsWithoutExtentAreRemovedWithTheirPlanSymbols) {
    const struct {
        gfx::Vector3 max;
        bool kept;
    } cases[] = {
        {{0, 0, 5}, false}, {{0, 5, 0}, false}, {{0, 0, 0}, false},
        {{0, 5, 5}, true},  {{5, 0, 0}, true},
    };
    std::vector<CTest3DObject*> models;
    for (const auto& c : cases) {
        auto* model = new CTest3DObject(kModelObjectType);
        model->MakeBox({0, 0, 0}, c.max, 1);
        model->SetPlanIcon(std::make_unique<C2DModelIconShape>());
        scene->AddObjectIfAbsent(kModelObjectType, model);
        scene->SelectObject(kModelObjectType, model);
        scene->AddObjectIfAbsent(kModelIconShapeType, model->GetPlanIcon());
        models.push_back(model);
    }
    scene->RemoveEmptyObjects();
    std::vector<CDesignObject*> kept;
    std::vector<CDesignObject*> keptIcons;
    for (std::size_t i = 0; i < models.size(); ++i) {
        if (cases[i].kept) {
            kept.push_back(models[i]);
            keptIcons.push_back(models[i]->GetPlanIcon());
        }
    }
    EXPECT_EQ(scene->Objects(kModelObjectType), kept);
    EXPECT_EQ(scene->Selected(kModelObjectType), kept);
    EXPECT_EQ(scene->Objects(kModelIconShapeType), keptIcons);
}

TEST_F(DesignSceneSectionsTest, AnAbortedReadLeavesTheOpenDesignAsItWas) {
    AddSymbol(1, 2);
    view.state.wireframe = 1;
    const std::string written = WriteDesignBytes();
    OpenSomeDesign();
    const OpenState before = Capture();
    messages.clear();
    doc->SetAbort(1);
    EXPECT_FALSE(Read(written));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(Capture() == before);
    EXPECT_EQ(scene->Objects(kWallObjectType).size(), 1u);
    EXPECT_EQ(scene->GetFileVersion(), 6.03f);
}
