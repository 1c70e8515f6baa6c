#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "foundation/ProfileFile.h"
#include "objects/LightObject.h"
#include "objects/ObjectTypeCodes.h"
#include "shell/MainFrameCommands.h"
#include "shell/MainFrameWindow.h"
#include "support/RecordingProgress.h"
#include "view3d/FrameFixture.h"
#include "view3d/HousViewDesignFile.h"

namespace {

class RecordingFrameWindow : public IMainFrameWindow {
public:
    void ArrangeBarsForShowMode() override {}
    void HoldRepaints(bool) override {}
    void ArrangeBarsForEditMode() override {}
    void StartTimer(int timerId, int milliseconds) override {
        timers[timerId] = milliseconds;
        started.push_back(timerId);
    }
    void StopTimer(int timerId) override { timers.erase(timerId); }
    void SetHardwareAccelButton(int) override {}
    std::optional<OptionPageValues> GetOptionPageValues() const override { return std::nullopt; }
    void SetFrameTitle(std::string_view text) override { title = text; }
    void Get3DViewClientSize(int& width, int& height) const override {
        width = 320;
        height = 240;
    }
    void Resize3DViewPaneBy(int, int) override {}
    void AddToRecentFileList(const std::string& path) override { recentFiles.push_back(path); }
    void ShowMissingFiles() override {}

    std::map<int, int> timers;
    std::vector<int> started;
    std::string title = "(none)";
    std::vector<std::string> recentFiles;
};

// The 3D view as the frame's commands reach it, over the real renderer and
// design files, without a window.
class RendererView : public I3DView {
public:
    RendererView(CHousDoc& doc, CHousViewRenderer& renderer, CHousViewDesignFile& designFile)
        : m_doc(doc), m_renderer(renderer), m_designFile(designFile) {}

    void OnDocumentUpdate(int) override {}
    void ActivateFrame() override {}
    void ShowFrame(bool) override {}
    void RepaintNow() override {}
    void SetStatusText(std::string_view text) override { status = text; }
    CameraPosition GetCameraPosition() const override { return {}; }
    void SetCameraPosition(float, float, float) override {}
    double GetCameraHeading() const override { return 0.0; }
    double GetCameraPitch() const override { return 0.0; }
    void SetCameraAngles(double, double) override {}
    void SetWireframe(bool wireframe) override { m_renderer.SetWireframe(wireframe); }
    void ToggleWireframe() override {}
    void ToggleGrid() override {}
    void SetClearColor(uint8_t, uint8_t, uint8_t) override {}
    bool SaveDesign(int mode) override { return m_designFile.SaveDesign(mode); }
    bool LoadDesign(const std::string& path, bool merge) override {
        return m_designFile.LoadDesign(path, merge);
    }
    void ClearDesign() override { m_doc.ClearDesign(); }
    void InitRenderer() override { m_renderer.InitRenderer(); }
    void SetViewPointBlock(const ViewPointTable& table) override {
        m_designFile.GetFileState().SetViewPointTable(table);
    }
    CDesignScene* GetScene() override { return &m_renderer.GetScene(); }

