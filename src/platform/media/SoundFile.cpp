#include "platform/media/SoundFile.h"

#include <cstdlib>
#include <utility>

#include "platform/media/AudioDevice.h"
#include "platform/media/SoundPlayer.h"

namespace media {

namespace {

SoundPlayer& ProgramSounds() {
    static SoundPlayer player;
    return player;
}

// Registered after the player exists, so it runs before the player's own
// destructor, while SDL is still there to free the sounds.
void CloseAtExit() {
    static const bool registered = std::atexit(ShutdownAudio) == 0;
    static_cast<void>(registered);
}

bool PlayOnAudioDevice(const std::string& path) {
    SoundPlayer& player = ProgramSounds();
    const bool started = player.Play(path);
    if (IsAudioDeviceOpen()) {
        CloseAtExit();
    }
    return started;
}

SoundFilePlayer& Player() {
    static SoundFilePlayer player = PlayOnAudioDevice;
    return player;
}

}  // namespace

bool PlaySoundFile(std::string_view path) {
    return !path.empty() && Player()(std::string(path));
}

void SetSoundFilePlayer(SoundFilePlayer player) {
    Player() = player ? std::move(player) : SoundFilePlayer(PlayOnAudioDevice);
}

void ShutdownAudio() {
    ProgramSounds().StopAll();
    CloseAudioDevice();
}

}  // namespace media
