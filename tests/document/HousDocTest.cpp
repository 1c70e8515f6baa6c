#include <array>
#include <cstdlib>

#include "DocumentFixture.h"
#include "document/EditMode.h"
#include "foundation/GeometryMath.h"
#include "platform/draw/RecordingDrawContext.h"

namespace {

using HousDocTest = DocumentTest;

// Stand-ins for objects of the scene: the document only keeps their addresses.
C3DObject* FakeObject(int& slot) {
    return reinterpret_cast<C3DObject*>(&slot);
}

TEST_F(HousDocTest, ConstructionTakesTheDocumentedStartingValues) {
    WriteBytes(SettingsPath(), "[2DView]\r\nGRID_SHOW=0\r\n[General]\r\nMUSIC=a.mid\r\n");
    CHousDoc doc;
    EXPECT_EQ(doc.GetEditMode(), 0);
    EXPECT_EQ(doc.GetShowMode(), 0);
    EXPECT_DOUBLE_EQ(doc.GetDrawUnit(), 5.0);
    EXPECT_EQ(doc.GetSavedSwitches().gridShown, 0);
    EXPECT_EQ(doc.GetSavedSwitches().rulerShown, 1);
    EXPECT_EQ(doc.GetDefaultMusic(), "a.mid");
    // From the values before the file was read: 3000 x 0.5 + the rulers.
    EXPECT_EQ(doc.GetPlanScrollSize().x, 1524);
    EXPECT_EQ(doc.GetPlanScrollSize().y, 1524);
    EXPECT_DOUBLE_EQ(doc.GetWallTop(), 130.0);
    EXPECT_DOUBLE_EQ(doc.GetWallThickness(), 7.5);
    EXPECT_EQ(doc.GetArrowHeadKind(), 1);
    EXPECT_EQ(doc.GetShowGroupIndex(), -1);
    EXPECT_EQ(doc.GetUndoLimit(), 50);
    EXPECT_EQ(doc.GetVideoSettings().frameRate, 20);
    EXPECT_EQ(doc.GetVideoSettings().quality, 9000);
    EXPECT_EQ(std::atoi(doc.GetYear().c_str()) >= 2024, true);
    EXPECT_GE(std::atoi(doc.GetMonth().c_str()), 1);
    EXPECT_LE(std::atoi(doc.GetDay().c_str()), 31);
    for (const LogFontRecord& font : doc.GetFontDescriptions()) {
        EXPECT_EQ(font.height, -32);
        EXPECT_EQ(font.weight, 400);
        EXPECT_EQ(font.outPrecision, 4);
        EXPECT_EQ(font.pitchAndFamily, 32);
        EXPECT_STREQ(font.faceName, "Arial");
    }
}

TEST_F(HousDocTest, LibraryFoldersHangBelowTheProgramFolderWhateverTheirCase) {
    std::filesystem::create_directory(PathOf("2DIcon"));
    CHousDoc doc;
    const std::string folder = PathOf("").string();
    EXPECT_EQ(doc.GetProgramFolder(), folder);
    EXPECT_EQ(doc.GetProgramFolder().back(), '/');
    EXPECT_EQ(doc.GetModelFolder(), folder + "SModel");
    EXPECT_EQ(doc.GetMusicFolder(), folder + "Music");
    EXPECT_EQ(doc.Get2DIconFolder(), folder + "2DIcon");
    EXPECT_EQ(doc.GetResourceFolder(0), folder + "SModel");
    EXPECT_EQ(doc.GetResourceFolder(4), folder + "STPicture");
    EXPECT_EQ(doc.GetResourceFolder(19), folder + "2DIcon");
    EXPECT_EQ(doc.GetResourceFolder(5), folder);
}

TEST_F(HousDocTest, ProjectDirectoryFallsBackToTheHomeFolder) {
    const std::string home = std::string(std::getenv("HOME") ? std::getenv("HOME") : "");
    const std::string mine = PathOf("MyDesign").string();
    const std::string other = PathOf("Designs").string();
    std::filesystem::create_directory(other);
    const struct {
        const char* name;
        std::string stored;
        bool createMyDesign;
        std::string expected;
    } cases[] = {
        {"empty, MyDesign present", "", true, mine},
        {"empty, no MyDesign", "", false, home + "/"},
        {"existing local folder", other, false, other},
        {"stored drive Z form", "Z:" + other, false, other},
        {"missing folder", "/no/such/folder", false, home + "/"},
        {"another drive", "C:\\MyDesign\\", false, home + "/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.createMyDesign) {
            std::filesystem::create_directory(mine);
        } else {
            std::filesystem::remove(mine);
        }
        std::string stored = c.stored;
        for (char& ch : stored) {
            if (c.stored.rfind("Z:", 0) == 0 && ch == '/') {
                ch = '\\';
            }
        }
        WriteBytes(SettingsPath(), "[General]\r\nPROJECT_DIRECTORY=" + stored + "\r\n");
        CHousDoc doc;
        EXPECT_EQ(doc.GetProjectDirectory(), c.expected);
    }
}

TEST_F(HousDocTest, AutoSaveTimerRunsWhileTheDocumentLives) {
    WriteBytes(SettingsPath(), "[I/O]\r\nAUTO_SAVE=1\r\nSAVE_INTERVAL=3\r\n");
    FakeMainWindow window;
    {
        CHousDoc doc(&window);
        EXPECT_EQ(window.timers, (std::map<int, int>{{2, 180000}}));
    }
    EXPECT_TRUE(window.timers.empty());
}

TEST_F(HousDocTest, DrawUnitFollowsTheComboAndStaysInItsTable) {
    const struct {
        int combo;
        double unit;
        int keptCombo;
    } cases[] = {{0, 1, 0},  {1, 2, 1},  {2, 5, 2},  {3, 10, 3}, {4, 20, 4},
                 {5, 50, 5}, {6, 50, 5}, {-3, 1, 0}, {99, 50, 5}};
    CHousDoc doc;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.combo);
        doc.Settings().drawUnitCombo = c.combo;
        doc.UpdateDrawUnitStep();
        EXPECT_DOUBLE_EQ(doc.GetDrawUnit(), c.unit);
        EXPECT_EQ(doc.Settings().drawUnitCombo, c.keptCombo);
    }
}