    std::string status;

private:
    CHousDoc& m_doc;
    CHousViewRenderer& m_renderer;
    CHousViewDesignFile& m_designFile;
};

// What a step left on disk at the design's file. Unchanged also means not
// written at all: a save puts a new file in place.
enum class Disk { Absent, Unchanged, Rewritten };

ino_t InodeOf(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

class DesignLifecycleTest : public SceneFrameTest {
protected:
    void SetUp() override {
        SceneFrameTest::SetUp();
        doc->Settings().length = 3000;
        doc->Settings().width = 2000;
        doc->Settings().gridGap = 50;
        renderer->OnSize(kWindowWidth, kWindowHeight);
        designFile = std::make_unique<CHousViewDesignFile>(*doc, *renderer);
        view = std::make_unique<RendererView>(*doc, *renderer, *designFile);
        doc->Attach3DView(view.get());
        commands.SetDocument(doc.get());
        // The document's 3D view reaches the scene once it has a size.
        renderer->GetScene().SetDocument(doc.get());
        prompts = std::make_unique<CScopedPromptHandlers>(
            [this](const MessageRequest& request) {
                messages.push_back(request.text);
                return answer;
            },
            [this](const FileNameRequest& request) {
                fileRequests.push_back(request);
                return chosenFile;
            });
        designPath = PathOf("house.dg6").string();
    }
    void TearDown() override {
        // The light glyphs are made once on the device of the day, and each
        // test has a device of its own.
        CLightObject::ReleaseSharedResources();
        prompts.reset();
        doc->Attach3DView(nullptr);
        view.reset();
        designFile.reset();
        SceneFrameTest::TearDown();
    }

    // An edit the design file records: the object-id counter is stored in it.
    void Modify(double counter) {
        renderer->GetScene().SetObjectIdCounter(counter);
        doc->SetDesignModified(1);
    }
    double Counter() { return renderer->GetScene().GetObjectIdCounter(); }

    std::unique_ptr<CHousViewDesignFile> designFile;
    std::unique_ptr<RendererView> view;
    RecordingFrameWindow window;
    CMainFrameCommands commands{window};
    std::unique_ptr<CScopedPromptHandlers> prompts;
    PromptAnswer answer = PromptAnswer::Ok;
    std::string designPath;
};

TEST_F(DesignLifecycleTest, NoStepLosesTheDesignOrCallsItSavedWhenItIsNotOnDisk) {
    const std::string missingFolder = PathOf("gone/house.dg6").string();
    const std::string otherPath = PathOf("other.dg6").string();
    const std::string question = "設計案已修改!是否儲存?";
    struct Step {
        const char* what;
        std::function<void()> action;
        std::string path;  // the design path afterwards
        bool modified;
        Disk disk;  // of house.dg6
        std::vector<std::string> messages;
    };
    const auto close = [&](PromptAnswer reply, std::optional<std::string> file) {
        answer = reply;
        chosenFile = std::move(file);
        commands.CloseDesign();
    };
    const auto withWritesFailing = [](const std::function<void()>& action) {
        const ScopedFileSizeLimit limit(100);
        action();
    };
    const Step steps[] = {
        {"new", [&] { commands.NewDesign(); }, "", false, Disk::Absent, {}},
        {"modify", [&] { Modify(11); }, "", true, Disk::Absent, {}},
        {"first save, dialog cancelled",
         [&] {
             chosenFile.reset();
             commands.OnFileSave();
         },
         "",
         true,
         Disk::Absent,
         {}},
        {"first save",
         [&] {
             chosenFile = designPath;
             commands.OnFileSave();
         },
         designPath,
         false,
         Disk::Rewritten,
         {}},
        {"auto-save without changes",
         [&] { commands.OnTimer(2); },
         designPath,
         false,
         Disk::Unchanged,
         {}},
        {"modify", [&] { Modify(12); }, designPath, true, Disk::Unchanged, {}},
        {"auto-save", [&] { commands.OnTimer(2); }, designPath, false, Disk::Rewritten, {}},
        {"modify", [&] { Modify(13); }, designPath, true, Disk::Unchanged, {}},
        {"save, write fails",
         [&] { withWritesFailing([&] { commands.OnFileSave(); }); },
         designPath,
         true,
         Disk::Unchanged,
         {"*"}},
        {"save as into a missing folder",
         [&] {
             chosenFile = missingFolder;
             commands.OnFileSaveAs();
         },
         designPath,
         true,
         Disk::Unchanged,
         {"*"}},
        {"close, Cancel",
         [&] { close(PromptAnswer::Cancel, std::nullopt); },
         designPath,
         true,
         Disk::Unchanged,
         {question}},
        {"close, Yes, save fails",
         [&] { withWritesFailing([&] { close(PromptAnswer::Yes, std::nullopt); }); },
         designPath,
         true,
         Disk::Unchanged,
         {question, "*"}},
        {"close, Yes",
         [&] { close(PromptAnswer::Yes, std::nullopt); },
         "",
         false,
         Disk::Rewritten,
         {question}},
        {"open",
         [&] { EXPECT_TRUE(commands.OpenFileByType(designPath)); },
         designPath,
         false,
         Disk::Unchanged,
         {}},
        {"modify", [&] { Modify(14); }, designPath, true, Disk::Unchanged, {}},
        {"close, No",
         [&] { close(PromptAnswer::No, std::nullopt); },
         "",
         false,
         Disk::Unchanged,
         {question}},
        {"open again",
         [&] { EXPECT_TRUE(commands.OpenFileByType(designPath)); },
         designPath,
         false,
         Disk::Unchanged,
         {}},
        {"modify", [&] { Modify(15); }, designPath, true, Disk::Unchanged, {}},
        {"save as",
         [&] {
             chosenFile = otherPath;
             commands.OnFileSaveAs();
         },
         otherPath,
         false,
         Disk::Unchanged,
         {}},
        {"new after save as", [&] { commands.NewDesign(); }, "", false, Disk::Unchanged, {}},
        {"modify untitled", [&] { Modify(16); }, "", true, Disk::Unchanged, {}},
        {"auto-save untitled", [&] { commands.OnTimer(2); }, "", true, Disk::Unchanged, {}},
        {"close untitled, Yes, dialog cancelled",
         [&] { close(PromptAnswer::Yes, std::nullopt); },
         "",
         true,
         Disk::Unchanged,
         {question}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        messages.clear();
        const std::string before = ReadBytes(designPath);
        const ino_t inodeBefore = InodeOf(designPath);
        step.action();
        EXPECT_EQ(doc->GetDesignPath(), step.path);
        EXPECT_EQ(doc->GetDesignModified(), step.modified ? 1 : 0);
        const std::string after = ReadBytes(designPath);
        switch (step.disk) {
            case Disk::Absent:
                EXPECT_FALSE(std::filesystem::exists(designPath));
                break;
            case Disk::Unchanged:
                EXPECT_EQ(after, before);
                EXPECT_EQ(InodeOf(designPath), inodeBefore);
                break;
            case Disk::Rewritten:
                EXPECT_NE(after, before);
                break;
        }
        ASSERT_EQ(messages.size(), step.messages.size());
        for (size_t i = 0; i < messages.size(); ++i) {
            if (step.messages[i] != "*") {
                EXPECT_EQ(messages[i], step.messages[i]);
            }
        }
        if (!step.modified && !step.path.empty()) {
            EXPECT_EQ(window.title, step.path);
        }
    }
    // What each save left: the last kept content of each file opens again.
    ASSERT_TRUE(commands.OpenFileByType(designPath) == false);  // the untitled design stays
    answer = PromptAnswer::No;
    ASSERT_TRUE(commands.OpenFileByType(designPath));
    EXPECT_EQ(Counter(), 13.0);
    ASSERT_TRUE(commands.OpenFileByType(otherPath));
    EXPECT_EQ(Counter(), 15.0);
    EXPECT_EQ(window.recentFiles,
              (std::vector<std::string>{designPath, designPath, otherPath, designPath, otherPath}));
}

TEST_F(DesignLifecycleTest, SaveAsWritesTheProjectDirectoryOnlyWhenTheDesignIsOnDisk) {
    WriteBytes(SettingsPath(), "[General]\r\nPROJECT_DIRECTORY=Z:\\old\\\r\n");
    const std::string settings = ReadBytes(SettingsPath());
    std::filesystem::create_directory(PathOf("projects"));
    const std::string target = PathOf("projects/plan.dg6").string();
    Modify(21);

    chosenFile = PathOf("gone/plan.dg6").string();
    commands.OnFileSaveAs();
    EXPECT_EQ(ReadBytes(SettingsPath()), settings);
    EXPECT_TRUE(window.recentFiles.empty());
    EXPECT_EQ(window.title, "(none)");
    EXPECT_EQ(doc->GetDesignModified(), 1);

    chosenFile = target;
    commands.OnFileSaveAs();
    EXPECT_TRUE(std::filesystem::exists(target));
    EXPECT_EQ(window.recentFiles, std::vector<std::string>{target});
    EXPECT_EQ(window.title, target);
    EXPECT_EQ(doc->GetProjectDirectory(), PathOf("projects").string() + "/");
    EXPECT_NE(ReadBytes(SettingsPath()).find("projects\\"), std::string::npos);
}

TEST_F(DesignLifecycleTest, AFileThatDoesNotLoadNeverBecomesTheDesignPath) {
    Modify(31);
    chosenFile = designPath;
    commands.OnFileSaveAs();
    ASSERT_EQ(window.title, designPath);
    const std::string saved = ReadBytes(designPath);
    const std::string broken = PathOf("broken.dg6").string();
    WriteBytes(broken, "not a design");

    answer = PromptAnswer::Ok;
    messages.clear();
    EXPECT_FALSE(commands.OpenFileByType(broken));
    EXPECT_EQ(doc->GetDesignPath(), "");
    // One dialog says why; the closed design's title and scene are gone,
    // and what is left is what New leaves.
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(window.title, "");
    EXPECT_EQ(renderer->GetScene().GetObjectList(kLightObjectType).size(), 3u);
    // The next save asks for a file instead of overwriting the broken one.
    Modify(32);
    chosenFile.reset();
    fileRequests.clear();
    commands.OnFileSave();
    EXPECT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(ReadBytes(broken), "not a design");
    EXPECT_EQ(ReadBytes(designPath), saved);
}

TEST_F(DesignLifecycleTest, PackagesAndTextDesignsAreRefusedBeforeTheDesignCloses) {
    chosenFile = designPath;
    Modify(41);
    commands.OnFileSaveAs();
    Modify(42);
    for (const char* name : {"a.sca6", "b.DSG"}) {
        SCOPED_TRACE(name);
        messages.clear();
        EXPECT_FALSE(commands.OpenFileByType(PathOf(name).string()));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find(name), std::string::npos);
        EXPECT_EQ(doc->GetDesignPath(), designPath);
        EXPECT_EQ(doc->GetDesignModified(), 1);
    }
}

}  // namespace

TEST_F(DesignLifecycleTest, NewDesignStartsWithAPointLightAndTwoDirectionalLights) {
    commands.NewDesign();
    const CDesignScene& scene = renderer->GetScene();
    const std::vector<CDesignObject*>& lights = scene.GetObjectList(kLightObjectType);
    ASSERT_EQ(lights.size(), 3u);
    EXPECT_EQ(scene.GetObjectList(kLightIconShapeType).size(), 3u);
    const int types[] = {static_cast<int>(gfx::LightType::Point),
                         static_cast<int>(gfx::LightType::Directional),
                         static_cast<int>(gfx::LightType::Directional)};
    for (std::size_t i = 0; i < lights.size(); ++i) {
        const auto* light = static_cast<const CLightObject*>(lights[i]);
        EXPECT_EQ(light->GetLightType(), types[i]) << i;
        EXPECT_NE(light->GetPlanIcon(), nullptr) << i;
    }
    // Each has its own number; a second new design starts the count again.
    EXPECT_NE(static_cast<const CLightObject*>(lights[0])->GetNumber(),
              static_cast<const CLightObject*>(lights[1])->GetNumber());
    commands.NewDesign();
    EXPECT_EQ(scene.GetObjectList(kLightObjectType).size(), 3u);
}

TEST_F(DesignLifecycleTest, SavesAndLoadsShowTheirProgressSectionBySection) {
    commands.NewDesign();
    Modify(51);
    chosenFile = designPath;
    RecordingProgress progress;
    commands.OnFileSaveAs();
    ASSERT_EQ(progress.windows.size(), 1u);
    const RecordingProgress::Window& save = progress.windows[0];
    EXPECT_EQ(save.request.text, "存檔中，請稍候...");
    EXPECT_EQ(save.request.range, 1000);
    EXPECT_EQ(save.request.step, 142);
    EXPECT_EQ(save.steps, 7);  // one a 3D section
    EXPECT_FALSE(save.request.abortButton);
    EXPECT_TRUE(save.closed);

    // Only the sections that hold records open a window: here the lights.
    progress.windows.clear();
    answer = PromptAnswer::No;
    ASSERT_TRUE(commands.OpenFileByType(designPath));
    ASSERT_EQ(progress.windows.size(), 1u);
    const RecordingProgress::Window& lights = progress.windows[0];
    EXPECT_EQ(lights.request.text, "讀取光源資料...");
    EXPECT_EQ(lights.request.step, 1000 / 3);
    EXPECT_EQ(lights.steps, 3);
    EXPECT_TRUE(lights.request.abortButton);
    EXPECT_TRUE(lights.closed);
}

TEST_F(DesignLifecycleTest, AnAbortedLoadLeavesTheOpenDesignItsPathAndItsObjects) {
    commands.NewDesign();
    Modify(61);
    chosenFile = PathOf("other.dg6").string();
    commands.OnFileSaveAs();
    Modify(62);
    chosenFile = designPath;
    commands.OnFileSaveAs();
    const std::vector<CDesignObject*> lights = renderer->GetScene().GetObjectList(kLightObjectType);
    ASSERT_EQ(lights.size(), 3u);

    // The user confirms the abort while the second light is read.
    RecordingProgress progress;
    progress.onStep = [this](const RecordingProgress::Window& window) {
        if (window.steps == 2) {
            doc->SetAbort(1);
        }
    };
    messages.clear();
    EXPECT_FALSE(designFile->LoadDesign(PathOf("other.dg6").string(), false));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(doc->GetDesignPath(), designPath);
    EXPECT_EQ(Counter(), 62.0);
    EXPECT_EQ(renderer->GetScene().GetObjectList(kLightObjectType), lights);
    // The abort answered that load only: the next one reads the whole file.
    EXPECT_EQ(doc->GetAbort(), 0);
    progress.onStep = nullptr;
    EXPECT_TRUE(designFile->LoadDesign(PathOf("other.dg6").string(), false));
    EXPECT_EQ(Counter(), 61.0);
    EXPECT_EQ(renderer->GetScene().GetObjectList(kLightObjectType).size(), 3u);
}

TEST_F(DesignLifecycleTest, SavesAndLoadsStartTheSaveReminderAgain) {
    HousSettings& settings = doc->Settings();
    settings.promptNew = 3;
    settings.promptPer = 7;
    commands.NewDesign();
    EXPECT_EQ(window.timers.count(4), 1u);
    chosenFile = designPath;
    answer = PromptAnswer::No;
    const struct {
        const char* what;
        std::function<void()> action;
    } steps[] = {
        {"save as", [&] { commands.OnFileSaveAs(); }},
        {"save", [&] { commands.OnFileSave(); }},
        {"auto-save", [&] { commands.OnTimer(2); }},
        {"open", [&] { commands.OpenFileByType(designPath); }},
    };
    for (const bool reminders : {true, false}) {
        settings.promptSave = reminders ? 1 : 0;
        for (const auto& step : steps) {
            SCOPED_TRACE(testing::Message() << step.what << (reminders ? "" : ", no reminders"));
            Modify(71);
            window.timers[4] = 1;
            window.started.clear();
            step.action();
            if (reminders) {
                EXPECT_EQ(window.started, std::vector<int>{5});
                EXPECT_EQ(window.timers.count(4), 0u);
                EXPECT_EQ(window.timers[5], 7 * 60000);
            } else {
                EXPECT_TRUE(window.started.empty());
            }
        }
    }
}

TEST_F(DesignLifecycleTest, BackupsAndThumbnailsThatDoNotFitAreSkippedAndTheStatusBarSaysSo) {
    doc->Settings().autoBack = 1;
    doc->Settings().saveCopy = 1;
    const std::string thumbnail = PathOf("house.bmp").string();
    const std::string backup = PathOf("house.bak").string();
    Modify(81);
    chosenFile = designPath;
    commands.OnFileSaveAs();
    EXPECT_EQ(view->status, "");
    EXPECT_TRUE(std::filesystem::exists(thumbnail));

    // An old version larger than the disk takes: its backup cannot be
    // written, nor can the thumbnail (147 KB); the design (a few KB) can.
    const std::string old(120000, 'x');
    WriteBytes(designPath, old);
    std::filesystem::remove(thumbnail);
    Modify(82);
    {
        const ScopedFileSizeLimit limit(100000);
        commands.OnFileSave();
    }
    EXPECT_EQ(doc->GetDesignModified(), 0);
    EXPECT_NE(ReadBytes(designPath), old);
    EXPECT_FALSE(std::filesystem::exists(thumbnail));
    EXPECT_NE(ReadBytes(backup), old);
    EXPECT_EQ(view->status, "設計案已儲存，但無法寫入備份檔和縮圖 (磁碟可能已滿)，已略過。");
    EXPECT_TRUE(messages.empty());
}
