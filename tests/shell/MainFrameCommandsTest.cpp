#include "shell/MainFrameCommands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "shell/MainFrameWindow.h"
#include "support/TempFolder.h"

namespace {

class FakeFrameWindow : public IMainFrameWindow {
public:
    void ArrangeBarsForShowMode() override { barLayout = "show"; }
    void HoldRepaints(bool) override {}
    void ArrangeBarsForEditMode() override { barLayout = "edit"; }
    void StartTimer(int timerId, int milliseconds) override { timers[timerId] = milliseconds; }
    void StopTimer(int timerId) override {
        timers.erase(timerId);
        stopped.push_back(timerId);
    }
    void SetHardwareAccelButton(int) override {}
    std::optional<OptionPageValues> GetOptionPageValues() const override { return std::nullopt; }
    void SetFrameTitle(std::string_view text) override { titles.emplace_back(text); }
    void Get3DViewClientSize(int& w, int& h) const override {
        w = width;
        h = height;
    }
    void Resize3DViewPaneBy(int dx, int dy) override {
        width += dx;
        height += dy;
        resizes.push_back({dx, dy});
    }

    void AddToRecentFileList(const std::string& path) override { recentFiles.push_back(path); }
    void ShowMissingFiles() override { ++missingFileReports; }

    std::map<int, int> timers;
    std::vector<int> stopped;
    std::vector<std::string> recentFiles;
    int missingFileReports = 0;
    std::vector<std::string> titles;
    int width = 800;
    int height = 600;
    std::vector<std::pair<int, int>> resizes;
    std::string barLayout;
};

class Fake3DView : public I3DView {
public:
    void OnDocumentUpdate(int) override {}
    void ActivateFrame() override {}
    void ShowFrame(bool) override {}
    void RepaintNow() override {}
    void SetStatusText(std::string_view) override {}
    CameraPosition GetCameraPosition() const override { return {}; }
    void SetCameraPosition(float, float, float) override {}
    double GetCameraHeading() const override { return 0.0; }
    double GetCameraPitch() const override { return 0.0; }
    void SetCameraAngles(double, double) override {}
    void SetWireframe(bool flag) override { wireframe = flag; }
    void ToggleWireframe() override { wireframe = !wireframe; }
    void ToggleGrid() override {}
    void SetClearColor(uint8_t r, uint8_t g, uint8_t b) override { clearColor = {r, g, b}; }
    bool SaveDesign(int mode) override {
        saves.push_back(mode);
        if (saveSucceeds && !pathAfterSave.empty()) {
            document->SetDesignPath(pathAfterSave);
        }
        return saveSucceeds;
    }
    void ClearDesign() override { ++clears; }
    bool LoadDesign(const std::string& path, bool merge) override {
        loads.push_back(path);
        document->ClearMissingFiles();
        for (const std::string& missing : missingOnLoad) {
            document->AddMissingFile(missing);
        }
        if (loadSucceeds && !merge) {
            document->SetDesignPath(path);
        }
        return loadSucceeds;
    }
    bool IsOrthographic() const override { return orthographic; }
    void ReturnToPerspective() override { orthographic = false; }

    CHousDoc* document = nullptr;
    std::optional<bool> wireframe;
    std::vector<int> clearColor;
    std::vector<int> saves;
    bool saveSucceeds = true;
    std::string pathAfterSave;
    int clears = 0;
    std::vector<std::string> loads;
    bool loadSucceeds = true;
    std::vector<std::string> missingOnLoad;
    bool orthographic = false;
};

}  // namespace

class MainFrameCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.Write("zadivav.ini",
                     "[I/O]\r\nPROMPT_NEW=3\r\nPROMPT_PER=7\r\n[3DView]\r\nBG_COLOR=0\r\n");
        SetProgramFolder(folder.Path());
        document = std::make_unique<CHousDoc>(&window);
        view.document = document.get();
        document->Attach3DView(&view);
        commands.SetDocument(document.get());
    }

    PromptAnswer Answer(const MessageRequest& request) {
        messages.push_back(request.text);
        return answer;
    }

    TempFolder folder;
    FakeFrameWindow window;
    Fake3DView view;
    std::unique_ptr<CHousDoc> document;
    CMainFrameCommands commands{window};
    PromptAnswer answer = PromptAnswer::Cancel;
    std::vector<std::string> messages;
    CScopedPromptHandlers prompts{[this](const MessageRequest& r) { return Answer(r); }};
};

