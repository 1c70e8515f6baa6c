// The program exactly as scripts/run builds and starts it, on a fresh
// program folder, used through the screen, the pointer and the keys.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
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
                   std::any_of(windows.begin(), windows.end(), IsDesignManager);
        });
        EXPECT_TRUE(program->Running()) << program->Log();
        EXPECT_TRUE(shown) << "no design manager; shown:\n" << Describe(windows) << program->Log();
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

}  // namespace
