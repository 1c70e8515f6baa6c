// The program exactly as scripts/run builds and starts it, on a fresh
// program folder, used through the screen, the pointer and the keys.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "ProgramProcess.h"
#include "ScreenReading.h"
#include "XSession.h"
#include "support/TempFolder.h"

namespace {

// The start-up design manager is a dialog of 600 pixels and more; any other
// dialog over the program is a message box.
constexpr int kManagerWidth = 600;

bool IsDesignManager(const ShownWindow& window) {
    return window.transient && window.rect.width >= kManagerWidth;
}

// Every other window the program shows at start is wider.
bool IsMessageBox(const ShownWindow& window) {
    return window.rect.width < kManagerWidth;
}

std::string Describe(const std::vector<ShownWindow>& windows) {
    std::string text;
    for (const ShownWindow& window : windows) {
        text += "「" + window.title + "」 " + std::to_string(window.rect.width) + "x" +
                std::to_string(window.rect.height) + (window.transient ? " (dialog)" : "") + "\n";
    }
    return text;
}

int CountFiles(const std::filesystem::path& folder, const std::string& extension) {
    int count = 0;
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        count += it->path().extension() == extension ? 1 : 0;
    }
    return count;
}

class ReleaseProgramTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(x.Ok()) << "no X display"; }

    // Starts the program on the fresh folder and waits for the start-up
    // design manager; fails on any other window in its way.
    std::unique_ptr<ProgramProcess> StartToTheDesignManager(
        const std::vector<std::string>& arguments = {}) {
        auto program = std::make_unique<ProgramProcess>(home, user.Path(), arguments);
        std::vector<ShownWindow> windows;
        const bool shown = WaitFor([&] {
            windows = x.WindowsOf(program->Pid());
            return !program->Running() ||
                   std::any_of(windows.begin(), windows.end(), IsDesignManager) ||
                   std::any_of(windows.begin(), windows.end(), IsMessageBox);
        });
        EXPECT_TRUE(program->Running()) << program->Log();
        EXPECT_TRUE(shown && std::none_of(windows.begin(), windows.end(), IsMessageBox))
            << "no design manager; shown:\n"
            << Describe(windows) << program->Log();
        return program;
    }

    ShownWindow Only(pid_t pid, bool (*which)(const ShownWindow&)) {
        for (const ShownWindow& window : x.WindowsOf(pid)) {
            if (which(window)) {
                return window;
            }
        }
        ADD_FAILURE() << "window not shown";
        return {};
    }

    XSession x;
    TempFolder user;
    // Not there yet: the program makes it.
    std::filesystem::path home = user.Path() / "velmora";
};

TEST_F(ReleaseProgramTest, AFreshProgramFolderGetsTheLibraryAndTheManagerOffersTheSamples) {
    const auto program = StartToTheDesignManager();
    ASSERT_FALSE(HasFailure());
    // Nothing but the main window and the design manager: no message box.
    const std::vector<ShownWindow> windows = x.WindowsOf(program->Pid());
    EXPECT_EQ(windows.size(), 2u) << Describe(windows);
    EXPECT_EQ(std::count_if(windows.begin(), windows.end(),
                            [](const ShownWindow& w) { return w.transient; }),
              1)
        << Describe(windows);

    // The library's catalogue and packages, and the sample group.
    EXPECT_TRUE(std::filesystem::is_regular_file(home / "RIr6.db"));
    for (const char* glyph : {"point.x", "sptlight.x", "DIRLIGHT.x"}) {
        EXPECT_TRUE(std::filesystem::is_regular_file(home / glyph)) << glyph;
    }
    EXPECT_GE(CountFiles(home / "SModel", ".qvx"), 10);
    EXPECT_GE(CountFiles(home / "STexture", ".qvp"), 8);
    EXPECT_GE(CountFiles(home / "STPicture", ".qvp"), 1);
    EXPECT_EQ(CountFiles(home / "Show", ".dg6"), 3);
    EXPECT_TRUE(std::filesystem::is_regular_file(home / "Show" / "S0_Show.ini"));

    // The manager shows the three samples, the first one picked.
    const ShownWindow manager = Only(program->Pid(), IsDesignManager);
    ThumbnailFrames frames;
    EXPECT_TRUE(WaitFor([&] {
        frames = FindThumbnailFrames(x.Capture(manager.rect));
        return frames.count == 3 && frames.picked.has_value();
    })) << frames.count
        << " thumbnails framed";
}

