#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "foundation/DibLayout.h"
#include "platform/draw/DibPixels.h"
#include "platform/draw/DrawContext.h"

// A packed device-independent bitmap (a .bmp file without its 14-byte file
// header: info header, colour table, pixels) with the position it is drawn
// at. Every block is checked once when it is loaded, so no later read can
// reach past it; a block that would not fit is refused.
class CDibImage {
public:
    CDibImage() = default;

    CDibImage& Assign(const CDibImage& other);

    void SetPosition(int32_t x, int32_t y) {
        m_x = x;
        m_y = y;
    }

    // Width and number of rows (also for a top-down block); (0, 0) without
    // an image.
    draw::Size GetSize() const;
    bool HasImage() const { return !m_dib.empty(); }
    void Free();

    // The bytes of a whole .bmp file: "BM", then a file size of at least the
    // two headers and at most the bytes given. False, and no image, when the
    // bytes are refused or memory runs out.
    bool LoadFromMemory(std::span<const uint8_t> fileImage);
    // The DIB is the rest of the file after its 14-byte header, whatever
    // size the header claims.
    bool LoadFromFile(const std::string& path);

    // The stored pixels, after the header, any colour masks and the colour
    // table; null without an image.
    const uint8_t* GetBits() const;
    // The pixels as 24- or 32-bit rows for StretchDIBits, in the stored row
    // order; invalid without an image.
    draw::DibPixels GetPixelData() const;

    // Draws the whole image into (x, y, width, height) on the context, or,
    // keeping its aspect, into the largest rectangle of the image's shape
    // centred in that box.
    void Draw(draw::DrawContext& dc, int32_t width, int32_t height, bool keepAspect) const;

private:
    bool LoadDib(std::span<const uint8_t> dib);

    int32_t m_x = 0;
    int32_t m_y = 0;
    std::vector<uint8_t> m_dib;
    DibLayout m_layout;
    // 32-bit rows of a DIB whose own rows a blit cannot take.
    std::vector<uint8_t> m_converted;
};
