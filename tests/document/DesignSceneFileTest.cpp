#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "DesignFileBytes.h"
#include "DocumentFixture.h"
#include "FakeDesignFileView.h"
#include "document/BackgroundChoice.h"
#include "document/DesignFileView.h"
#include "document/DesignScene.h"
#include "document/PlanZoom.h"
#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/Test3DObject.h"
#include "platform/fs/AtomicFileWriter.h"
#include "platform/fs/StoredPath.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// Everything a read of the front may change, to show that a refused read
// changed none of it.
struct OpenDesign {
    HousSettings settings;
    double zoomFactor = 0.0;
    int frameZoom = 0;
    std::array<int32_t, 4> scrollAndOrigin{};
    BaseDrawingReference baseDrawing;
    std::string titleFrame;
    std::vector<std::string> missingFiles;
    int32_t backgroundChoice = 0;
    float version = 0.0f;
    int mergeMarker = 0;
    double objectIdCounter = 0.0;
    int mirrorTolerance = 0;
    std::size_t walls = 0;
    int reportsSuppressed = 0;
    FakeDesignFileView view;

    bool operator==(const OpenDesign&) const = default;
};

// A sound header of the version: a usable grid, an empty background name.
DesignFileBytes Header(float version) {
    DesignFileBytes bytes(200);
    bytes.Float(0, version)
        .Floats(4, {400.0f, 150.0f, -800.0f})
        .Floats(16, {0.0f, 0.0f, 1.0f})
        .Float(36, 30.0f)
        .Floats(56, {0.0f, 1.0f, 0.0f})
        .Floats(68, {3000.0f, 3000.0f, 50.0f, 0.0f, 1.0f, 0.0f, 1.0f})
        .Byte(96, 160)
        .Byte(97, 160)
        .Byte(98, 160)
        .Float(100, 15000.0f)
        .Int(104, 2)
        .Int(188, 50)
        .Double(192, 77.0);
    return bytes;
}

DesignFileBytes PlanBlock(int32_t zoomIndex) {
    DesignFileBytes bytes(132);
    bytes.Int(100, 0)
        .Int(104, static_cast<uint32_t>(zoomIndex))
        .Int(108, 800)
        .Int(112, 600)
        .Int(116, 40)
        .Int(120, 50)
        .Int(124, 5000)
        .Int(128, 4000);
    return bytes;
}

DesignFileBytes DocumentBlockBytes() {
    DesignFileBytes bytes(968);
    bytes.Floats(212, {0.0f, 0.0f, 0.0f, 0.6f}).Int(232, 33);
    return bytes;
}

DesignFileBytes ViewPoints() {
    DesignFileBytes bytes(1000);
    bytes.Raw(0, "door").Floats(20, {1.0f, 2.0f, 3.0f, 0.0f, 0.0f});
    return bytes;
}

// The front as a file of that version lays it out, then the first bytes of
// what follows it.
constexpr std::string_view kAfterFront = "\x11\x22\x33\x44";

std::string Front(const DesignFileBytes& header, float version,
                  const DesignFileBytes& plan = PlanBlock(5),
                  const DesignFileBytes& document = DocumentBlockBytes()) {
    std::string bytes = header.Str();
    if (version >= 6.02f) {
        bytes += plan.Str() + document.Str();
    }
    if (version >= 6.01f) {
        bytes += ViewPoints().Str();
    }
    return bytes + std::string(kAfterFront);
}

class DesignSceneFileTest : public SceneTest {
protected:
    std::filesystem::path LibraryFile(const std::string& relative) {
        const std::filesystem::path path = PathOf(relative);
        std::filesystem::create_directories(path.parent_path());
        WriteBytes(path, "x");
        return path;
    }

    bool Write(const std::filesystem::path& path) {
        pfs::AtomicFileWriter sink(path);
        CBinaryWriter writer(sink);
        const bool written = scene->WriteDesign(writer, view);
        return written && sink.Commit().Ok();
    }

