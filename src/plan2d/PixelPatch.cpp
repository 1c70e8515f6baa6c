#include "plan2d/PixelPatch.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>

#include "platform/draw/ImageDrawContext.h"

namespace {

const uint32_t* ImageRow(const draw::ImageDrawContext& image, int32_t y) {
    return reinterpret_cast<const uint32_t*>(image.Data() + ptrdiff_t(y) * image.Stride());
}

}  // namespace

void CPixelPatch::Save(const draw::ImageDrawContext& image, const draw::Rect& area) {
    m_area = area.Intersect({0, 0, image.Width(), image.Height()});
    m_pixels.clear();
    if (m_area.IsEmpty()) {
        return;
    }
    m_pixels.reserve(size_t(m_area.Width()) * size_t(m_area.Height()));
    for (int32_t y = m_area.top; y < m_area.bottom; ++y) {
        const uint32_t* row = ImageRow(image, y);
        m_pixels.insert(m_pixels.end(), row + m_area.left, row + m_area.right);
    }
}

void CPixelPatch::Clear() {
    m_area = {};
    m_pixels.clear();
}

bool CPixelPatch::Fits(const draw::ImageDrawContext& image) const {
    return m_area.Intersect({0, 0, image.Width(), image.Height()}) == m_area;
}

bool CPixelPatch::Matches(const draw::ImageDrawContext& image) const {
    if (IsEmpty() || !Fits(image)) {
        return false;
    }
    const auto width = size_t(m_area.Width());
    for (int32_t y = m_area.top; y < m_area.bottom; ++y) {
        const uint32_t* kept = m_pixels.data() + size_t(y - m_area.top) * width;
        if (!std::equal(kept, kept + width, ImageRow(image, y) + m_area.left)) {
            return false;
        }
    }
    return true;
}

void CPixelPatch::Restore(draw::ImageDrawContext& image) const {
    if (IsEmpty() || !Fits(image)) {
        return;
    }
    cairo_surface_t* surface = image.Surface();
    unsigned char* data = cairo_image_surface_get_data(surface);
    const auto width = size_t(m_area.Width());
    for (int32_t y = m_area.top; y < m_area.bottom; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + ptrdiff_t(y) * image.Stride());
        std::memcpy(row + m_area.left, m_pixels.data() + size_t(y - m_area.top) * width,
                    width * sizeof(uint32_t));
    }
    cairo_surface_mark_dirty_rectangle(surface, m_area.left, m_area.top, m_area.Width(),
                                       m_area.Height());
}
