#include "platform/media/SoundPlayer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "platform/fs/RegularFile.h"
#include "platform/media/AudioDevice.h"

namespace media {

namespace {

// A sound is read whole into memory; a file beyond this is no click sound.
constexpr std::uint64_t kSoundFileLimit = 64u << 20;

// Channels are added when all are busy, up to this many sounds at once.
constexpr int kMaxChannels = 64;

void ReportUnplayable(const std::string& path, const char* why) {
    std::fprintf(stderr, "velmora: 無法播放音效檔 %s（%s）\n", path.c_str(), why);
}

// Devices and FIFOs are refused by the regular-file open, so a design naming
// one cannot block the click that plays it.
Mix_Chunk* LoadSound(const std::string& path) {
    const pfs::Result<std::string> bytes = pfs::ReadWholeFile(path, kSoundFileLimit);
    if (!bytes) {
        ReportUnplayable(path, bytes.Error().c_str());
        return nullptr;
    }
    const std::string& data = bytes.Value();
    SDL_RWops* stream = SDL_RWFromConstMem(data.data(), static_cast<int>(data.size()));
    Mix_Chunk* chunk = stream != nullptr ? Mix_LoadWAV_RW(stream, 1) : nullptr;
    if (chunk == nullptr) {
        ReportUnplayable(path, Mix_GetError());
    }
    return chunk;
}

int PlayOnFreeChannel(Mix_Chunk* chunk) {
    int channel = Mix_PlayChannel(-1, chunk, 0);
    for (int count = Mix_AllocateChannels(-1); channel < 0 && count < kMaxChannels;) {
        count = std::min(kMaxChannels, std::max(1, count) * 2);
        Mix_AllocateChannels(count);
        channel = Mix_PlayChannel(-1, chunk, 0);
    }
    return channel;
}

}  // namespace

void SoundPlayer::ChunkDeleter::operator()(Mix_Chunk* chunk) const {
    Mix_FreeChunk(chunk);
}

SoundPlayer::~SoundPlayer() {
    StopAll();
}

bool SoundPlayer::IsPlaying(const HeldSound& sound) {
    // The channel may have gone on to another sound since.
    return IsAudioDeviceOpen() && Mix_Playing(sound.channel) != 0 &&
           Mix_GetChunk(sound.channel) == sound.chunk.get();
}

bool SoundPlayer::Play(const std::string& path) {
    if (path.empty() || !OpenAudioDevice()) {
        return false;
    }
    FreeFinished();
    std::unique_ptr<Mix_Chunk, ChunkDeleter> chunk(LoadSound(path));
    if (!chunk) {
        return false;
    }
    const int channel = PlayOnFreeChannel(chunk.get());
    if (channel < 0) {
        ReportUnplayable(path, Mix_GetError());
        return false;
    }
    m_held.push_back({channel, std::move(chunk)});
    return true;
}

void SoundPlayer::FreeFinished() {
    std::erase_if(m_held, [](const HeldSound& sound) { return !IsPlaying(sound); });
}

void SoundPlayer::StopAll() {
    for (const HeldSound& sound : m_held) {
        if (IsPlaying(sound)) {
            Mix_HaltChannel(sound.channel);
        }
    }
    m_held.clear();
}

std::size_t SoundPlayer::GetPlayingCount() const {
    return static_cast<std::size_t>(std::count_if(m_held.begin(), m_held.end(), IsPlaying));
}

}  // namespace media