    // Reads the file's front; afterwards the reader's position.
    bool Read(const std::string& bytes, bool apply = true) {
        WriteBytes(PathOf("design.dg6"), bytes);
        return ReadFile(PathOf("design.dg6"), apply);
    }
    bool ReadFile(const std::filesystem::path& path, bool apply = true) {
        CBinaryReader reader(path.string());
        const bool read = scene->ReadDesign(reader, view, apply);
        position = std::ftell(reader.GetFile());
        char next[4] = {};
        followedByObjects = std::fread(next, 1, 4, reader.GetFile()) == 4 &&
                            std::string_view(next, 4) == kAfterFront;
        return read;
    }

    void AddWall() {
        auto* wall = new CTest3DObject(kWallObjectType);
        scene->AddObjectIfAbsent(kWallObjectType, wall);
    }

    OpenDesign Capture() const {
        OpenDesign open;
        open.settings = doc->Settings();
        open.zoomFactor = doc->GetPlanZoomFactor();
        open.frameZoom = planView.frame.zoomSelection;
        open.scrollAndOrigin = {doc->GetPlanScrollSize().x, doc->GetPlanScrollSize().y,
                                doc->GetPlanViewOrigin().x, doc->GetPlanViewOrigin().y};
        open.baseDrawing = doc->GetBaseDrawing();
        open.titleFrame = doc->GetTitleFrameFile();
        open.missingFiles = doc->GetMissingFiles();
        open.backgroundChoice = doc->GetBackgroundChoice();
        open.version = scene->GetFileVersion();
        open.mergeMarker = scene->GetMergeMarker();
        open.objectIdCounter = scene->GetObjectIdCounter();
        open.mirrorTolerance = scene->GetMirrorTolerance();
        open.walls = scene->Objects(kWallObjectType).size();
        open.reportsSuppressed = scene->GetMissingReportsSuppressed();
        open.view = view;
        return open;
    }

    // An open design that differs from every default and every fixture file.
    void OpenSomeDesign() {
        AddWall();
        HousSettings& settings = doc->Settings();
        settings.length = 2200;
        settings.width = 1800;
        settings.red = 1;
        settings.farShow3DDistance = 18000.0f;
        settings.bgFileName3D = "Default";
        settings.music = "/music/old.mp3";
        settings.rulerShow = 1;
        doc->SetPlanZoomFactor(1.25);
        planView.frame.zoomSelection = 20;
        doc->SetPlanScrollSize({1, 2});
        doc->SetPlanViewOrigin({3, 4});
        doc->SetBaseDrawing({"/plans/old.dxf", 3.0f, {1, 2}});
        doc->SetTitleFrameFile("/frames/old.dg6");
        scene->SetFileVersion(6.03f);
        scene->SetObjectIdCounter(500.0);
        scene->SetMirrorTolerance(12);
        scene->SetMissingReportsSuppressed(1);
        view.state.eye = {1.0f, 2.0f, 3.0f};
        view.state.turnStep = 4.0f;
        view.state.grid = {2200.0f, 1800.0f, 10.0f, 1.0f, 0.0f, 0.0f, 1.0f};
        view.shadow = {0.5f, 0.5f, 0.5f, 0.5f};
        view.table[0] = 'v';
        view.storedIdCounter = 9.0;
    }

    FakeDesignFileView view;
    long position = -1;
    bool followedByObjects = false;
};

bool Mentions(const std::vector<std::string>& messages, std::string_view text) {
    return messages.size() == 1 && messages[0].find(text) != std::string::npos;
}

}  // namespace