TEST_F(ReleaseProgramTest, ASampleOpensAndTheViewsAnswerTheKeysThePointerAndUndo) {
    const auto program = StartToTheDesignManager();
    ASSERT_FALSE(HasFailure());
    const ShownWindow manager = Only(program->Pid(), IsDesignManager);
    ThumbnailFrames frames;
    ASSERT_TRUE(WaitFor([&] {
        frames = FindThumbnailFrames(x.Capture(manager.rect));
        return frames.picked.has_value();
    }));
    // A double click on the picked thumbnail opens the first sample.
    x.DoubleClick(manager.rect.x + frames.picked->CentreX(),
                  manager.rect.y + frames.picked->CentreY());
    ShownWindow frame;
    ASSERT_TRUE(WaitFor([&] {
        const std::vector<ShownWindow> windows = x.WindowsOf(program->Pid());
        frame = windows.empty() ? ShownWindow{} : windows.front();
        return windows.size() == 1 && frame.title.find("LivingRoom.dg6") != std::string::npos;
    })) << Describe(x.WindowsOf(program->Pid()))
        << program->Log();
    const std::optional<ShownWindow> view = Largest(x.NativeChildren(frame.id));
    ASSERT_TRUE(view.has_value());

    // Each arrow key pressed in the 3D view walks the camera.
    x.Click(view->rect.CentreX(), view->rect.CentreY());
    ScreenImage before = x.Capture(view->rect);
    int walked = 0;
    for (int press = 0; press < 6; ++press) {
        x.PressKey("Up");
        ScreenImage after;
        walked += WaitFor(
                      [&] {
                          after = x.Capture(view->rect);
                          return after != before;
                      },
                      std::chrono::seconds(2))
                      ? 1
                      : 0;
        before = after;
    }
    EXPECT_EQ(walked, 6);

    // In edit mode a model picked in the plan and dragged moves there.
    x.PressMenu("m", "d");
    CaptureSettled(x, frame.rect);
    const ScreenRect plan{view->rect.x + view->rect.width + 30, view->rect.y,
                          frame.rect.x + frame.rect.width - (view->rect.x + view->rect.width + 30),
                          view->rect.height};
    const std::optional<ScreenRect> sofa = FindSymbolTop(CaptureSettled(x, plan));
    ASSERT_TRUE(sofa.has_value()) << "no model symbol in the plan";
    const int grabX = plan.x + sofa->CentreX();
    // The plan picks a symbol by its lines, as a person clicks it.
    const int grabY = plan.y + sofa->y;
    constexpr int kDragDown = 120;
    // Picked first, then dragged by its selection.
    x.Click(grabX, grabY);
    // A person pauses here: a press soon after the click is a double click.
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    x.Drag(grabX, grabY, grabX, grabY + kDragDown);
    std::optional<ScreenRect> moved;
    // The undo below means nothing unless the model moved.
    ASSERT_TRUE(WaitFor(
        [&] {
            moved = FindSymbolTop(x.Capture(plan));
            return moved && std::abs(moved->y - (sofa->y + kDragDown)) < 10;
        },
        std::chrono::seconds(3)))
        << "the model's plan symbol stays at " << (moved ? moved->y : -1) << ", was " << sofa->y
        << "\n"
        << program->Log();

    // Ctrl+Z while the furniture browser has the keyboard undoes the move.
    x.PressMenu("e", "f");
    std::optional<ShownWindow> browser;
    ASSERT_TRUE(WaitFor([&] {
        for (const ShownWindow& window : x.WindowsOf(program->Pid())) {
            if (window.transient) {
                browser = window;
            }
        }
        return browser.has_value();
    })) << "no furniture browser";
    x.Click(browser->rect.x + 40, browser->rect.y + browser->rect.height - 40);
    x.PressKey("z", true);
    x.CloseWindow(browser->id);
    ASSERT_TRUE(WaitFor([&] { return x.WindowsOf(program->Pid()).size() == 1; }))
        << Describe(x.WindowsOf(program->Pid()));
    EXPECT_TRUE(WaitFor(
        [&] {
            moved = FindSymbolTop(x.Capture(plan));
            return moved && std::abs(moved->y - sofa->y) < 3;
        },
        std::chrono::seconds(3)))
        << "after Ctrl+Z the model's plan symbol is at " << (moved ? moved->y : -1) << ", was "
        << sofa->y;
    EXPECT_EQ(x.WindowsOf(program->Pid()).size(), 1u) << Describe(x.WindowsOf(program->Pid()));
}

