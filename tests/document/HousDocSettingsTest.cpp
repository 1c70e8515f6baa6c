#include <algorithm>
#include <functional>

#include "DocumentFixture.h"
#include "document/SettingsKeys.h"
#include "foundation/ProfileFile.h"
#include "platform/text/Cp950.h"

namespace {

using SettingsTest = DocumentTest;

CProfileFile OpenProfile(const std::string& path) {
    auto profile = CProfileFile::Open(path);
    EXPECT_TRUE(profile.Ok());
    return profile.Value();
}

std::ptrdiff_t CountCrlf(const std::string& bytes) {
    std::ptrdiff_t count = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos;
         at = bytes.find("\r\n", at + 2)) {
        ++count;
    }
    return count;
}

// Every saved value differs from its default.
HousSettings ChangedSettings() {
    HousSettings s;
    s.designer = "王大明";
    s.intro = "三房兩廳";
    s.showName = "My show";
    s.useUnit = 100;
    s.locationChange = 1;
    s.length = 2500;
    s.width = 1800;
    s.music = "/home/user/Music/很長的背景音樂檔名/song.mid";
    s.autoPlayMusic = 1;
    s.dxfFullSize = 1;
    s.dxfHeight = 60;
    s.dxfWidth = 70;
    s.dsgHeight = 768;
    s.dsgWidth = 1024;
    s.mapHeight = 80;
    s.mapWidth = 90;
    s.quality = 7;
    s.imgSizeSel = 2;
    s.stdResCmbSel = 10;
    s.ratioLock = 0;
    s.chkMapSize = 1;
    s.autoSave = 1;
    s.saveInterval = 15;
    s.autoBack = 0;
    s.saveCopy = 5;
    s.promptSave = 0;
    s.promptNew = 7;
    s.promptPer = 45;
    s.arcStyle = 1;
    s.arrowLength = 12.5f;
    s.arrowAngle = 32.25f;
    s.circleStyle = 3;
    s.curveStyle = 0;
    s.lineStyle = 0;
    s.growStruct = 2;
    s.lineWidth = 25;
    s.drawUnitCombo = 4;
    s.level = 24;
    s.selectSense = 9;
    s.meterColor = 1;
    s.textColor = 2;
    s.dxfColor = 3;
    s.dxfIconColor = 4;
    s.picColor = 5;
    s.shapeColor = 6;
    s.cameraColor = 7;
    s.wallColor = 8;
    s.floorColor = 9;
    s.ceilingColor = 10;
    s.furnitureColor = 11;
    s.photoColor = 12;
    s.lightColor = 13;
    s.lineColor = 14;
    s.gridColor = 0x123456;
    s.wallBrushColor = 0x010203;
    s.ceilingBrushColor = 0x040506;
    s.floorBrushColor = 0xFFFFFF;
    s.gridGap = 25;
    s.gridShow = 0;
    s.rulerShow = 0;
    s.show2DState = 0x7FF;
    s.show3DState = 1;
    s.rodBoxStyle = 2;
    s.rodBoxThickness = 5;
    s.rodBoxColor = 0xFF00;
    s.heightOffsetObj = 150;
    s.lengthOffsetObj = 1;
    s.grid3DColor = 0;
    s.red = 0;
    s.green = 255;
    s.blue = 17;
    s.bgColor = 0;
    s.preview = 0;
    s.syncColor = 0;
    s.bgFileName3D = "";
    s.offsetHeight = 300;
    s.offsetLength = 400;
    s.useSound = 0;
    s.farShow3DDistance = 15000.5f;
    s.viewAngle = 60;
    s.bgRatio = 0;
    s.wallLock = 0;
    s.showLight = 0;
    s.showMirror = 0;
    s.showShadow = 0;
    s.showTexture = 0;
    s.hardware = 32;
    s.showLevelShadow = 0;
    s.company = "家居設計公司";
    s.headInfo = "頁首";
    s.address = "台北市許昌街 1 號";
    s.telephone = "02-1234-5678";
    s.fax = "02-8765-4321";
    return s;
}