TEST_F(DesignSceneFileTest, FrontWrittenAndReadBackRestoresTheDesignFieldByField) {
    const std::string background = LibraryFile("BG/sky.jpg").string();
    const std::string music = LibraryFile("Music/song.mp3").string();
    HousSettings& settings = doc->Settings();
    settings.red = 11;
    settings.green = 22;
    settings.blue = 33;
    settings.farShow3DDistance = 25000.0f;
    settings.bgColor = 1;
    settings.bgFileName3D = background;
    settings.bgRatio = 30;
    settings.music = music;
    settings.rulerShow = 0;
    settings.length = 4000;
    settings.width = 3500;
    planView.frame.zoomSelection = 5;
    doc->SetPlanScrollSize({1234, 5678});
    doc->SetPlanViewOrigin({-10, 20});
    doc->SetBaseDrawing({"/plans/base.dxf", 2.0f, {3, 4}});
    doc->SetTitleFrameFile("/frames/t.dg6");
    scene->SetMirrorTolerance(42);
    scene->SetObjectIdCounter(321.0);
    DesignViewState state;
    state.eye = {120.0f, 160.0f, -700.0f};
    state.direction = {0.6f, 0.0f, 0.8f};
    state.heading = 0.6435f;
    state.pitch = 0.1f;
    state.stepLength = 25.0f;
    state.turnStep = 3.0f;
    state.wireframe = 1;
    state.orthoOn = 1;
    state.gridShown = 1;
    state.up = {0.0f, 1.0f, 0.0f};
    state.grid = {4000.0f, 3500.0f, 100.0f, 0.2f, 0.4f, 0.6f, 1.0f};
    view.state = state;
    view.shadow = {0.1f, 0.2f, 0.3f, 0.5f};
    std::vector<std::shared_ptr<ViewPointRecord>> points = {
        std::make_shared<ViewPointRecord>(ViewPointRecord{"客廳", 1, 2, 3, 0.5f, 0.25f})};
    view.table = PackViewPoints(points);
    const HousSettings written = settings;
    const ViewPointTable writtenTable = view.table;
    ASSERT_TRUE(Write(PathOf("round.dg6")));
    EXPECT_EQ(std::filesystem::file_size(PathOf("round.dg6")), 2300u);

    OpenSomeDesign();
    ASSERT_TRUE(ReadFile(PathOf("round.dg6")));

    EXPECT_EQ(position, 2300);
    DesignViewState expected = state;
    expected.turnStep = 0.5f;
    EXPECT_EQ(view.state, expected);
    EXPECT_EQ(view.ambient, (AmbientBytes{11, 22, 33}));
    EXPECT_EQ(view.shadow, (ShadowColor{0.1f, 0.2f, 0.3f, 0.5f}));
    EXPECT_EQ(view.table, writtenTable);
    EXPECT_EQ(view.storedIdCounter, 321.0);
    EXPECT_EQ(settings, written);
    EXPECT_EQ(doc->GetBackgroundChoice(), kBlackBackground);
    EXPECT_EQ(doc->GetPlanZoomFactor(), PlanZoom::GetLevelScale(5));
    EXPECT_EQ(planView.frame.zoomSelection, 5);
    EXPECT_EQ(doc->GetPlanScrollSize().x, 1234);
    EXPECT_EQ(doc->GetPlanScrollSize().y, 5678);
    EXPECT_EQ(doc->GetPlanViewOrigin().x, -10);
    EXPECT_EQ(doc->GetPlanViewOrigin().y, 20);
    EXPECT_EQ(doc->GetBaseDrawing(), (BaseDrawingReference{"/plans/base.dxf", 2.0f, {3, 4}}));
    EXPECT_EQ(doc->GetTitleFrameFile(), "/frames/t.dg6");
    EXPECT_EQ(scene->GetMirrorTolerance(), 42);
    EXPECT_EQ(scene->GetObjectIdCounter(), 321.0);
    EXPECT_EQ(scene->GetFileVersion(), 6.05f);
    EXPECT_TRUE(scene->Objects(kWallObjectType).empty()) << "the open design was cleared";
    EXPECT_TRUE(doc->GetMissingFiles().empty());
}

