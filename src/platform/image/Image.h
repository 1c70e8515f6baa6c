#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/image/ImageFormat.h"
#include "platform/image/Raster.h"
#include "platform/image/Resampler.h"

namespace image {

struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 255;

    friend bool operator==(const Color&, const Color&) = default;
};

// How rows handed in or out are laid out; rows always run top-down.
enum class PixelLayout {
    Bgr24,   // 3 bytes a pixel
    Bgra32,  // 4 bytes a pixel, the fourth being alpha
    Bgrx32,  // 4 bytes a pixel, the fourth unused (a render target's X8R8G8B8)
};

// A raster image: decoded from the usual file formats, edited, resampled and
// encoded again. Pixels are kept at 8 bits per channel whatever the file held,
// so there is no palette to raise to 24 bits before colour edits. Coordinates
// run from the top-left corner. Failing operations return false, leave the
// image as it was and say why in GetLastError.
class CImage {
public:
    // Decodes a whole file; Unknown tells the format from the content.
    bool Load(const std::string& path, ImageFormat format = ImageFormat::Unknown);
    // Decodes data[0, length) and never reads beyond it.
    bool Decode(const std::uint8_t* data, std::size_t length,
                ImageFormat format = ImageFormat::Unknown);

    // An opaque black image.
    bool Create(int width, int height);
    bool CreateFromRows(const std::uint8_t* rows, int width, int height, std::size_t stride,
                        PixelLayout layout);

    bool IsValid() const { return !m_raster.bgra.empty(); }
    int GetWidth() const { return m_raster.width; }
    int GetHeight() const { return m_raster.height; }
    // 32 with an alpha channel, 24 without, 0 for an empty image.
    int GetBpp() const;
    bool HasAlpha() const { return m_raster.hasAlpha; }
    // Adds a fully opaque alpha channel (kept when there already is one).
    void CreateAlpha();

    // Outside the image: all zero.
    Color GetPixelColor(int x, int y) const;
    // Outside the image: nothing. The alpha byte is written only with
    // setAlpha on an image that has an alpha channel.
    void SetPixelColor(int x, int y, Color color, bool setAlpha = false);

    // The pixels as B, G, R, A rows top-down for blitting; GetStride bytes
    // a row (4 x width, no padding).
    const std::uint8_t* GetBits() const { return m_raster.bgra.data(); }
    std::size_t GetStride() const { return m_raster.Stride(); }
    // A copy of the pixels, rows top-down and tightly packed.
    std::vector<std::uint8_t> CopyRows(PixelLayout layout) const;

    bool Resample(int newWidth, int newHeight,
                  Interpolation interpolation = Interpolation::Bilinear);
    // Bicubic with repeated edges (the averaging variant when shrinking).
    bool Resample2(int newWidth, int newHeight);
    // Shrinks the image to fit inside width x height keeping its aspect (a
    // smaller image keeps its size), then centres it on a canvas of exactly
    // width x height filled with the canvas colour.
    bool Thumbnail(int width, int height, Color canvas);
    // Adds borders of the given widths in the canvas colour.
    bool Expand(int left, int top, int right, int bottom, Color canvas);
    // Moves every pixel's colour to a random neighbour at most radius away
    // (a neighbour outside the image leaves the pixel as it was).
    bool Jitter(int radius, std::uint32_t seed = std::random_device{}());
    // Smooths noise and jagged edges while keeping the edges themselves:
    // each colour channel flows along its level lines (mean curvature flow),
    // radius being the step of each of the iterations.
    bool Repair(float radius, int iterations);

    // BMP (24-bit), JPEG (with quality 1 to 100) or PNG; nullopt on failure.
    std::optional<std::vector<std::uint8_t>> Encode(ImageFormat format, int quality = 90) const;
    // Encodes and replaces the file at path atomically (all or nothing).
    bool Save(const std::string& path, ImageFormat format, int quality = 90) const;

    const std::string& GetLastError() const { return m_lastError; }

private:
    bool Fail(std::string message) const;
    bool RequireValid(const char* operation) const;

    Raster m_raster;
    mutable std::string m_lastError;
};

}  // namespace image