TEST_F(SettingsTest, AFreshProgramFolderWritesTheDefaultsOfTheGoldenFile) {
    const std::filesystem::path golden =
        std::filesystem::path(VELMORA_TEST_DATA_DIR) / "settings/default-zadivav.ini";
    const std::string expected = ReadBytes(golden);
    ASSERT_FALSE(expected.empty()) << golden;

    CHousDoc fresh;
    EXPECT_TRUE(messages.empty());
    ASSERT_TRUE(fresh.SaveSettings(SettingsPath()));
    EXPECT_EQ(ReadBytes(SettingsPath()), expected);

    // The golden file read back is written again unchanged.
    CHousDoc reread;
    ASSERT_TRUE(reread.SaveSettings(PathOf("again.ini").string()));
    EXPECT_EQ(ReadBytes(PathOf("again.ini")), expected);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SettingsTest, WrittenSettingsReadBackEqual) {
    CHousDoc written;
    written.Settings() = ChangedSettings();
    ASSERT_TRUE(written.SaveSettings(SettingsPath()));

    const std::string bytes = ReadBytes(SettingsPath());
    EXPECT_NE(bytes.find("ARROW_LENGTH=12.500000\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("MUSIC=" +
                         *text::Utf8ToCp950("Z:\\home\\user\\Music\\很長的背景音樂檔名\\song.mid") +
                         "\r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find("DESIGNER=" + *text::Utf8ToCp950("王大明") + "\r\n"), std::string::npos);

    // A new document reads the file in its constructor.
    CHousDoc read;
    EXPECT_EQ(read.Settings(), ChangedSettings());
    EXPECT_EQ(read.Settings().farShow3DDistance, 15000.5f);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SettingsTest, ExportAndImportThroughAChosenFile) {
    CHousDoc exporter;
    exporter.Settings() = ChangedSettings();
    chosenFile = PathOf("mine").string();
    ASSERT_TRUE(exporter.SaveSettings(""));
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_TRUE(fileRequests[0].save);
    EXPECT_EQ(fileRequests[0].filter, "System Setting File (*.ini)|*.ini||");
    EXPECT_EQ(fileRequests[0].defaultName, "zadivav.ini");
    EXPECT_TRUE(std::filesystem::exists(PathOf("mine.ini")));
    EXPECT_FALSE(std::filesystem::exists(SettingsPath()));

    CHousDoc importer;
    ASSERT_EQ(importer.Settings(), HousSettings{});
    chosenFile = PathOf("mine.ini").string();
    ASSERT_TRUE(importer.LoadSettings(std::nullopt));
    EXPECT_FALSE(fileRequests.back().save);
    EXPECT_EQ(importer.Settings(), ChangedSettings());
}

TEST_F(SettingsTest, CancelledDialogsChangeNothing) {
    CHousDoc doc;
    doc.Settings().length = 2000;
    chosenFile.reset();
    EXPECT_FALSE(doc.SaveSettings(""));
    EXPECT_FALSE(doc.LoadSettings(std::nullopt));
    EXPECT_EQ(doc.Settings().length, 2000);
    EXPECT_TRUE(std::filesystem::is_empty(PathOf("")));
    EXPECT_TRUE(messages.empty());
}

TEST_F(SettingsTest, HandEditedValuesAreBroughtIntoRange) {
    const struct {
        const char* line;
        std::function<double(const HousSettings&)> value;
        double expected;
    } cases[] = {
        {"[2DView]\nGRID_GAP=0", [](auto& s) { return s.gridGap; }, 1},
        {"[2DView]\nGRID_GAP=-50", [](auto& s) { return s.gridGap; }, 1},
        {"[2DView]\nGRID_GAP=9000", [](auto& s) { return s.gridGap; }, 3000},
        {"[2DEdit]\nLEVEL=26", [](auto& s) { return s.level; }, 24},
        {"[2DEdit]\nLEVEL=-1", [](auto& s) { return s.level; }, 0},
        {"[2DEdit]\nARROW_ANGLE=90", [](auto& s) { return s.arrowAngle; }, 20},
        {"[2DEdit]\nARROW_ANGLE=0", [](auto& s) { return s.arrowAngle; }, 20},
        {"[2DEdit]\nARROW_ANGLE=89.5", [](auto& s) { return s.arrowAngle; }, 89.5},
        {"[2DEdit]\nARROW_LENGTH=12.5", [](auto& s) { return s.arrowLength; }, 12.5},
        {"[2DEdit]\nARROW_LENGTH=1e60", [](auto& s) { return s.arrowLength; }, 10},
        {"[2DEdit]\nSELECT_SENSE=0", [](auto& s) { return s.selectSense; }, 1},
        {"[2DEdit]\nDRAW_UNIT_COMBO=6", [](auto& s) { return s.drawUnitCombo; }, 5},
        {"[2DEdit]\nCIRCLE_STYLE=4", [](auto& s) { return s.circleStyle; }, 0},
        {"[3DView]\nVIEW_ANGLE=0", [](auto& s) { return s.viewAngle; }, 30},
        {"[3DView]\nVIEW_ANGLE=120", [](auto& s) { return s.viewAngle; }, 90},
        {"[3DView]\nFAR_SHOW_3D_DISTANCE=500", [](auto& s) { return s.farShow3DDistance; }, 1000},
        {"[3DView]\nFAR_SHOW_3D_DISTANCE=abc", [](auto& s) { return s.farShow3DDistance; }, 15000},
        {"[3DView]\nRED=300", [](auto& s) { return s.red; }, 255},
        {"[3DView]\nBG_COLOR=3", [](auto& s) { return s.bgColor; }, 2},
        {"[3DView]\nBG_RATIO=101", [](auto& s) { return s.bgRatio; }, 100},
        {"[3DView]\nHARDWARE=48", [](auto& s) { return s.hardware; }, 64},
        {"[3DView]\nSHOW_SHADOW=5", [](auto& s) { return s.showShadow; }, 1},
        {"[I/O]\nSAVE_INTERVAL=0", [](auto& s) { return s.saveInterval; }, 1},
        {"[I/O]\nSAVE_INTERVAL=99999", [](auto& s) { return s.saveInterval; }, 35791},
        {"[I/O]\nPROMPT_NEW=0", [](auto& s) { return s.promptNew; }, 1},
        {"[I/O]\nPROMPT_PER=-5", [](auto& s) { return s.promptPer; }, 1},
        {"[I/O]\nSTD_RES_CMB_SEL=11", [](auto& s) { return s.stdResCmbSel; }, 0},
        {"[I/O]\nQUALITY=8", [](auto& s) { return s.quality; }, 0},
        {"[I/O]\nSAVE_COPY=9", [](auto& s) { return s.saveCopy; }, 5},
        {"[I/O]\nDSG_WIDTH=0", [](auto& s) { return s.dsgWidth; }, 1},
        {"[3DEdit]\nRODBOX_THICKNESS=0", [](auto& s) { return s.rodBoxThickness; }, 1},
        {"[3DEdit]\nHEIGHT_OFFSET_OBJ=151", [](auto& s) { return s.heightOffsetObj; }, 150},
        {"[General]\nLENGTH=10", [](auto& s) { return s.length; }, 1000},
        {"[General]\nLENGTH=12abc", [](auto& s) { return s.length; }, 1000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        WriteBytes(SettingsPath(), std::string(c.line) + "\r\n");
        CHousDoc doc;
        EXPECT_DOUBLE_EQ(c.value(doc.Settings()), c.expected);
    }
}

TEST_F(SettingsTest, NamesKeepTheirByteCapOnACharacterBoundaryAndPathsStayWhole) {
    const std::string longPath = "/home/user/" + std::string(60, 'm') + ".mid";
    CProfileFile file(SettingsPath());
    std::string chinese = "a";
    for (int i = 0; i < 30; ++i) {
        chinese += "設";
    }
    ASSERT_TRUE(file.SetString("General", "DESIGNER", chinese));
    ASSERT_TRUE(file.SetString("General", "MUSIC", longPath));
    ASSERT_TRUE(file.SetString("3DView", "3DBGFILENAME", longPath));
    ASSERT_TRUE(file.SetString("Designer", "ADDRESS", std::string(300, 'x')));
    ASSERT_TRUE(file.Save().Ok());

    CHousDoc doc;
    std::string expected = "a";
    for (int i = 0; i < 24; ++i) {
        expected += "設";
    }
    EXPECT_EQ(doc.Settings().designer, expected);  // 49 bytes: "a" and 24 two-byte characters
    EXPECT_EQ(doc.Settings().music, longPath);
    EXPECT_EQ(doc.Settings().bgFileName3D, longPath);
    EXPECT_EQ(doc.Settings().address, std::string(254, 'x'));
    EXPECT_EQ(doc.GetDefaultMusic(), longPath);
}

TEST_F(SettingsTest, PathKeysAreStoredAsDriveZPathsAndReadBackAsLocalOnes) {
    const struct {
        const char* stored;
        const char* local;
    } cases[] = {
        {"Z:\\home\\user\\a.mid", "/home/user/a.mid"},
        {"z:\\bg\\sky.jpg", "/bg/sky.jpg"},
        {"Music\\a.mid", "Music/a.mid"},
        {"/home/user/a.mid", "/home/user/a.mid"},  // as earlier versions wrote it
        {"C:\\Music\\a.mid", "C:\\Music\\a.mid"},  // another drive stays as it is
        {"Default", "Default"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        WriteBytes(SettingsPath(), std::string("[General]\r\nMUSIC=") + c.stored +
                                       "\r\n[3DView]\r\n3DBGFILENAME=" + c.stored + "\r\n");
        CHousDoc doc;
        EXPECT_EQ(doc.Settings().music, c.local);
        EXPECT_EQ(doc.Settings().bgFileName3D, c.local);
    }

    CHousDoc doc;
    doc.Settings().music = "/home/user/a.mid";
    doc.Settings().bgFileName3D = "/bg/sky.jpg";
    ASSERT_TRUE(doc.SaveSettings(SettingsPath()));
    CProfileFile file = OpenProfile(SettingsPath());
    EXPECT_EQ(file.GetString("General", "MUSIC"), "Z:\\home\\user\\a.mid");
    EXPECT_EQ(file.GetString("3DView", "3DBGFILENAME"), "Z:\\bg\\sky.jpg");
}

TEST_F(SettingsTest, SavingKeepsOtherKeysAndOnlyTheKeysItOwns) {
    WriteBytes(SettingsPath(),
               "; kept comment\r\n"
               "[General]\r\n"
               "PROJECT_DIRECTORY=/nowhere\r\n"
               "CHK_SAVE=1\r\n"
               "[2DView]\r\n"
               "GRID_HEIGHT=5\r\n"
               "[3DView]\r\n"
               "PREVIEWTURN=1\r\n"
               "[Database]\r\n"
               "LOCALDATABASE=RIr6.db\r\n");
    CHousDoc doc;
    // Written only, never read back; read only, never written.
    EXPECT_EQ(doc.Settings().gridHeight, 2000);
    EXPECT_EQ(doc.Settings().previewTurn, 1);

    doc.Settings().previewTurn = 0;
    ASSERT_TRUE(doc.SaveSettings(SettingsPath()));
    const std::string bytes = ReadBytes(SettingsPath());
    EXPECT_EQ(bytes.rfind("; kept comment\r\n[General]\r\nPROJECT_DIRECTORY=/nowhere\r\n", 0), 0u);
    CProfileFile file = OpenProfile(SettingsPath());
    EXPECT_EQ(file.GetInt("General", "CHK_SAVE", -1), 1);  // no General page: the file's own
    EXPECT_EQ(file.GetInt("2DView", "GRID_HEIGHT", -1), 2000);
    EXPECT_EQ(file.GetInt("3DView", "PREVIEWTURN", -1), 1);
    EXPECT_EQ(file.GetString("Database", "LOCALDATABASE"), "RIr6.db");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), CountCrlf(bytes));
}

TEST_F(SettingsTest, PageSwitchesAndSaveAllFlagComeFromTheOptionPages) {
    FakeMainWindow window;
    window.pages = OptionPageValues{1, 0, 1, 0, 1, 0};
    CHousDoc doc(&window);
    ASSERT_TRUE(doc.SaveSettings(SettingsPath()));
    CProfileFile file = OpenProfile(SettingsPath());
    EXPECT_EQ(file.GetInt("General", "CHK_SAVE", -1), 1);
    EXPECT_EQ(file.GetInt("3DView", "WALL_LOCK", -1), 0);
    EXPECT_EQ(file.GetInt("3DView", "SHOW_LIGHT", -1), 1);
    EXPECT_EQ(file.GetInt("3DView", "SHOW_MIRROR", -1), 0);
    EXPECT_EQ(file.GetInt("3DView", "SHOW_SHADOW", -1), 1);
    EXPECT_EQ(file.GetInt("3DView", "SHOW_TEXTURE", -1), 0);
    // The document's current switches are not the start-up ones.
    EXPECT_EQ(doc.Settings().wallLock, 1);
}

TEST_F(SettingsTest, WithSaveAllOffOnlyFourSwitchesAreWritten) {
    WriteBytes(SettingsPath(), "[2DView]\r\nGRID_COLOR=1\r\n[3DView]\r\nSHOW_TEXTURE=1\r\n");
    CHousDoc doc;
    doc.Settings().gridColor = 99;
    ASSERT_TRUE(doc.Save3DViewSwitches(OptionPageValues{0, 0, 0, 1, 0, 0}));
    EXPECT_EQ(ReadBytes(SettingsPath()),
              "[2DView]\r\nGRID_COLOR=1\r\n[3DView]\r\nSHOW_TEXTURE=1\r\n"
              "WALL_LOCK=0\r\nSHOW_LIGHT=0\r\nSHOW_MIRROR=1\r\nSHOW_SHADOW=0\r\n");
}

TEST_F(SettingsTest, ANewDesignReadsTheBackgroundAgain) {
    CHousDoc doc;
    WriteBytes(SettingsPath(), "[3DView]\r\nBG_COLOR=1\r\nRED=10\r\nGREEN=400\r\nLENGTH=1\r\n");
    doc.Settings().length = 2222;
    ASSERT_TRUE(doc.ReloadBackgroundSettings());
    EXPECT_EQ(doc.Settings().bgColor, 1);
    EXPECT_EQ(doc.Settings().red, 10);
    EXPECT_EQ(doc.Settings().green, 255);
    EXPECT_EQ(doc.Settings().blue, 160);
    EXPECT_EQ(doc.Settings().length, 2222);
}

TEST_F(SettingsTest, TextWithoutABig5FormIsRefusedAndTheFileKept) {
    const std::string old = "[General]\r\nLENGTH=2000\r\n";
    WriteBytes(SettingsPath(), old);
    CHousDoc doc;
    doc.Settings().company = "Design 😀";
    EXPECT_FALSE(doc.SaveSettings(SettingsPath()));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(
        messages[0].rfind("無法將設定儲存到「" + SettingsPath() + "」：[Designer] DESIGNER", 0), 0u)
        << messages[0];
    EXPECT_EQ(ReadBytes(SettingsPath()), old);
}

TEST_F(SettingsTest, FailedWriteLeavesTheOldFileAndIsReported) {
    const std::string old = "[General]\r\nLENGTH=2000\r\n";
    WriteBytes(SettingsPath(), old);
    CHousDoc doc;
    bool saved = true;
    bool switchesSaved = true;
    {
        ScopedFileSizeLimit limit(64);
        saved = doc.SaveSettings(SettingsPath());
        switchesSaved = doc.Save3DViewSwitches(OptionPageValues{});
    }
    EXPECT_FALSE(saved);
    EXPECT_FALSE(switchesSaved);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].rfind("無法將設定儲存到「" + SettingsPath() + "」：", 0), 0u)
        << messages[0];
    EXPECT_EQ(ReadBytes(SettingsPath()), old);
}

TEST_F(SettingsTest, AnUnreadableFileIsReportedAndChangesNothing) {
    CHousDoc doc;
    doc.Settings().length = 2500;
    std::filesystem::create_directory(PathOf("folder.ini"));
    EXPECT_FALSE(doc.LoadSettings(PathOf("folder.ini").string()));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("無法讀取設定：", 0), 0u) << messages[0];
    EXPECT_EQ(doc.Settings().length, 2500);
}

TEST_F(SettingsTest, EveryKeyIsListedOnceInWritingOrder) {
    std::vector<std::string> names;
    for (const SettingKey& key : GetSettingKeys()) {
        names.push_back(std::string(key.section) + "/" + key.key);
    }
    EXPECT_EQ(names.size(), 97u);
    EXPECT_EQ(names.front(), "General/DESIGNER");
    EXPECT_EQ(names.back(), "Designer/FAX");
    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
}

}  // namespace
