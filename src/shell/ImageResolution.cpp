#include "shell/ImageResolution.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int kPassCountSkipped = 7;

}  // namespace

CImageResolution::CImageResolution(int viewWidth, int viewHeight)
    : m_viewWidth(viewWidth), m_viewHeight(viewHeight) {
    UpdateSize();
}

void CImageResolution::SetScale(int scale) {
    m_scale = std::clamp(scale, kMinScale, kMaxScale);
    UpdateSize();
    m_estimatedKBytes = (int64_t{m_width} * m_height + 18) * 3 / 1024;
}

void CImageResolution::UpdateSize() {
    m_width = kTileWidth * m_scale;
    if (m_viewWidth <= 0) {
        return;
    }
    const int64_t height = int64_t{m_viewHeight} * m_width / m_viewWidth;
    m_height = static_cast<int>(std::clamp<int64_t>(height, 0, std::numeric_limits<int>::max()));
}

int CImageResolution::GetPassCount() const {
    const int passes = m_antiAliasValue + 1;
    return passes >= kPassCountSkipped ? passes + 1 : passes;
}

std::string CImageResolution::GetSizeText() const {
    return std::to_string(m_width) + " X " + std::to_string(m_height);
}
