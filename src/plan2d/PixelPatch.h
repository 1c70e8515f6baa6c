#pragma once

#include <cstdint>
#include <vector>

#include "platform/draw/DrawTypes.h"

namespace draw {
class ImageDrawContext;
}

// A copy of a rectangle of an image's pixels, to put back what a copy-drawn
// piece covered: unlike an XOR piece it cannot be drawn away.
class CPixelPatch {
public:
    // Keeps the device area, limited to the image.
    void Save(const draw::ImageDrawContext& image, const draw::Rect& area);
    void Clear();
    bool IsEmpty() const { return m_area.IsEmpty(); }
    const draw::Rect& Area() const { return m_area; }

    // The image shows exactly the kept pixels in their place.
    bool Matches(const draw::ImageDrawContext& image) const;
    void Restore(draw::ImageDrawContext& image) const;

private:
    // The area lies inside the image.
    bool Fits(const draw::ImageDrawContext& image) const;

    draw::Rect m_area;
    std::vector<uint32_t> m_pixels;  // rows of the area, top to bottom
};
