#include "library/LibraryBrowserPage.h"

#include <algorithm>

#include "foundation/TextFormat.h"

void CLibraryBrowserPage::LoadCategory(int total) {
    m_total = std::max(total, 0);
    m_pageStart = 0;
}

int CLibraryBrowserPage::GetPageCount() const {
    return std::clamp(m_total - m_pageStart, 0, kCellCount);
}

void CLibraryBrowserPage::PreviousPage() {
    if (CanGoBack()) {
        m_pageStart -= kCellCount;
    }
}

void CLibraryBrowserPage::NextPage() {
    if (CanGoForward()) {
        m_pageStart += kCellCount;
    }
}

int CLibraryBrowserPage::GetSliderMaximum() const {
    return m_total > 0 ? (m_total + kCellCount - 1) / kCellCount - 1 : 0;
}

void CLibraryBrowserPage::SetSliderPosition(int position) {
    m_pageStart = std::clamp(position, 0, GetSliderMaximum()) * kCellCount;
}

void CLibraryBrowserPage::ShowIndex(int index) {
    if (index < 0 || index >= m_total) {
        return;
    }
    m_pageStart = index / kCellCount * kCellCount;
    m_selectedSlot = index % kCellCount;
}

bool CLibraryBrowserPage::SelectSlot(int slot) {
    if (slot < 0 || slot >= GetPageCount()) {
        return false;
    }
    m_selectedSlot = slot;
    return true;
}

void CLibraryBrowserPage::FallBackToFilledSlot() {
    if (GetPageCount() < kCellCount && m_selectedSlot >= m_total % kCellCount) {
        m_selectedSlot = 0;
    }
}

std::string CLibraryBrowserPage::GetCounterText() const {
    if (m_total == 0) {
        return "[0/0]";
    }
    return FormatString("[%d/%d]", m_pageStart + m_selectedSlot + 1, m_total);
}

std::optional<int> CLibraryBrowserPage::GetSelectedIndex() const {
    const int index = m_pageStart + m_selectedSlot;
    if (index < m_total) {
        return index;
    }
    return std::nullopt;
}

BrowserRect GrowCellForSelection(const BrowserRect& cell) {
    return {cell.x - 2, cell.y - 2, cell.width + 3, cell.height + 3};
}

std::optional<int> FindCellAt(const std::vector<BrowserRect>& cells, int pageCount, int x, int y) {
    const int filled = std::min(pageCount, static_cast<int>(cells.size()));
    for (int slot = 0; slot < filled; ++slot) {
        if (GrowCellForSelection(cells[slot]).Contains(x, y)) {
            return slot;
        }
    }
    return std::nullopt;
}

BrowserRect FitPictureInCell(const BrowserRect& cell, int pictureWidth, int pictureHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || cell.width <= 0 || cell.height <= 0) {
        return {cell.x, cell.y, 0, 0};
    }
    // Compare the proportions in 64 bits: cell and picture sizes multiply.
    const long long byWidth = static_cast<long long>(cell.width) * pictureHeight;
    const long long byHeight = static_cast<long long>(cell.height) * pictureWidth;
    int width = cell.width;
    int height = cell.height;
    if (byWidth > byHeight) {
        width = static_cast<int>(byHeight / pictureHeight);
    } else {
        height = static_cast<int>(byWidth / pictureWidth);
    }
    width = std::max(width, 1);
    height = std::max(height, 1);
    return {cell.x + (cell.width - width) / 2, cell.y + (cell.height - height) / 2, width, height};
}

std::optional<int> RateFromStripClick(const BrowserRect& strip, int x, int currentRate) {
    const int starWidth = strip.width / kHighestRate;
    if (starWidth <= 0) {
        return std::nullopt;
    }
    const int star = std::clamp((x - strip.x) / starWidth, 0, kHighestRate - 1);
    if (star == 0 && currentRate == 1) {
        return 0;
    }
    return star + 1;
}

std::vector<std::string> GetBrowserInfoLines(const BrowserEntryFacts& facts) {
    std::vector<std::string> lines;
    if (!facts.serialNumber.empty()) {
        lines.push_back("型號:" + facts.serialNumber);
    }
    if (!facts.vendor.empty()) {
        lines.push_back("廠商:" + facts.vendor);
    }
    lines.push_back(FormatPriceText(facts.price));
    if (facts.depth) {
        lines.push_back(
            FormatString("寬%.1f深%.1f高%.1f(公分)", facts.width, *facts.depth, facts.height));
    } else {
        lines.push_back(FormatString("寬%.1f高%.1f(公分)", facts.width, facts.height));
    }
    return lines;
}