TEST_F(MainFrameCommandsTest, CloseDesignKeepsTheDesignUnlessTheUserLetsItGo) {
    const std::string question = "設計案已修改!是否儲存?";
    const std::string busy = "系統正在存檔中, 請稍候再試.";
    struct Case {
        const char* name;
        bool modified;
        bool saving;
        std::string path;
        PromptAnswer answer;
        bool saveSucceeds;
        std::string pathAfterSave;
        bool closed;
        std::vector<int> saves;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"unmodified", false, false, "/d/a.dg6", PromptAnswer::Cancel, true, "", true, {}, {}},
        {"saving", true, true, "/d/a.dg6", PromptAnswer::Yes, true, "", false, {}, {busy}},
        {"cancel", true, false, "/d/a.dg6", PromptAnswer::Cancel, true, "", false, {}, {question}},
        {"no", true, false, "/d/a.dg6", PromptAnswer::No, true, "", true, {}, {question}},
        {"yes titled", true, false, "/d/a.dg6", PromptAnswer::Yes, true, "", true, {1}, {question}},
        {"yes untitled saved as",
         true,
         false,
         "",
         PromptAnswer::Yes,
         true,
         "/d/b.dg6",
         true,
         {0},
         {question}},
        {"yes untitled cancelled",
         true,
         false,
         "",
         PromptAnswer::Yes,
         false,
         "",
         false,
         {0},
         {question}},
        {"yes titled write failed",
         true,
         false,
         "/d/a.dg6",
         PromptAnswer::Yes,
         false,
         "",
         false,
         {1},
         {question}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        document->SetDesignModified(c.modified ? 1 : 0);
        document->SetSaving(c.saving ? 1 : 0);
        document->SetDesignPath(c.path);
        answer = c.answer;
        view.saveSucceeds = c.saveSucceeds;
        view.pathAfterSave = c.pathAfterSave;
        view.saves.clear();
        view.clears = 0;
        messages.clear();

        EXPECT_EQ(commands.CloseDesign(), c.closed);
        EXPECT_EQ(view.saves, c.saves);
        EXPECT_EQ(messages, c.messages);
        EXPECT_EQ(view.clears, c.closed ? 1 : 0);
        if (!c.closed) {
            EXPECT_EQ(document->GetDesignModified(), 1);
            EXPECT_EQ(document->GetDesignPath(), c.path);
        }
    }
}

TEST_F(MainFrameCommandsTest, ClosedDesignLeavesNothingBehind) {
    document->SetDesignPath("/d/a.dg6");
    document->Settings().music = "Music/a.mid";
    document->GetCopyBuffer().Add(0, nullptr);
    document->ViewPoints().push_back(nullptr);

    ASSERT_TRUE(commands.CloseDesign());
    EXPECT_EQ(document->GetDesignPath(), "");
    EXPECT_EQ(document->Settings().music, "");
    EXPECT_TRUE(document->GetCopyBuffer().IsEmpty());
    EXPECT_TRUE(document->ViewPoints().empty());
    EXPECT_EQ(document->GetDesignModified(), 0);
}

TEST_F(MainFrameCommandsTest, CloseDesignWithoutA3DViewCannotSave) {
    document->Attach3DView(nullptr);
    document->SetDesignModified(1);
    answer = PromptAnswer::Yes;
    EXPECT_FALSE(commands.CloseDesign());
    answer = PromptAnswer::No;
    EXPECT_TRUE(commands.CloseDesign());
}

