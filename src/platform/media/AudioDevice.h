#pragma once

namespace media {

// The one audio output that object sounds (and music) share. It is opened the
// first time something is to be heard. Without a usable device the open fails
// fast, says so in one line on stderr and is not tried again: every later call
// returns false at once, so each click stays quick and the program silent.
bool OpenAudioDevice();

bool IsAudioDeviceOpen();

// Stops every channel and closes the output. Whoever holds loaded sounds
// frees them first. A later OpenAudioDevice tries the device again.
void CloseAudioDevice();

}  // namespace media
