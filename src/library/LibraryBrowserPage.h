#pragma once

#include <optional>
#include <string>
#include <vector>

// A rectangle of a browser window in client pixels.
struct BrowserRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    [[nodiscard]] bool Contains(int px, int py) const {
        return px >= x && py >= y && px < x + width && py < y + height;
    }
    bool operator==(const BrowserRect&) const = default;
};

// The paging of a library browser over the entries of one category: six
// cells per page, a selected slot that stays across pages, the counter, the
// page buttons and the page slider.
class CLibraryBrowserPage {
public:
    static constexpr int kCellCount = 6;

    // A category of total entries, shown from its first page.
    void LoadCategory(int total);

    int GetTotal() const { return m_total; }
    int GetPageStart() const { return m_pageStart; }
    int GetSelectedSlot() const { return m_selectedSlot; }
    // Entries on the current page, 0..6.
    int GetPageCount() const;

    void PreviousPage();
    void NextPage();
    // The slider stands for page numbers; a position outside its range is
    // taken to its nearest end.
    void SetSliderPosition(int position);
    // The page and slot of the entry at the list index.
    void ShowIndex(int index);

    // A cell with no entry is no choice: false, and the selection stays.
    bool SelectSlot(int slot);
    // On a short page a slot past its last entry falls back to slot 0.
    void FallBackToFilledSlot();

    bool CanGoBack() const { return m_pageStart > 0; }
    bool CanGoForward() const { return m_pageStart + kCellCount < m_total; }
    bool IsSliderShown() const { return m_total > kCellCount; }
    int GetSliderMaximum() const;
    int GetSliderPosition() const { return m_pageStart / kCellCount; }

    // "[%d/%d]": the selected entry's position and the total; "[0/0]" for an
    // empty category.
    std::string GetCounterText() const;
    // The list index of the selected entry; nothing when its cell is empty.
    std::optional<int> GetSelectedIndex() const;

private:
    int m_total = 0;
    int m_pageStart = 0;
    int m_selectedSlot = 0;
};

// The rectangle a cell's click is taken in and its selection frame drawn on:
// the cell grown by 2 pixels to the left and top and 1 to the right and bottom.
BrowserRect GrowCellForSelection(const BrowserRect& cell);

// The filled cell under the point; nothing outside the page's cells.
std::optional<int> FindCellAt(const std::vector<BrowserRect>& cells, int pageCount, int x, int y);

// The rectangle a picture of the given size is drawn in: the largest one of
// its shape centred in the cell. Empty for an empty picture or cell.
BrowserRect FitPictureInCell(const BrowserRect& cell, int pictureWidth, int pictureHeight);

// The rate strip's rate bitmaps are 81 x 17 pixels: five stars.
constexpr int kRateStripWidth = 81;
constexpr int kRateStripHeight = 17;
constexpr int kHighestRate = 5;

// The new rate of a click at x in the rate strip: its star (1..5), except
// that the first star of an entry rated 1 takes the rate back to 0. Nothing
// for a strip too narrow to hold five stars.
std::optional<int> RateFromStripClick(const BrowserRect& strip, int x, int currentRate);

// The information lines of the selected entry: "型號:", "廠商:" when not
// empty, the price text and the size line.
struct BrowserEntryFacts {
    std::string serialNumber;
    std::string vendor;
    double price = 0.0;
    double width = 0.0;
    double height = 0.0;
    // Models have a depth; textures and photos none.
    std::optional<double> depth;
};
std::vector<std::string> GetBrowserInfoLines(const BrowserEntryFacts& facts);
