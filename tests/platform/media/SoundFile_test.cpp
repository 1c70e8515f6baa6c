#include "platform/media/SoundFile.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/media/AudioDevice.h"
#include "platform/media/SoundTestFiles.h"
#include "support/TempFolder.h"

namespace {

TEST(SoundFileTest, AnEmptyNamePlaysNothingAndOthersGoToThePlayer) {
    std::vector<std::string> played;
    media::SetSoundFilePlayer([&played](const std::string& path) {
        played.push_back(path);
        return true;
    });
    EXPECT_FALSE(media::PlaySoundFile(""));
    EXPECT_TRUE(media::PlaySoundFile("/tmp/叮.wav"));
    media::SetSoundFilePlayer({});
    EXPECT_EQ(played, (std::vector<std::string>{"/tmp/叮.wav"}));
}

TEST(SoundFileTest, TheProgramsSoundsPlayOnTheDeviceUntilShutdown) {
    ScopedEnvironment driver("SDL_AUDIODRIVER", "dummy");
    TempFolder folder;
    const std::string wav = folder.Write("b.wav", MakeSquareWav(2000)).string();
    EXPECT_TRUE(media::PlaySoundFile(wav));
    EXPECT_TRUE(media::IsAudioDeviceOpen());
    EXPECT_FALSE(media::PlaySoundFile(wav + ".missing"));

    // Shutting down with a sound still playing stops and frees it.
    media::ShutdownAudio();
    EXPECT_FALSE(media::IsAudioDeviceOpen());
}

}  // namespace