TEST_F(HousDocTest, ZoomPercentFollowsTheComboTable) {
    const struct {
        int selection;
        int percent;
    } cases[] = {{0, 2000}, {5, 1500}, {10, 1000}, {11, 900}, {15, 500}, {16, 450},
                 {22, 150}, {23, 100}, {24, 90},   {31, 20},  {32, 100}, {-1, 100}};
    CHousDoc doc;
    EXPECT_EQ(doc.GetZoomPercent(nullptr), 100);  // no plan frame yet
    FakePlanView plan;
    doc.Attach2DView(&plan);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selection);
        plan.frame.zoomSelection = c.selection;
        EXPECT_EQ(doc.GetZoomPercent(nullptr), c.percent);
    }
    plan.frame.zoomSelection = 0;
    draw::RecordingDrawContext printer({1000, 1000}, 600, true);
    EXPECT_EQ(doc.GetZoomPercent(&printer), 100);
}

TEST_F(HousDocTest, PickToleranceIsStrictAndNarrowInDxfMode) {
    CHousDoc doc;
    ASSERT_EQ(doc.Settings().selectSense, 4);
    EXPECT_EQ(doc.GetPickTolerance(), 4);
    doc.SetEditMode(EditMode::kDxfToStructure);
    EXPECT_EQ(doc.GetPickTolerance(), 1);
    doc.SetEditMode(EditMode::kLine);
    doc.SetSnapToTolerance(0);
    EXPECT_EQ(doc.GetPickTolerance(), 1);
    doc.SetSnapToTolerance(1);

    EXPECT_TRUE(doc.IsWithinPickTolerance({10, 10}, {13, 7}, 0));
    EXPECT_FALSE(doc.IsWithinPickTolerance({10, 10}, {14, 10}, 0));
    EXPECT_FALSE(doc.IsWithinPickTolerance({10, 10}, {10, 6}, 4));
    EXPECT_TRUE(doc.IsWithinPickTolerance({10, 10}, {10, 6}, 5));
    EXPECT_FALSE(doc.IsWithinPickTolerance({INT32_MIN, 0}, {INT32_MAX, 0}, 5));
    doc.SetSnapToTolerance(0);
    EXPECT_FALSE(doc.IsWithinPickTolerance({10, 10}, {11, 10}, 0));
    EXPECT_TRUE(doc.IsWithinPickTolerance({10, 10}, {10, 10}, 0));
}