TEST_F(DesignSceneFileTest, VersionGatesDecideWhichPartsOfTheFrontAreRead) {
    const struct {
        float version;
        long frontSize;
    } cases[] = {
        {6.00f, 200},  {6.01f, 1200}, {6.02f, 2300},  {6.03f, 2300},
        {6.04f, 2300}, {6.05f, 2300}, {6.015f, 1200},  // between the gates
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        OpenSomeDesign();
        ASSERT_TRUE(Read(Front(Header(c.version), c.version)));
        EXPECT_EQ(position, c.frontSize);
        EXPECT_TRUE(followedByObjects);
        EXPECT_EQ(scene->GetFileVersion(), c.version);
        EXPECT_EQ(view.table[0] == 'd', c.version >= 6.01f) << "the view-point table";
        EXPECT_EQ(scene->GetMirrorTolerance() == 33, c.version >= 6.02f) << "the document block";
        EXPECT_EQ(doc->Settings().length == 5000, c.version >= 6.02f) << "the plan-state block";
        EXPECT_TRUE(messages.empty());
    }
}

TEST_F(DesignSceneFileTest, NewerVersionIsRefusedBeforeAnythingChanges) {
    for (float version : {std::nextafter(6.05f, 7.0f), 6.06f, 100.0f}) {
        SCOPED_TRACE(version);
        messages.clear();
        OpenSomeDesign();
        const OpenDesign before = Capture();
        EXPECT_FALSE(Read(Front(Header(version), 6.05f)));
        EXPECT_TRUE(Mentions(messages, "設計案版本比程式版本還新, 請至Orvik網站("));
        EXPECT_TRUE(Mentions(messages, ")更新您的程式."));
        EXPECT_TRUE(Capture() == before);
    }
}

TEST_F(DesignSceneFileTest, TruncatedOrDamagedFrontIsRefusedWithNothingChanged) {
    const std::string full = Front(Header(6.05f), 6.05f);
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty file", ""},
        {"header cut short", full.substr(0, 150)},
        {"header without blocks", full.substr(0, 200)},
        {"document block cut short", full.substr(0, 500)},
        {"view-point table cut short", full.substr(0, 2299)},
        {"6.01 view-point table cut short", Header(6.01f).Str() + std::string(999, 'a')},
        {"6.00 header cut short", Header(6.00f).Str().substr(0, 199)},
        {"zeros", std::string(2300, '\0')},
        {"version older than any", Front(Header(5.0f), 6.05f)},
        {"version none", Front(Header(6.05f).Float(0, kNaN), 6.05f)},
        {"version infinite", Front(Header(6.05f).Float(0, kInfinity), 6.05f)},
        {"eye none", Front(Header(6.05f).Float(8, kNaN), 6.05f)},
        {"up infinite", Front(Header(6.05f).Float(60, -kInfinity), 6.05f)},
        {"counter none", Front(Header(6.05f).Double(192, std::nan("")), 6.05f)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages.clear();
        OpenSomeDesign();
        const OpenDesign before = Capture();
        EXPECT_FALSE(Read(c.bytes));
        EXPECT_TRUE(Mentions(messages, "設計案檔案已損壞，無法讀取。"));
        EXPECT_TRUE(Capture() == before);
    }
}

