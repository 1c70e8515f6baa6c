#include "foundation/DibImage.h"

#include <new>
#include <optional>

#include "foundation/Rect2D.h"
#include "platform/fs/RegularFile.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;

bool HasSignature(std::span<const uint8_t> file) {
    return file.size() >= kFileHeaderSize && file[0] == 'B' && file[1] == 'M';
}

}  // namespace

CDibImage& CDibImage::Assign(const CDibImage& other) {
    if (this != &other) {
        *this = other;
    }
    return *this;
}

draw::Size CDibImage::GetSize() const {
    if (!HasImage()) {
        return {0, 0};
    }
    return {m_layout.width, m_layout.Rows()};
}

void CDibImage::Free() {
    m_dib.clear();
    m_dib.shrink_to_fit();
    m_converted.clear();
    m_converted.shrink_to_fit();
    m_layout = {};
}

bool CDibImage::LoadFromMemory(std::span<const uint8_t> fileImage) {
    Free();
    if (!HasSignature(fileImage)) {
        return false;
    }
    const uint32_t fileSize = uint32_t(fileImage[2]) | (uint32_t(fileImage[3]) << 8) |
                              (uint32_t(fileImage[4]) << 16) | (uint32_t(fileImage[5]) << 24);
    if (fileSize < kFileHeaderSize + kInfoHeaderSize || fileSize > fileImage.size()) {
        return false;
    }
    return LoadDib(fileImage.subspan(kFileHeaderSize, fileSize - kFileHeaderSize));
}

bool CDibImage::LoadFromFile(const std::string& path) {
    Free();
    try {
        const pfs::Result<std::string> content = pfs::ReadWholeFile(path, pfs::kImageFileLimit);
        if (!content) {
            return false;
        }
        const std::span<const uint8_t> bytes(
            reinterpret_cast<const uint8_t*>(content.Value().data()), content.Value().size());
        if (!HasSignature(bytes)) {
            return false;
        }
        return LoadDib(bytes.subspan(kFileHeaderSize));
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool CDibImage::LoadDib(std::span<const uint8_t> dib) {
    const std::optional<DibLayout> layout = DibLayout::Read(dib);
    if (!layout) {
        return false;
    }
    try {
        m_dib.assign(dib.begin(), dib.end());
        if (!layout->IsBlitReady()) {
            m_converted = layout->ToBlitRows(m_dib);
        }
    } catch (const std::bad_alloc&) {
        Free();
        return false;
    }
    m_layout = *layout;
    return true;
}

const uint8_t* CDibImage::GetBits() const {
    return HasImage() ? m_dib.data() + m_layout.pixelOffset : nullptr;
}

draw::DibPixels CDibImage::GetPixelData() const {
    if (!HasImage()) {
        return {};
    }
    if (m_converted.empty()) {
        return {m_layout.width, m_layout.height, m_layout.bitCount, GetBits()};
    }
    return {m_layout.width, m_layout.height, 32, m_converted.data()};
}

void CDibImage::Draw(draw::DrawContext& dc, int32_t width, int32_t height, bool keepAspect) const {
    if (!HasImage()) {
        return;
    }
    const draw::Size size = GetSize();
    int32_t left = m_x;
    int32_t top = m_y;
    if (keepAspect) {
        const RECT fitted = CRect2D(0.0, 0.0, size.cx, size.cy).FitIntoSize(width, height).ToRect();
        left += fitted.left;
        top += fitted.top;
        width = fitted.right - fitted.left;
        height = fitted.bottom - fitted.top;
    }
    dc.StretchDIBits(left, top, width, height, 0, 0, size.cx, size.cy, GetPixelData());
}