TEST_F(MainFrameCommandsTest, NewDesignStartsFromTheDefaults) {
    document->SetDesignModified(1);
    document->SetDesignPath("/d/a.dg6");
    document->SetWallValues(200.0, 10.0, 3.0);
    document->SetEditMode(600);
    document->SetShowMode(1);
    document->SetPlanZoomFactor(2.0);
    document->SetPrintScale(0.25);
    document->Settings().bgFileName3D = "sky.jpg";
    document->Settings().bgRatio = 70;
    document->SetDefaultMusic("Music/default.mid");
    view.wireframe = true;
    answer = PromptAnswer::No;

    commands.NewDesign();

    EXPECT_EQ(window.titles, std::vector<std::string>{""});
    EXPECT_EQ(document->GetDesignPath(), "");
    EXPECT_EQ(document->GetDesignModified(), 0);
    EXPECT_EQ(document->GetWallTop(), 130.0);
    EXPECT_EQ(document->GetWallBottom(), 0.0);
    EXPECT_EQ(document->GetWallThickness(), 7.5);
    EXPECT_EQ(document->GetEditMode(), 0);
    EXPECT_EQ(document->GetShowMode(), 0);
    EXPECT_EQ(document->GetPlanZoomFactor(), 0.5);
    EXPECT_EQ(document->GetPrintScale(), 0.5);
    EXPECT_EQ(document->Settings().bgFileName3D, "");
    EXPECT_EQ(document->Settings().bgRatio, 50);
    EXPECT_EQ(document->Settings().music, "Music/default.mid");
    EXPECT_EQ(view.wireframe, false);
    // BG_COLOR 0 of the settings file is the white background.
    EXPECT_EQ(document->GetBackgroundChoice(), 1);
    EXPECT_EQ(view.clearColor, (std::vector<int>{255, 255, 255}));
    // PROMPT_SAVE is on by default.
    EXPECT_EQ(window.timers, (std::map<int, int>{{4, 180000}, {5, 420000}}));
}

TEST_F(MainFrameCommandsTest, NewDesignReadsTheBackgroundAndAmbientLightAgain) {
    // Every key a new design re-reads, changed in the file since the document was made.
    folder.Write("zadivav.ini", "[3DView]\r\nRED=11\r\nGREEN=22\r\nBLUE=33\r\nBG_COLOR=1\r\n");

    commands.NewDesign();

    const HousSettings& settings = document->Settings();
    EXPECT_EQ(settings.red, 11);
    EXPECT_EQ(settings.green, 22);
    EXPECT_EQ(settings.blue, 33);
    EXPECT_EQ(settings.bgColor, 1);
    EXPECT_EQ(document->GetBackgroundChoice(), 2);
    EXPECT_EQ(view.clearColor, (std::vector<int>{0, 0, 0}));
}

TEST_F(MainFrameCommandsTest, NewDesignIsAbandonedWhenTheUserKeepsTheDesign) {
    document->SetDesignModified(1);
    document->SetDesignPath("/d/a.dg6");
    document->SetEditMode(600);
    answer = PromptAnswer::Cancel;

    commands.NewDesign();

    EXPECT_TRUE(window.titles.empty());
    EXPECT_TRUE(window.timers.empty());
    EXPECT_EQ(document->GetDesignPath(), "/d/a.dg6");
    EXPECT_EQ(document->GetEditMode(), 600);
}

TEST_F(MainFrameCommandsTest, ShowModeRoundTripRestoresSwitchesAndViewSize) {
    HousSettings& settings = document->Settings();
    settings.rulerShow = 1;
    settings.gridShow = 0;
    settings.showLight = 1;

    commands.OnShowMode();
    EXPECT_EQ(settings.rulerShow, 0);
    EXPECT_EQ(settings.gridShow, 0);
    EXPECT_EQ(settings.showLight, 0);
    EXPECT_EQ(document->GetShowMode(), 1);
    EXPECT_EQ(document->GetEditMode(), 911);
    EXPECT_EQ(window.barLayout, "show");

    commands.OnEditMode();
    EXPECT_EQ(window.barLayout, "edit");
    EXPECT_EQ(settings.rulerShow, 1);
    EXPECT_EQ(settings.gridShow, 0);
    EXPECT_EQ(settings.showLight, 1);
    EXPECT_EQ(document->GetShowMode(), 0);
    EXPECT_EQ(document->GetEditMode(), 0);
    EXPECT_EQ(window.width, 800);
    EXPECT_EQ(window.height, 600);
}

