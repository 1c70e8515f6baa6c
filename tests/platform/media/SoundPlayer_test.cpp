#include "platform/media/SoundPlayer.h"

#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/media/AudioDevice.h"
#include "platform/media/SoundTestFiles.h"
#include "support/TempFolder.h"

namespace {

using namespace std::chrono_literals;

// Each test opens the device afresh with the driver it names.
class SoundPlayerTest : public testing::Test {
protected:
    void SetUp() override { media::CloseAudioDevice(); }
    void TearDown() override { media::CloseAudioDevice(); }

    // True once nothing of the player plays any more, within a few seconds.
    static bool WaitUntilQuiet(const media::SoundPlayer& player) {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (player.GetPlayingCount() != 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(10ms);
        }
        return true;
    }

    TempFolder m_folder;
};

TEST_F(SoundPlayerTest, SoundsPlayTogetherWithoutWaitingAndAreFreedWhenDone) {
    ScopedEnvironment driver("SDL_AUDIODRIVER", "dummy");
    // Long enough that none ends while the others start on a loaded machine.
    const std::string wav = m_folder.Write("叮.wav", MakeSquareWav(3000)).string();
    media::SoundPlayer player;

    ASSERT_TRUE(player.Play(wav));
    EXPECT_EQ(player.GetPlayingCount(), 1u);
    // A second sound does not cut the first short.
    ASSERT_TRUE(player.Play(wav));
    EXPECT_EQ(player.GetPlayingCount(), 2u);

    // More sounds at once than the mixer starts with get channels of their own.
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(player.Play(wav)) << i;
    }
    EXPECT_EQ(player.GetPlayingCount(), 12u);

    ASSERT_TRUE(WaitUntilQuiet(player));
    EXPECT_EQ(player.GetHeldCount(), 12u);
    player.FreeFinished();
    EXPECT_EQ(player.GetHeldCount(), 0u);
}

TEST_F(SoundPlayerTest, FilesThatCannotBePlayedFailAndLeaveTheDeviceWorking) {
    ScopedEnvironment driver("SDL_AUDIODRIVER", "dummy");
    const std::filesystem::path fifo = m_folder.Path() / "pipe.wav";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        const char* what;
        std::string path;
    } cases[] = {
        {"missing", (m_folder.Path() / "none.wav").string()},
        {"garbage", m_folder.Write("garbage.wav", std::string(4096, '\x5a')).string()},
        {"empty", m_folder.Write("empty.wav", "").string()},
        {"truncated", m_folder.Write("cut.wav", MakeSquareWav(100).substr(0, 30)).string()},
        {"folder", m_folder.Path().string()},
        // Opening a FIFO for reading would block the click until a writer came.
        {"fifo", fifo.string()},
    };
    const std::string good = m_folder.Write("good.wav", MakeSquareWav(50)).string();
    media::SoundPlayer player;
    for (const auto& c : cases) {
        const std::size_t held = player.GetHeldCount();
        EXPECT_FALSE(player.Play(c.path)) << c.what;
        EXPECT_LE(player.GetHeldCount(), held) << c.what;
        EXPECT_TRUE(player.Play(good)) << c.what;
    }
}

TEST_F(SoundPlayerTest, TheSoundReachesTheOutput) {
    const std::filesystem::path output = m_folder.Path() / "output.raw";
    ScopedEnvironment driver("SDL_AUDIODRIVER", "disk");
    ScopedEnvironment file("SDL_DISKAUDIOFILE", output.string());
    const std::string wav = m_folder.Write("tone.wav", MakeSquareWav(200)).string();
    {
        media::SoundPlayer player;
        ASSERT_TRUE(player.Play(wav));
        ASSERT_TRUE(WaitUntilQuiet(player));
    }
    media::CloseAudioDevice();

    // The device writes signed 16-bit samples; the tone is at half scale.
    const std::string raw = m_folder.Read(output);
    ASSERT_GT(raw.size(), 2u);
    int loudest = 0;
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
        std::int16_t sample = 0;
        std::memcpy(&sample, raw.data() + i, 2);
        loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
    }
    EXPECT_GT(loudest, 8000);
}

TEST_F(SoundPlayerTest, WithoutADeviceSoundsFailFastAndTheDeviceIsNotRetried) {
    const std::string wav = m_folder.Write("a.wav", MakeSquareWav(50)).string();
    media::SoundPlayer player;
    {
        ScopedEnvironment driver("SDL_AUDIODRIVER", "no-such-driver");
        EXPECT_FALSE(player.Play(wav));
        EXPECT_FALSE(media::IsAudioDeviceOpen());
    }
    // A device that turns up later is not looked for on every click.
    ScopedEnvironment driver("SDL_AUDIODRIVER", "dummy");
    EXPECT_FALSE(player.Play(wav));
    EXPECT_FALSE(media::OpenAudioDevice());

    media::CloseAudioDevice();
    EXPECT_TRUE(player.Play(wav));
}

TEST_F(SoundPlayerTest, OpeningTheDeviceLeavesTheSignalHandlersAlone) {
    ScopedEnvironment driver("SDL_AUDIODRIVER", "dummy");
    struct sigaction before[2] = {};
    sigaction(SIGINT, nullptr, &before[0]);
    sigaction(SIGTERM, nullptr, &before[1]);
    ASSERT_TRUE(media::OpenAudioDevice());
    struct sigaction after[2] = {};
    sigaction(SIGINT, nullptr, &after[0]);
    sigaction(SIGTERM, nullptr, &after[1]);
    EXPECT_EQ(after[0].sa_handler, before[0].sa_handler);
    EXPECT_EQ(after[1].sa_handler, before[1].sa_handler);
}

}  // namespace