TEST_F(HousDocTest, MissingFilesAreListedOnce) {
    CHousDoc doc;
    doc.AddMissingFile("沙發.qvx");
    doc.AddMissingFile("a.jpg");
    doc.AddMissingFile("沙發.qvx");
    doc.AddMissingFile("A.jpg");
    EXPECT_EQ(doc.GetMissingFiles(), (std::vector<std::string>{"沙發.qvx", "a.jpg", "A.jpg"}));
}

TEST_F(HousDocTest, CoordinateBoxIsHiddenOutsideTheOutlineModes) {
    CHousDoc doc;
    doc.SetEditMode(32);  // without a plan view nothing is there to hide
    FakePlanView plan;
    doc.Attach2DView(&plan);
    for (int mode : {10, 11, 21, 31}) {
        doc.SetEditMode(mode);
    }
    EXPECT_EQ(plan.boxHidden, 0);
    for (int mode : {9, 32, 0, 200, 1100}) {
        doc.SetEditMode(mode);
    }
    EXPECT_EQ(plan.boxHidden, 5);
    EXPECT_EQ(doc.GetEditMode(), 1100);
}

TEST_F(HousDocTest, EditModeKinds) {
    CHousDoc doc;
    for (int mode : {206, 216, 226, 236, 256, 257, 266, 276, 706, 707, 708, 716,
                     726, 736, 746, 756, 766, 776, 777, 786, 796, 806, 826, 890}) {
        doc.SetEditMode(mode);
        EXPECT_TRUE(doc.IsMultiSelectMode()) << mode;
    }
    for (int mode : {0, 200, 700, 710, 810, 820, 911, 1100}) {
        doc.SetEditMode(mode);
        EXPECT_FALSE(doc.IsMultiSelectMode()) << mode;
    }
    for (int mode : {11, 21, 161, 601, 651}) {
        doc.SetEditMode(mode);
        EXPECT_TRUE(doc.IsDrawingInProgress()) << mode;
    }
    for (int mode : {10, 600, 206, 912}) {
        doc.SetEditMode(mode);
        EXPECT_FALSE(doc.IsDrawingInProgress()) << mode;
    }
}

TEST_F(HousDocTest, PickedObjectPriority) {
    CHousDoc doc;
    int slots[7] = {};
    EXPECT_EQ(doc.GetPickedObject(), nullptr);
    doc.SetPickedObject(CHousDoc::PickedKind::Model, FakeObject(slots[0]));
    doc.SetPickedObject(CHousDoc::PickedKind::Floor, FakeObject(slots[1]));
    EXPECT_EQ(doc.GetPickedObject(), FakeObject(slots[1]));
    doc.SetPickedObject(CHousDoc::PickedKind::Ceiling, FakeObject(slots[2]));
    EXPECT_EQ(doc.GetPickedObject(), FakeObject(slots[2]));
    doc.SetPickedObject(CHousDoc::PickedKind::Photo, FakeObject(slots[3]));
    doc.SetPickedObject(CHousDoc::PickedKind::Light, FakeObject(slots[4]));
    EXPECT_EQ(doc.GetPickedObject(), FakeObject(slots[4]));
    doc.SetPickedObject(CHousDoc::PickedKind::Text3D, FakeObject(slots[5]));
    EXPECT_EQ(doc.GetPickedObject(), FakeObject(slots[5]));
    EXPECT_EQ(doc.GetPickedObject(CHousDoc::PickedKind::Photo), FakeObject(slots[3]));
}