TEST_F(MainFrameCommandsTest, ResizeMovesTheFrameByTheDifference) {
    window.width = 780;
    window.height = 590;
    commands.Resize3DViewFrame(800, 600);
    EXPECT_EQ(window.resizes, (std::vector<std::pair<int, int>>{{20, 10}}));

    document->Attach3DView(nullptr);
    int width = -1;
    int height = -1;
    commands.Get3DViewSize(width, height);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
}

TEST_F(MainFrameCommandsTest, BackgroundCommandsSetChoiceAndClearColour) {
    commands.OnBackgroundWhite();
    EXPECT_EQ(document->GetBackgroundChoice(), 1);
    EXPECT_EQ(view.clearColor, (std::vector<int>{255, 255, 255}));
    commands.OnBackgroundBlack();
    EXPECT_EQ(document->GetBackgroundChoice(), 2);
    EXPECT_EQ(view.clearColor, (std::vector<int>{0, 0, 0}));
    commands.OnBackgroundGreyBlue();
    EXPECT_EQ(document->GetBackgroundChoice(), 0);
    EXPECT_EQ(view.clearColor, (std::vector<int>{150, 150, 200}));

    commands.SetDocument(nullptr);
    commands.OnBackgroundBlack();
    EXPECT_EQ(view.clearColor, (std::vector<int>{150, 150, 200}));
}

TEST_F(MainFrameCommandsTest, FillModeCommandsMarkTheDesignModified) {
    commands.OnViewWireframe();
    EXPECT_EQ(view.wireframe, true);
    EXPECT_EQ(document->GetDesignModified(), 1);
    document->SetDesignModified(0);
    commands.OnViewSolid();
    EXPECT_EQ(view.wireframe, false);
    EXPECT_EQ(document->GetDesignModified(), 1);
}

TEST_F(MainFrameCommandsTest, SaveReminderSpeaksOnlyForAModifiedDesign) {
    const std::string reminder = "提醒您! 您已有過久的時間沒有將您的設計案存檔, 建議您儘速存檔.";
    window.timers = {{4, 1}, {5, 1}};
    commands.OnTimer(4);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(window.timers, (std::map<int, int>{{5, 420000}}));

    document->SetDesignModified(1);
    commands.OnTimer(5);
    EXPECT_EQ(messages, std::vector<std::string>{reminder});
    EXPECT_EQ(window.timers, (std::map<int, int>{{5, 420000}}));
}

TEST_F(MainFrameCommandsTest, AutoSaveSkipsAnUntitledDesign) {
    document->SetDesignModified(1);
    commands.OnTimer(2);
    EXPECT_TRUE(view.saves.empty());
    document->SetDesignPath("/d/a.dg6");
    commands.OnTimer(2);
    EXPECT_EQ(view.saves, std::vector<int>{1});
}

TEST_F(MainFrameCommandsTest, TimerPeriodsOfLargeSettingsDoNotWrap) {
    // 40000 minutes is more milliseconds than an int holds.
    document->Settings().promptNew = 40000;
    document->Settings().promptPer = 0;
    commands.NewDesign();
    EXPECT_EQ(window.timers, (std::map<int, int>{{4, 2147483647}, {5, 1}}));
}

