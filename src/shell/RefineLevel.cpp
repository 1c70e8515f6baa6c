#include "shell/RefineLevel.h"

#include <algorithm>

#include "foundation/TextFormat.h"

namespace {

constexpr int kMinCellSize = 4;

}  // namespace

CRefineLevel::CRefineLevel(int faceWidth, int faceHeight)
    : m_faceWidth(faceWidth), m_faceHeight(faceHeight) {}

void CRefineLevel::SetLevel(int level) {
    m_level = std::clamp(level, 0, kMaxLevel);
    m_cellWidth = m_faceWidth >> m_level;
    m_cellHeight = m_faceHeight >> m_level;
    m_accepted = m_cellWidth >= kMinCellSize && m_cellHeight >= kMinCellSize;
    if (!m_accepted) {
        m_cellText = "超過設定";
        return;
    }
    m_cellText = FormatString("每格寬約%d,長約%d", m_cellWidth, m_cellHeight);
}