TEST_F(HousDocTest, DrawShapeKindOfTheCreationModes) {
    CHousDoc doc;
    FakePlanView plan;
    doc.Attach2DView(&plan);
    struct Case {
        int mode;
        bool flag;
        int kind;
    };
    for (const Case& c :
         {Case{11, false, 50}, Case{21, false, 52}, Case{31, true, 51}, Case{631, true, 25},
          Case{621, false, 1}, Case{0, true, 0}, Case{601, true, 0}}) {
        doc.SetEditMode(c.mode);
        EXPECT_EQ(doc.GetDrawShapeKind(c.flag), c.kind) << c.mode;
    }
    doc.SetEditMode(21);
    doc.SetWallValues(130.0, 0.0, 0.0);
    EXPECT_EQ(doc.GetDrawShapeKind(false), 49);

    doc.SetEditMode(621);
    doc.Settings().arcStyle = 1;
    plan.arcDirection = 1;
    EXPECT_EQ(doc.GetDrawShapeKind(false), 2);
    plan.arcDirection = 2;
    EXPECT_EQ(doc.GetDrawShapeKind(false), 3);

    doc.SetEditMode(641);
    const int withFlag[] = {4102, 4103, 8, 4105};
    for (int style = 0; style < 4; ++style) {
        doc.Settings().circleStyle = style;
        EXPECT_EQ(doc.GetDrawShapeKind(false), 6 + style);
        EXPECT_EQ(doc.GetDrawShapeKind(true), withFlag[style]);
    }
}

TEST_F(HousDocTest, WallBarShowsTwiceTheWallValues) {
    CHousDoc doc;
    doc.UpdateWallBarFields();  // no plan frame: nothing happens
    FakePlanView plan;
    doc.Attach2DView(&plan);
    doc.UpdateWallBarFields();
    EXPECT_EQ(plan.frame.wallBar,
              (std::map<int, std::string>{{1002, "260"}, {1003, "0"}, {1004, "15"}}));
    doc.SetWallValues(130.0, 0.0, 7.25);
    doc.UpdateWallBarFields();
    EXPECT_EQ(plan.frame.wallBar[1004], "14.5");

    plan.frame.wallBar = {{1002, "280.5"}, {1003, "-10"}, {1004, "abc"}};
    const CHousDoc::WallBarValues values = doc.ReadWallBarFields();
    EXPECT_FLOAT_EQ(values.top, 280.5f);
    EXPECT_FLOAT_EQ(values.bottom, -10.0f);
    EXPECT_FLOAT_EQ(values.thickness, 0.0f);
}

// The wall bar's edits 1002 (top), 1003 (bottom) and 1004 (thickness).
std::map<int, std::string> WallBar(const char* top, const char* bottom, const char* thickness) {
    return {{1002, top}, {1003, bottom}, {1004, thickness}};
}