TEST_F(MainFrameCommandsTest, FailedSaveKeepsTheDesignModifiedAndItsTitle) {
    document->SetDesignPath("/d/a.dg6");
    document->SetDesignModified(1);
    view.saveSucceeds = false;
    commands.OnFileSave();
    commands.OnFileSaveAs();
    EXPECT_EQ(view.saves, (std::vector<int>{1, 0}));
    EXPECT_EQ(document->GetDesignModified(), 1);
    EXPECT_TRUE(window.titles.empty());
    EXPECT_TRUE(window.recentFiles.empty());

    view.saveSucceeds = true;
    commands.OnFileSave();
    EXPECT_EQ(document->GetDesignModified(), 0);
    EXPECT_EQ(window.titles, std::vector<std::string>{"/d/a.dg6"});
    EXPECT_TRUE(window.recentFiles.empty());
}

TEST_F(MainFrameCommandsTest, AutoSaveWritesOnlyAModifiedTitledDesign) {
    document->SetDesignPath("/d/a.dg6");
    commands.OnTimer(2);
    EXPECT_TRUE(view.saves.empty());
}

TEST_F(MainFrameCommandsTest, ClosingListsOnlyATitledDesignAmongTheUngroupedOnes) {
    const std::filesystem::path nonGroup = folder.Path() / "MyDesign" / "NonGroup.ini";
    std::filesystem::create_directories(nonGroup.parent_path());
    view.orthographic = true;
    ASSERT_TRUE(commands.CloseDesign());
    EXPECT_FALSE(std::filesystem::exists(nonGroup));
    EXPECT_FALSE(view.orthographic);

    document->SetDesignPath((folder.Path() / "a.dg6").string());
    ASSERT_TRUE(commands.CloseDesign());
    ASSERT_TRUE(std::filesystem::exists(nonGroup));
    const auto listed = std::filesystem::file_size(nonGroup);
    EXPECT_GT(listed, 0u);

    // Closed again, it is found there and only its entry is written.
    document->SetDesignPath((folder.Path() / "a.dg6").string());
    ASSERT_TRUE(commands.CloseDesign());
    EXPECT_EQ(std::filesystem::file_size(nonGroup), listed);
}

TEST_F(MainFrameCommandsTest, OnlyALoadedFileBecomesTheDesignAndIsOpened) {
    view.loadSucceeds = false;
    EXPECT_FALSE(commands.LoadChosenDesign("/d/broken.dg6"));
    EXPECT_EQ(document->GetDesignPath(), "");
    EXPECT_TRUE(window.recentFiles.empty());
    // The design closed for the load is gone: the title is the one New gives.
    EXPECT_EQ(window.titles, std::vector<std::string>{""});
    window.titles.clear();

    view.loadSucceeds = true;
    document->SetDesignModified(1);
    EXPECT_TRUE(commands.LoadChosenDesign("/d/a.dg6"));
    EXPECT_EQ(document->GetDesignPath(), "/d/a.dg6");
    EXPECT_EQ(document->GetDesignModified(), 0);
    EXPECT_EQ(window.titles, std::vector<std::string>{"/d/a.dg6"});
    EXPECT_EQ(window.recentFiles, std::vector<std::string>{"/d/a.dg6"});
    EXPECT_EQ(window.missingFileReports, 0);

    // The files the load could not find are listed once it is done.
    view.missingOnLoad = {"/lib/chair.x"};
    EXPECT_TRUE(commands.LoadChosenDesign("/d/b.dg6"));
    EXPECT_EQ(window.missingFileReports, 1);
}

TEST_F(MainFrameCommandsTest, OpenAsksForADesignInTheProjectDirectory) {
    std::vector<FileNameRequest> requests;
    const CScopedPromptHandlers files([this](const MessageRequest& r) { return Answer(r); },
                                      [&](const FileNameRequest& r) {
                                          requests.push_back(r);
                                          return std::optional<std::string>{};
                                      });
    document->SetProjectDirectory("/d/projects/");
    EXPECT_FALSE(commands.OpenDesignFromDialog());
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_FALSE(requests[0].save);
    EXPECT_EQ(requests[0].filter, "QVP6 Design File (*.dg6)|*.dg6||");
    EXPECT_EQ(requests[0].folder, "/d/projects/");
    EXPECT_TRUE(view.loads.empty());
}
