#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace media {

// Plays a sound file of the program's asynchronously: nothing for an empty
// name; a file that cannot be played is skipped with one line on stderr.
// True when the sound started.
bool PlaySoundFile(std::string_view path);

// What plays a sound file; tests put their own in, and an empty one brings
// back the audio device's.
using SoundFilePlayer = std::function<bool(const std::string& path)>;
void SetSoundFilePlayer(SoundFilePlayer player);

// Stops the program's sounds, frees them and closes the audio device. It runs
// at exit on its own once the device has been opened.
void ShutdownAudio();

}  // namespace media
