#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

struct Mix_Chunk;

namespace media {

// One-shot sounds, each loaded whole and played on a channel of its own, so a
// new sound never cuts one still playing short. A sound's data is freed once
// its channel has finished with it.
class SoundPlayer {
public:
    SoundPlayer() = default;
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Starts the sound file and returns at once; true when it is playing. A
    // file that cannot be read or decoded, or no audio device, gives false
    // after one line on stderr.
    bool Play(const std::string& path);

    // Frees the sounds whose playing is over.
    void FreeFinished();

    // Stops and frees every sound of this player.
    void StopAll();

    // Sounds playing or not yet freed.
    [[nodiscard]] std::size_t GetHeldCount() const { return m_held.size(); }
    [[nodiscard]] std::size_t GetPlayingCount() const;

private:
    struct ChunkDeleter {
        void operator()(Mix_Chunk* chunk) const;
    };
    struct HeldSound {
        int channel = -1;
        std::unique_ptr<Mix_Chunk, ChunkDeleter> chunk;
    };

    [[nodiscard]] static bool IsPlaying(const HeldSound& sound);

    std::vector<HeldSound> m_held;
};

}  // namespace media
