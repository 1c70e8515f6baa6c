#pragma once

#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "document/MainWindowLink.h"
#include "document/PrinterQueries.h"
#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "support/TempFolder.h"

// A fresh program folder per test; messages and file dialogs are answered
// by the test.
class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramFolder(m_folder.Path());
        m_prompts = std::make_unique<CScopedPromptHandlers>(
            [this](const MessageRequest& request) {
                messages.push_back(request.text);
                return PromptAnswer::Ok;
            },
            [this](const FileNameRequest& request) {
                fileRequests.push_back(request);
                return chosenFile;
            });
    }

    void TearDown() override { m_prompts.reset(); }

    std::filesystem::path PathOf(const std::string& name) const { return m_folder.Path() / name; }
    std::string SettingsPath() const { return PathOf("zadivav.ini").string(); }

    static void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string ReadBytes(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::vector<std::string> messages;
    std::vector<FileNameRequest> fileRequests;
    std::optional<std::string> chosenFile;

private:
    TempFolder m_folder;
    std::unique_ptr<CScopedPromptHandlers> m_prompts;
};

// Makes every file write beyond a few bytes fail, even for root.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit small = m_saved;
        small.rlim_cur = bytes;
        m_savedHandler = signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~ScopedFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        signal(SIGXFSZ, m_savedHandler);
    }

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
};

class FakeMainWindow : public IMainWindow {
public:
    void StartTimer(int timerId, int milliseconds) override { timers[timerId] = milliseconds; }
    void StopTimer(int timerId) override { timers.erase(timerId); }
    void SetHardwareAccelButton(int bitmapId) override { accelBitmap = bitmapId; }
    std::optional<OptionPageValues> GetOptionPageValues() const override { return pages; }

    std::map<int, int> timers;
    int accelBitmap = 0;
    std::optional<OptionPageValues> pages;
};

class FakePlanFrame : public IPlanFrame {
public:
    int GetZoomSelection() const override { return zoomSelection; }
    std::string GetWallBarText(int controlId) const override {
        auto found = wallBar.find(controlId);
        return found != wallBar.end() ? found->second : std::string();
    }
    void SetWallBarText(int controlId, std::string_view text) override {
        wallBar[controlId] = std::string(text);
    }
    void SetZoomLevel(int index) override { zoomSelection = index; }
    void UpdateFloorControls() override { ++floorControlUpdates; }
    void SetFloorComboTexts(const std::vector<std::string>& texts) override { floorTexts = texts; }

    int zoomSelection = 23;
    std::vector<std::string> floorTexts;
    int floorControlUpdates = 0;
    std::map<int, std::string> wallBar;
};

class FakePlanView : public IPlanView {
public:
    void OnDocumentUpdate(int hint) override { hints.push_back(hint); }
    void ActivateFrame() override {}
    void ShowFrame(bool show) override { shown = show; }
    IPlanFrame* GetPlanFrame() override { return &frame; }
    void HideCoordinateInputBox() override { ++boxHidden; }
    void ResetToolState() override {}
    void RedrawNow() override { ++redraws; }
    void ResetScrollPosition() override { ++scrollResets; }
    int GetArcDirection() const override { return arcDirection; }
    bool GetFullDrawFlag() const override { return fullDraw; }
    void InvalidateLineCache(int type) override { invalidatedCaches.push_back(type); }
    void EndSelectionDrag() override { ++dragsEnded; }

    FakePlanFrame frame;
    std::vector<int> invalidatedCaches;
    int dragsEnded = 0;
    std::vector<int> hints;
    bool shown = false;
    int boxHidden = 0;
    int redraws = 0;
    int scrollResets = 0;
    int arcDirection = 1;
    bool fullDraw = true;
};

class Fake3DView : public I3DView {
public:
    void OnDocumentUpdate(int hint) override { hints.push_back(hint); }
    void ActivateFrame() override { ++activations; }
    void ShowFrame(bool) override {}
    void RepaintNow() override { ++repaints; }
    void SetStatusText(std::string_view text) override { status = std::string(text); }
    CameraPosition GetCameraPosition() const override { return eye; }
    void SetCameraPosition(float x, float y, float z) override { eye = {x, y, z}; }
    double GetCameraHeading() const override { return heading; }
    double GetCameraPitch() const override { return pitch; }
    void SetCameraAngles(double h, double p) override {
        heading = h;
        pitch = p;
    }
    void SetWireframe(bool) override {}
    void ToggleWireframe() override { ++wireframeToggles; }
    void ToggleGrid() override { ++gridToggles; }
    void SetClearColor(uint8_t, uint8_t, uint8_t) override {}
    void HandlePlanKey(int virtualKey, const KeyModifiers&) override {
        planKeys.push_back(virtualKey);
    }
    bool SaveDesign(int) override { return false; }
    void ClearDesign() override {}
    CDesignScene* GetScene() override { return scene; }
    // Copies into the buffer given; pastes are recorded with their count.
    bool CopySelectionToBuffer() override {
        return scene != nullptr && copyBuffer != nullptr &&
               scene->CopySelectionToBuffer(*copyBuffer);
    }
    void PasteCopyBuffer(const CCopyBuffer&, bool, bool, int pasteCount,
                         const std::optional<CVector2D>&) override {
        pasteCounts.push_back(pasteCount);
    }

    CDesignScene* scene = nullptr;
    CCopyBuffer* copyBuffer = nullptr;
    std::vector<int> pasteCounts;
    CameraPosition eye;
    double heading = 0.0;
    double pitch = 0.0;
    std::vector<int> hints;
    // The keys the plan handed over.
    std::vector<int> planKeys;
    int activations = 0;
    int repaints = 0;
    int wireframeToggles = 0;
    int gridToggles = 0;
    std::string status;
};

// A document in a fresh program folder with fake plan and 3D views attached.
class PlanTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc = std::make_unique<CHousDoc>();
        doc->Attach2DView(&planView);
        doc->Attach3DView(&view3D);
    }
    void TearDown() override {
        doc.reset();
        DocumentTest::TearDown();
    }

    FakePlanView planView;
    Fake3DView view3D;
    std::unique_ptr<CHousDoc> doc;
};

// A document whose fake 3D view hands out a scene store.
class SceneTest : public PlanTest {
protected:
    void SetUp() override {
        PlanTest::SetUp();
        scene = std::make_unique<CDesignScene>();
        scene->SetDocument(doc.get());
        view3D.scene = scene.get();
    }
    void TearDown() override {
        scene.reset();
        view3D.scene = nullptr;
        PlanTest::TearDown();
    }

    std::unique_ptr<CDesignScene> scene;
};
