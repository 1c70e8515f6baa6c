#pragma once

// A 2D texture of 32-bit pixels (A8R8G8B8, or X8R8G8B8 whose alpha is
// ignored) with its mip levels. Level 0 is the full size; each level below
// halves it, down to 1 x 1 for a full chain.

#include <cstdint>
#include <vector>

#include "platform/gfx/DeviceTypes.h"
#include "platform/gfx/Resource.h"

namespace gfx {

// Rows top first, each pitch bytes long; a pixel is 0xAARRGGBB in memory
// order B, G, R, A.
struct LockedRect {
    int32_t pitch = 0;
    void* bits = nullptr;
};

class Texture final : public Resource {
public:
    [[nodiscard]] uint32_t GetLevelCount() const { return static_cast<uint32_t>(m_levels.size()); }
    [[nodiscard]] uint32_t GetWidth(uint32_t level) const;
    [[nodiscard]] uint32_t GetHeight(uint32_t level) const;
    [[nodiscard]] Format GetFormat() const { return m_format; }
    [[nodiscard]] unsigned GLName() const { return m_texture; }

    Result LockRect(uint32_t level, LockedRect* locked, uint32_t flags);
    Result UnlockRect(uint32_t level);
    // Fills every level below 0 from the one above with a 2 x 2 box filter.
    void GenerateMipSubLevels();

    // Levels for a full chain down to 1 x 1.
    [[nodiscard]] static uint32_t FullChainLength(uint32_t width, uint32_t height);

private:
    friend class Device;
    struct Level {
        uint32_t width;
        uint32_t height;
        std::vector<uint32_t> pixels;
    };

    Texture(Device* device, uint32_t width, uint32_t height, uint32_t levels, Format format);
    ~Texture() override;

    void DestroyGL() override;
    void RestoreGL() override;
    void UploadLevel(uint32_t level) const;

    std::vector<Level> m_levels;
    Format m_format;
    unsigned m_texture = 0;
    int m_lockedLevel = -1;
    bool m_lockReadOnly = false;
};

}  // namespace gfx