// What Ctrl+S in the 3D view writes to the open design's file, once it is
// written.
std::string SaveWithTheKeys(XSession& x, ProgramProcess& program, const TempFolder& user,
                            const std::filesystem::path& design) {
    ShownWindow frame;
    EXPECT_TRUE(WaitFor([&] {
        const std::vector<ShownWindow> windows = x.WindowsOf(program.Pid());
        frame = windows.empty() ? ShownWindow{} : windows.front();
        return windows.size() == 1 &&
               frame.title.find(design.filename().string()) != std::string::npos;
    })) << Describe(x.WindowsOf(program.Pid()))
        << program.Log();
    const std::optional<ShownWindow> view = Largest(x.NativeChildren(frame.id));
    if (!view) {
        ADD_FAILURE() << "no 3D view";
        return {};
    }
    const auto written = std::filesystem::last_write_time(design);
    x.Click(view->rect.CentreX(), view->rect.CentreY());
    x.PressKey("s", true);
    EXPECT_TRUE(WaitFor([&] { return std::filesystem::last_write_time(design) != written; }))
        << "Ctrl+S wrote nothing\n"
        << Describe(x.WindowsOf(program.Pid())) << program.Log();
    CaptureSettled(x, frame.rect);
    EXPECT_EQ(x.WindowsOf(program.Pid()).size(), 1u) << Describe(x.WindowsOf(program.Pid()));
    // The design lies below the user's folder.
    return user.Read(design);
}

TEST_F(ReleaseProgramTest, ADesignWithCutPartsSavedWithTheKeysReadsBackByteForByte) {
    // Walls, floors and ceilings whose faces hold openings, holes and split
    // areas; the first start fills the folder, then opens the design, which
    // is cut with no message: the save below finds the frame alone.
    std::ifstream fixture(VELMORA_TEST_DATA_DIR "/program/cut-parts.dg6", std::ios::binary);
    const std::string original{std::istreambuf_iterator<char>(fixture), {}};
    ASSERT_FALSE(original.empty());
    const std::filesystem::path design = user.Write("cut-parts.dg6", original);
    std::string first;
    {
        ProgramProcess program(home, user.Path(), {design.string()});
        first = SaveWithTheKeys(x, program, user, design);
    }
    ASSERT_FALSE(first.empty());
    // The records after the design's front (camera and view settings) are
    // the ones read, cut parts and all.
    constexpr std::size_t kFront = 2300;
    ASSERT_EQ(first.size(), original.size());
    EXPECT_TRUE(first.compare(kFront, std::string::npos, original, kFront) == 0)
        << "first difference at byte "
        << std::mismatch(first.begin() + kFront, first.end(), original.begin() + kFront).first -
               first.begin();

    ProgramProcess program(home, user.Path(), {design.string()});
    const std::string second = SaveWithTheKeys(x, program, user, design);
    EXPECT_EQ(second.size(), first.size());
    EXPECT_TRUE(second == first)
        << "first difference at byte "
        << std::mismatch(second.begin(), second.end(), first.begin(), first.end()).first -
               second.begin();
}

}  // namespace
