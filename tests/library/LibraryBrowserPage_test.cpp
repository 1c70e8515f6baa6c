#include "library/LibraryBrowserPage.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

TEST(LibraryBrowserPage, ThirteenEntriesPageBySixAndFallBackOnTheLastPage) {
    CLibraryBrowserPage page;
    page.LoadCategory(13);
    EXPECT_TRUE(page.IsSliderShown());
    EXPECT_EQ(page.GetSliderMaximum(), 2);
    EXPECT_FALSE(page.CanGoBack());
    ASSERT_TRUE(page.SelectSlot(4));
    EXPECT_EQ(page.GetCounterText(), "[5/13]");

    page.NextPage();
    EXPECT_EQ(page.GetPageStart(), 6);
    EXPECT_EQ(page.GetSelectedSlot(), 4);  // the slot stays across pages
    EXPECT_EQ(page.GetCounterText(), "[11/13]");

    page.NextPage();
    EXPECT_EQ(page.GetPageStart(), 12);
    EXPECT_EQ(page.GetPageCount(), 1);
    EXPECT_FALSE(page.CanGoForward());
    EXPECT_EQ(page.GetSelectedIndex(), std::nullopt);
    page.FallBackToFilledSlot();
    EXPECT_EQ(page.GetSelectedSlot(), 0);
    EXPECT_EQ(page.GetCounterText(), "[13/13]");
    EXPECT_EQ(page.GetSliderPosition(), 2);

    page.NextPage();
    EXPECT_EQ(page.GetPageStart(), 12);
    page.SetSliderPosition(1);
    EXPECT_EQ(page.GetPageStart(), 6);
    page.SetSliderPosition(9);
    EXPECT_EQ(page.GetPageStart(), 12);
}

TEST(LibraryBrowserPage, PageControlsByTotal) {
    struct Case {
        int total;
        bool slider;
        int sliderMaximum;
        bool forward;
        int pageCount;
        const char* counter;
    };
    const std::vector<Case> cases = {
        {0, false, 0, false, 0, "[0/0]"}, {1, false, 0, false, 1, "[1/1]"},
        {6, false, 0, false, 6, "[1/6]"}, {7, true, 1, true, 6, "[1/7]"},
        {12, true, 1, true, 6, "[1/12]"},
    };
    for (const Case& c : cases) {
        CLibraryBrowserPage page;
        page.LoadCategory(c.total);
        page.FallBackToFilledSlot();
        EXPECT_EQ(page.IsSliderShown(), c.slider) << c.total;
        EXPECT_EQ(page.GetSliderMaximum(), c.sliderMaximum) << c.total;
        EXPECT_EQ(page.CanGoForward(), c.forward) << c.total;
        EXPECT_FALSE(page.CanGoBack()) << c.total;
        EXPECT_EQ(page.GetPageCount(), c.pageCount) << c.total;
        EXPECT_EQ(page.GetCounterText(), c.counter) << c.total;
    }
}

TEST(LibraryBrowserPage, EmptyCellsOfAShortPageAreNoChoice) {
    CLibraryBrowserPage page;
    page.LoadCategory(2);
    ASSERT_TRUE(page.SelectSlot(1));
    EXPECT_FALSE(page.SelectSlot(2));
    EXPECT_FALSE(page.SelectSlot(5));
    EXPECT_EQ(page.GetSelectedIndex(), 1);

    page.LoadCategory(0);
    EXPECT_FALSE(page.SelectSlot(0));
    EXPECT_EQ(page.GetSelectedIndex(), std::nullopt);
}

TEST(LibraryBrowserPage, ShowIndexTurnsToItsPageAndSlot) {
    CLibraryBrowserPage page;
    page.LoadCategory(20);
    page.ShowIndex(13);
    EXPECT_EQ(page.GetPageStart(), 12);
    EXPECT_EQ(page.GetSelectedSlot(), 1);
    page.ShowIndex(20);  // past the list: nothing moves
    EXPECT_EQ(page.GetPageStart(), 12);
}

TEST(LibraryBrowserPage, ClicksHitTheGrownCellsOfFilledSlotsOnly) {
    const std::vector<BrowserRect> cells = {{10, 10, 100, 80},   {120, 10, 100, 80},
                                            {230, 10, 100, 80},  {10, 100, 100, 80},
                                            {120, 100, 100, 80}, {230, 100, 100, 80}};
    struct Case {
        int x;
        int y;
        int pageCount;
        std::optional<int> slot;
    };
    const std::vector<Case> cases = {
        {10, 10, 6, 0},
        {8, 8, 6, 0},
        {7, 8, 6, std::nullopt},
        {110, 90, 6, 0},
        {111, 50, 6, std::nullopt},
        {118, 50, 6, 1},
        {300, 150, 6, 5},
        {300, 150, 4, std::nullopt},
        {50, 150, 4, 3},
        {50, 50, 0, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindCellAt(cells, c.pageCount, c.x, c.y), c.slot) << c.x << "," << c.y;
    }
    EXPECT_EQ(GrowCellForSelection({10, 10, 100, 80}), (BrowserRect{8, 8, 103, 83}));
}

TEST(LibraryBrowserPage, PicturesKeepTheirProportionsCentredInTheCell) {
    const BrowserRect cell{0, 0, 100, 80};
    EXPECT_EQ(FitPictureInCell(cell, 200, 100), (BrowserRect{0, 15, 100, 50}));
    EXPECT_EQ(FitPictureInCell(cell, 40, 80), (BrowserRect{30, 0, 40, 80}));
    EXPECT_EQ(FitPictureInCell(cell, 50, 40), (BrowserRect{0, 0, 100, 80}));
    EXPECT_EQ(FitPictureInCell(cell, 0, 40).width, 0);
}

TEST(LibraryBrowserPage, RateStripClicks) {
    const BrowserRect strip{100, 50, kRateStripWidth, kRateStripHeight};
    struct Case {
        int x;
        int currentRate;
        std::optional<int> rate;
    };
    const std::vector<Case> cases = {
        {100, 3, 1}, {100, 1, 0}, {100, 0, 1}, {115, 1, 0},
        {116, 1, 2}, {163, 0, 4}, {164, 0, 5}, {180, 2, 5},  // the rightmost column
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RateFromStripClick(strip, c.x, c.currentRate), c.rate) << c.x;
    }
    EXPECT_EQ(RateFromStripClick({0, 0, 4, 17}, 2, 0), std::nullopt);
}

TEST(LibraryBrowserPage, InformationLinesOfModelsAndPictures) {
    BrowserEntryFacts model{"C-2", "木工坊", 1200.0, 45.5, 80.0, 50.0};
    EXPECT_EQ(GetBrowserInfoLines(model),
              (std::vector<std::string>{"型號:C-2", "廠商:木工坊", "價格:$1200.00元",
                                        "寬45.5深50.0高80.0(公分)"}));
    BrowserEntryFacts picture{"", "", 0.0, 80.0, 60.0, std::nullopt};
    EXPECT_EQ(GetBrowserInfoLines(picture),
              (std::vector<std::string>{"價格:請洽詢廠商", "寬80.0高60.0(公分)"}));
}

}  // namespace