TEST_F(DesignSceneFileTest, HeaderGridThatMakesNoGridKeepsTheStoredOne) {
    const DesignGridRecord stored = {2200.0f, 1800.0f, 10.0f, 1.0f, 0.0f, 0.0f, 1.0f};
    const struct {
        const char* what;
        DesignGridRecord grid;
        bool taken;
    } cases[] = {
        {"zeros of a short file", {0, 0, 0, 0, 0, 0, 0}, false},
        {"step 0", {3000, 3000, 0, 0, 1, 0, 1}, false},
        {"negative step", {3000, 3000, -50, 0, 1, 0, 1}, false},
        {"negative length", {-3000, 3000, 50, 0, 1, 0, 1}, false},
        {"zero width", {3000, 0, 50, 0, 1, 0, 1}, false},
        {"width none", {3000, kNaN, 50, 0, 1, 0, 1}, false},
        {"step infinite", {3000, 3000, kInfinity, 0, 1, 0, 1}, false},
        {"colour none", {3000, 3000, 50, kNaN, 1, 0, 1}, false},
        {"beyond the largest ground", {1.0e9f, 3000, 50, 0, 1, 0, 1}, false},
        {"largest ground", {30000, 30000, 100, 0, 1, 0, 1}, true},
        {"usable", {3456.7f, 2100.2f, 25, 0.5f, 0.5f, 0.5f, 1}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OpenSomeDesign();
        view.state.grid = stored;
        const DesignGridRecord& g = c.grid;
        ASSERT_TRUE(Read(Front(Header(6.00f).Floats(68, {g.length, g.width, g.step, g.red, g.green,
                                                         g.blue, g.reserved}),
                               6.00f)));
        if (c.taken) {
            EXPECT_EQ(view.state.grid, c.grid);
            EXPECT_EQ(doc->Settings().length, static_cast<int32_t>(c.grid.length));
            EXPECT_EQ(doc->Settings().width, static_cast<int32_t>(c.grid.width));
        } else {
            EXPECT_EQ(view.state.grid, stored);
            EXPECT_EQ(doc->Settings().length, 2200);
            EXPECT_EQ(doc->Settings().width, 1800);
        }
    }
}

TEST_F(DesignSceneFileTest, HeaderValuesAreBroughtIntoTheSettingsRanges) {
    const struct {
        const char* what;
        float farDistance;
        int32_t bgColor;
        float farAfter;
        int32_t bgColorAfter;
        int32_t choiceAfter;
    } cases[] = {
        {"far 0 keeps the setting", 0.0f, 0, 18000.0f, 0, kWhiteBackground},
        {"negative far keeps it", -5.0f, 1, 18000.0f, 1, kBlackBackground},
        {"far none keeps it", kNaN, 2, 18000.0f, 2, kGreyBlueBackground},
        {"far below 1000 would break the projection", 500.0f, 0, 1000.0f, 0, kWhiteBackground},
        {"far taken", 20000.0f, 0, 20000.0f, 0, kWhiteBackground},
        {"no such background preset", 20000.0f, 7, 20000.0f, 2, kGreyBlueBackground},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OpenSomeDesign();
        const int repaints = view3D.repaints;
        ASSERT_TRUE(
            Read(Front(Header(6.00f).Float(100, c.farDistance).Int(104, c.bgColor), 6.00f)));
        EXPECT_EQ(doc->Settings().farShow3DDistance, c.farAfter);
        EXPECT_EQ(doc->Settings().bgColor, c.bgColorAfter);
        EXPECT_EQ(doc->GetBackgroundChoice(), c.choiceAfter);
        EXPECT_GT(view3D.repaints, repaints);
    }
}

TEST_F(DesignSceneFileTest, AmbientBytesAreRedGreenBlueAndTheTurnStepIsAlwaysHalf) {
    OpenSomeDesign();
    ASSERT_TRUE(
        Read(Front(Header(6.00f).Byte(96, 10).Byte(97, 20).Byte(98, 30).Float(40, 9.0f), 6.00f)));
    EXPECT_EQ(view.ambient, (AmbientBytes{10, 20, 30}));
    EXPECT_EQ(doc->Settings().red, 10);
    EXPECT_EQ(doc->Settings().green, 20);
    EXPECT_EQ(doc->Settings().blue, 30);
    EXPECT_EQ(view.state.turnStep, 0.5f);
    EXPECT_EQ(view.applications, 1);
}

TEST_F(DesignSceneFileTest, PlanFieldsApplyOnlyForAZoomIndexOfTheTable) {
    const struct {
        int32_t zoomIndex;
        bool applied;
    } cases[] = {{0, false}, {-1, false}, {32, false}, {1000, false}, {1, true}, {31, true}};
    LibraryFile("Music/classic/song.mp3");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zoomIndex);
        OpenSomeDesign();
        DesignFileBytes plan = PlanBlock(c.zoomIndex);
        plan.Raw(0, "D:\\tunes\\song.mp3");
        ASSERT_TRUE(Read(Front(Header(6.05f), 6.05f, plan)));
        EXPECT_EQ(doc->Settings().music, PathOf("Music/classic/song.mp3").string())
            << "the music is applied whatever the index";
        const HousSettings& settings = doc->Settings();
        if (c.applied) {
            EXPECT_EQ(doc->GetPlanZoomFactor(), PlanZoom::GetLevelScale(c.zoomIndex));
            EXPECT_EQ(planView.frame.zoomSelection, c.zoomIndex);
            EXPECT_EQ(settings.rulerShow, 0);
            EXPECT_EQ(doc->GetPlanScrollSize().x, 800);
            EXPECT_EQ(doc->GetPlanViewOrigin().y, 50);
            EXPECT_EQ(settings.length, 5000);
            EXPECT_EQ(settings.width, 4000);
        } else {
            // As a new read leaves them: 100 %.
            EXPECT_EQ(doc->GetPlanZoomFactor(), 0.5);
            EXPECT_EQ(planView.frame.zoomSelection, PlanZoom::kDefaultLevel);
            EXPECT_EQ(settings.rulerShow, 1);
            EXPECT_EQ(doc->GetPlanScrollSize().x, 1);
            EXPECT_EQ(doc->GetPlanViewOrigin().y, 4);
            EXPECT_EQ(settings.length, 3000) << "from the header's grid";
        }
    }
}

