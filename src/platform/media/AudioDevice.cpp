#include "platform/media/AudioDevice.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>

namespace media {

namespace {

enum class DeviceState { Untried, Open, Unavailable };

DeviceState& State() {
    static DeviceState state = DeviceState::Untried;
    return state;
}

constexpr int kOutputChannels = 2;
constexpr int kBufferSamples = 2048;

void ReportNoDevice() {
    std::fprintf(stderr, "velmora: 沒有可用的音效裝置，不播放聲音（%s）\n", SDL_GetError());
}

}  // namespace

bool OpenAudioDevice() {
    DeviceState& state = State();
    if (state != DeviceState::Untried) {
        return state == DeviceState::Open;
    }
    // The audio subsystem brings SDL's event layer with it, whose signal
    // handlers would turn Ctrl+C and SIGTERM into events nobody reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "velmora");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        ReportNoDevice();
        state = DeviceState::Unavailable;
        return false;
    }
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, kOutputChannels, kBufferSamples) !=
        0) {
        ReportNoDevice();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        state = DeviceState::Unavailable;
        return false;
    }
    state = DeviceState::Open;
    return true;
}

bool IsAudioDeviceOpen() {
    return State() == DeviceState::Open;
}

void CloseAudioDevice() {
    DeviceState& state = State();
    if (state == DeviceState::Open) {
        Mix_HaltChannel(-1);
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    state = DeviceState::Untried;
}

}  // namespace media