TEST_F(HousDocTest, LeavingTheWallBarKeepsOnlyUsableValues) {
    const std::string topBelowBottom = "下限值高於上限值!";
    const struct {
        std::map<int, std::string> typed;
        std::map<int, std::string> shown;
        std::array<double, 3> kept;  // halves of top, bottom and thickness
        bool told;
    } cases[] = {
        {WallBar("300", "20.5", "24"), WallBar("300", "20.5", "24"), {150.0, 10.25, 12.0}, false},
        {WallBar("280cm", "0", "15"), WallBar("280", "0", "15"), {140.0, 0.0, 7.5}, false},
        // Text that is no number reads as 0, as atof reads it.
        {WallBar("abc", "0", "15"), WallBar("260", "0", "15"), {130.0, 0.0, 7.5}, true},
        {WallBar("260", "abc", "15"), WallBar("260", "0", "15"), {130.0, 0.0, 7.5}, false},
        {WallBar("260", "0", "abc"), WallBar("260", "0", "0"), {130.0, 0.0, 0.0}, false},
        {WallBar("260", "-10", "15"), WallBar("260", "0", "15"), {130.0, 0.0, 7.5}, false},
        {WallBar("1e300", "0", "15"), WallBar("260", "0", "15"), {130.0, 0.0, 7.5}, false},
        {WallBar("100", "250", "15"), WallBar("260", "0", "15"), {130.0, 0.0, 7.5}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.at(1002) + " / " + c.typed.at(1003) + " / " + c.typed.at(1004));
        messages.clear();
        CHousDoc doc;
        FakePlanView plan;
        doc.Attach2DView(&plan);
        plan.frame.wallBar = c.typed;
        doc.ApplyWallBarFields();
        EXPECT_EQ(plan.frame.wallBar, c.shown);
        EXPECT_DOUBLE_EQ(doc.GetWallTop(), c.kept[0]);
        EXPECT_DOUBLE_EQ(doc.GetWallBottom(), c.kept[1]);
        EXPECT_DOUBLE_EQ(doc.GetWallThickness(), c.kept[2]);
        EXPECT_EQ(messages, std::vector<std::string>(c.told ? 1 : 0, topBelowBottom));
        doc.Attach2DView(nullptr);
    }
}

TEST_F(HousDocTest, PlanOriginAndScale) {
    CHousDoc doc;
    doc.SetPlanViewOrigin({10, 20});
    EXPECT_EQ(doc.GetPlanOrigin(nullptr).x, 34);
    EXPECT_EQ(doc.GetPlanOrigin(nullptr).y, 44);
    doc.Settings().rulerShow = 0;
    EXPECT_EQ(doc.GetPlanOrigin(nullptr).x, 10);

    draw::RecordingDrawContext screen;
    screen.SetViewportOrg(-100, -50);
    EXPECT_EQ(doc.GetPlanOrigin(&screen).x, 110);
    EXPECT_EQ(doc.GetPlanOrigin(&screen).y, 70);

    doc.SetPlanZoomFactor(2.0);
    doc.SetPrintScale(0.25);
    draw::RecordingDrawContext printer({1000, 1000}, 600, true);
    EXPECT_DOUBLE_EQ(doc.GetPlanScale(screen), 2.0);
    EXPECT_DOUBLE_EQ(doc.GetPlanScale(printer), 0.25);

    doc.Settings().rulerShow = 1;
    doc.Settings().length = 2000;
    doc.UpdatePlanScrollSize();
    EXPECT_EQ(doc.GetPlanScrollSize().x, 4024);
    EXPECT_EQ(doc.GetPlanScrollSize().y, 6024);
}

TEST_F(HousDocTest, CameraPlanPoseTurnsTheHeadingRound) {
    CHousDoc doc;
    doc.StoreCameraPlanPose();  // no 3D view: unchanged
    EXPECT_EQ(doc.GetCameraPlanPose().heading, 0.0);
    Fake3DView view;
    doc.Attach3DView(&view);
    view.eye = {120.0f, 160.0f, -340.0f};
    doc.StoreCameraPlanPose();
    EXPECT_EQ(doc.GetCameraPlanPose().heading, 0.0);
    EXPECT_DOUBLE_EQ(doc.GetCameraPlanPose().x, 120.0);
    EXPECT_DOUBLE_EQ(doc.GetCameraPlanPose().z, -340.0);
    view.heading = kPi / 2.0;
    doc.StoreCameraPlanPose();
    EXPECT_DOUBLE_EQ(doc.GetCameraPlanPose().heading, 1.5 * kPi);
}