TEST_F(DesignSceneFileTest, GroundSizeOfThePlanBlockNeedsAPositiveLength) {
    const struct {
        int32_t length;
        int32_t width;
        int32_t lengthAfter;
        int32_t widthAfter;
    } cases[] = {
        {0, 4000, 3000, 3000},       // zeros of a short block: the header's grid stays
        {-200, 4000, 3000, 3000},    //
        {5000, 0, 5000, 1000},       // brought into WIDTH's range
        {99999, 4000, 30000, 4000},  //
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        OpenSomeDesign();
        DesignFileBytes plan = PlanBlock(10);
        plan.Int(124, static_cast<uint32_t>(c.length)).Int(128, static_cast<uint32_t>(c.width));
        ASSERT_TRUE(Read(Front(Header(6.02f), 6.02f, plan)));
        EXPECT_EQ(doc->Settings().length, c.lengthAfter);
        EXPECT_EQ(doc->Settings().width, c.widthAfter);
    }
}

TEST_F(DesignSceneFileTest, BackgroundNameIsFoundInTheLibraryOrReportedMissing) {
    const std::string found = LibraryFile("BG/skies/sky.jpg").string();
    const std::string local = LibraryFile("elsewhere/day.jpg").string();
    const struct {
        const char* what;
        std::string stored;  // CP950 bytes of the field
        std::string setting;
        std::vector<std::string> missing;
    } cases[] = {
        {"Default keeps the picture and reports nothing", "Default", "Default", {}},
        {"empty", "", "", {}},
        {"an existing local path", pfs::ToStoredPath(local), local, {}},
        {"a gone local path found by name", "Z:\\gone\\sky.jpg", found, {}},
        {"another drive found by name", "D:\\pics\\sky.jpg", found, {}},
        {"a bare name found", "sky.jpg", found, {}},
        {"missing", "Z:\\gone\\lost.jpg", "/gone/lost.jpg", {"/gone/lost.jpg"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OpenSomeDesign();
        doc->ClearMissingFiles();
        ASSERT_TRUE(Read(Front(Header(6.00f).Raw(108, c.stored), 6.00f)));
        EXPECT_EQ(doc->Settings().bgFileName3D, c.setting);
        EXPECT_EQ(doc->GetMissingFiles(), c.missing);
        EXPECT_EQ(scene->GetMissingReportsSuppressed(), c.missing.empty() ? 1 : 0)
            << "a missing picture lets the load report again";
    }
}

TEST_F(DesignSceneFileTest, LongPathsComeBackThroughTheLibrarySearch) {
    std::string folder = "BG";
    for (int i = 0; i < 4; ++i) {
        folder += "/a-folder-name-long-enough-to-matter";
    }
    const std::string picture = LibraryFile(folder + "/晚霞.jpg").string();
    const std::string music = LibraryFile("Music/" + folder.substr(3) + "/song.mp3").string();
    ASSERT_GT(picture.size(), 100u);
    doc->Settings().bgFileName3D = picture;
    doc->Settings().music = music;
    ASSERT_TRUE(Write(PathOf("long.dg6")));

    OpenSomeDesign();
    ASSERT_TRUE(ReadFile(PathOf("long.dg6")));
    EXPECT_EQ(doc->Settings().bgFileName3D, picture);
    EXPECT_EQ(doc->Settings().music, music);
    EXPECT_TRUE(doc->GetMissingFiles().empty());
}

TEST_F(DesignSceneFileTest, DocumentBlockFieldsFallBackOnlyWhereTheyArePositiveOrSet) {
    const struct {
        const char* what;
        ShadowColor shadow;
        int32_t tolerance;
        ShadowColor shadowAfter;
        int toleranceAfter;
    } cases[] = {
        {"zeros", {0, 0, 0, 0}, 0, {0.5f, 0.5f, 0.5f, 0.5f}, 12},
        {"negative colour", {-1, 0, 0, 0}, -4, {0.5f, 0.5f, 0.5f, 0.5f}, -4},
        {"alpha alone", {0, 0, 0, 0.4f}, 30, {0, 0, 0, 0.4f}, 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OpenSomeDesign();
        DesignFileBytes document(968);
        document.Floats(212, {c.shadow[0], c.shadow[1], c.shadow[2], c.shadow[3]})
            .Int(232, static_cast<uint32_t>(c.tolerance));
        ASSERT_TRUE(Read(Front(Header(6.02f), 6.02f, PlanBlock(5), document)));
        EXPECT_EQ(view.shadow, c.shadowAfter);
        EXPECT_EQ(scene->GetMirrorTolerance(), c.toleranceAfter);
        EXPECT_EQ(doc->GetBaseDrawing().fileName, "/plans/old.dxf") << "an empty name keeps it";
        EXPECT_EQ(doc->GetTitleFrameFile(), "") << "an empty name empties it";
    }
}

TEST_F(DesignSceneFileTest, WithoutApplyOnlyTheVersionCounterAndViewPointsArrive) {
    OpenSomeDesign();
    OpenDesign expected = Capture();
    expected.version = 6.05f;
    expected.view.storedIdCounter = 77.0;
    expected.view.table = [] {
        ViewPointTable table{};
        const DesignFileBytes points = ViewPoints();
        const auto bytes = points.Span<1000>();
        std::copy(bytes.begin(), bytes.end(), table.begin());
        return table;
    }();
    ASSERT_TRUE(Read(Front(Header(6.05f), 6.05f), false));
    EXPECT_EQ(position, 2300);
    EXPECT_TRUE(Capture() == expected);
}

TEST_F(DesignSceneFileTest, AddedDesignWithoutItsOwnBackgroundMovesTheMergeMarkerOn) {
    const struct {
        int marker;
        std::string background;
        int markerAfter;
    } cases[] = {
        {1, "", 2}, {1, "Default", 2}, {1, "Z:\\bg\\sky.jpg", 1}, {0, "", 0}, {2, "", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.background);
        OpenSomeDesign();
        scene->SetMergeMarker(c.marker);
        ASSERT_TRUE(Read(Front(Header(6.05f).Raw(108, c.background), 6.05f), false));
        EXPECT_EQ(scene->GetMergeMarker(), c.markerAfter);
    }
}

TEST_F(DesignSceneFileTest, FailedWriteIsReported) {
    WriteBytes(PathOf("locked.dg6"), "old");
    FILE* file = std::fopen(PathOf("locked.dg6").c_str(), "rb");
    ASSERT_NE(file, nullptr);
    {
        CBinaryWriter writer(file);
        EXPECT_FALSE(scene->WriteDesign(writer, view));
    }
    std::fclose(file);
    EXPECT_EQ(ReadBytes(PathOf("locked.dg6")), "old");
}