TEST_F(HousDocTest, ViewsAreReachedOnlyWhenAttached) {
    CHousDoc doc;
    doc.UpdateAllViews(2100);
    doc.Repaint3DView();
    doc.SetStatusText("x");
    EXPECT_EQ(doc.Get2DFrame(), nullptr);
    EXPECT_EQ(doc.GetCameraPosition().x, 0.0f);

    FakePlanView plan;
    Fake3DView view;
    doc.Attach2DView(&plan);
    doc.Attach3DView(&view);
    doc.UpdateAllViews(2100);
    doc.Repaint3DView();
    doc.Redraw2DView();
    doc.Activate3DViewFrame();
    doc.Show2DViewFrame();
    doc.SetStatusText("ready");
    doc.SetCameraPosition(1.0f, 2.0f, 3.0f);
    EXPECT_EQ(plan.hints, std::vector<int>{2100});
    EXPECT_EQ(view.hints, std::vector<int>{2100});
    EXPECT_EQ(view.repaints, 1);
    EXPECT_EQ(plan.redraws, 1);
    EXPECT_EQ(view.activations, 1);
    EXPECT_TRUE(plan.shown);
    EXPECT_EQ(view.status, "ready");
    EXPECT_EQ(doc.GetCameraPosition().z, 3.0f);
    EXPECT_EQ(doc.Get2DFrame(), &plan.frame);
}

TEST_F(HousDocTest, PaperSizeAndOffsetComeFromThePrinter) {
    struct FakePrinter : IPrinterQueries {
        POINT GetDefaultPaperSize() override { return paper; }
        POINT GetPrinterPhysicalOffset() override {
            ++offsetQueries;
            return POINT{30, 40};
        }
        POINT paper;
        int offsetQueries = 0;
    } printer;

    CHousDoc none;
    EXPECT_EQ(none.GetDefaultPaperSize().x, 0);
    EXPECT_EQ(none.GetPrinterOffset().x, 0);

    CHousDoc unknownPaper(nullptr, &printer);
    EXPECT_EQ(printer.offsetQueries, 1);
    EXPECT_EQ(unknownPaper.GetPrinterOffset().y, 40);

    printer.paper = POINT{2100, 2970};
    unknownPaper.UpdateDefaultPaperSize();
    EXPECT_EQ(printer.offsetQueries, 1);
    EXPECT_EQ(unknownPaper.GetDefaultPaperSize().y, 2970);
    EXPECT_EQ(unknownPaper.GetPrinterOffset().y, 0);
}

TEST_F(HousDocTest, HardwareButtonShowsWhetherHardwareProcessingIsUsed) {
    FakeMainWindow window;
    CHousDoc doc(&window);
    doc.UpdateHardwareAccelButton();
    EXPECT_EQ(window.accelBitmap, 571);  // the device supports software processing only
    doc.SetDeviceCreationFlags(64);
    doc.UpdateHardwareAccelButton();
    EXPECT_EQ(window.accelBitmap, 570);
    doc.Settings().hardware = 32;
    doc.UpdateHardwareAccelButton();
    EXPECT_EQ(window.accelBitmap, 571);
}

TEST_F(HousDocTest, CopyBufferKeepsObjectsPerType) {
    CHousDoc doc;
    CCopyBuffer& buffer = doc.GetCopyBuffer();
    EXPECT_TRUE(buffer.IsEmpty());
    int a = 0;
    buffer.Add(20, reinterpret_cast<CDesignObject*>(&a));
    buffer.Add(21, reinterpret_cast<CDesignObject*>(&a));
    buffer.Add(-1, reinterpret_cast<CDesignObject*>(&a));
    EXPECT_EQ(buffer.GetList(20).size(), 1u);
    EXPECT_TRUE(buffer.GetList(21).empty());
    buffer.Clear();
    EXPECT_TRUE(buffer.IsEmpty());
}

}  // namespace
