#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "shell/ImageResolution.h"
#include "shell/LoadWarningText.h"
#include "shell/ProgressPosition.h"
#include "shell/RefineLevel.h"

TEST(ImageResolution, OutputSizeFollowsTilesAndViewProportions) {
    struct Case {
        int viewWidth;
        int viewHeight;
        int scale;
        std::string size;
        int64_t estimate;
    };
    const Case cases[] = {
        {800, 600, 2, "2048 X 1536", 9216},
        {800, 600, 1, "1024 X 768", 2304},
        {640, 481, 10, "10240 X 7696", 230880},  // integer division rounds down
        // A very tall view: the estimate needs more than 32 bits.
        {1, 100000, 10, "10240 X 1024000000", 30720000000},
    };
    for (const Case& c : cases) {
        CImageResolution resolution(c.viewWidth, c.viewHeight);
        resolution.SetScale(c.scale);
        EXPECT_EQ(resolution.GetSizeText(), c.size) << c.viewWidth << "x" << c.viewHeight;
        EXPECT_EQ(resolution.GetEstimatedKBytes(), c.estimate)
            << c.viewWidth << "x" << c.viewHeight;
    }
}

TEST(ImageResolution, StartsAtOneTileWithNoEstimate) {
    CImageResolution resolution(800, 600);
    EXPECT_EQ(resolution.GetScale(), 1);
    EXPECT_EQ(resolution.GetSizeText(), "1024 X 768");
    EXPECT_EQ(resolution.GetEstimatedKBytes(), 0);
    EXPECT_EQ(resolution.GetAntiAliasValue(), 2);
}

TEST(ImageResolution, MinimisedViewKeepsTheHeight) {
    CImageResolution resolution(0, 600);
    resolution.SetScale(3);
    EXPECT_EQ(resolution.GetWidth(), 3072);
    EXPECT_EQ(resolution.GetHeight(), 0);
}

TEST(ImageResolution, AntiAliasValueGivesPassCount) {
    const int passes[] = {2, 3, 4, 5, 6, 8, 9};
    for (int value = 1; value <= 7; ++value) {
        CImageResolution resolution(800, 600);
        resolution.SetAntiAliasValue(value);
        EXPECT_EQ(resolution.GetPassCount(), passes[value - 1]) << "value " << value;
    }
}

TEST(RefineLevel, LevelHalvesTheFaceAndRefusesSmallCells) {
    CRefineLevel refine(100, 60);
    EXPECT_EQ(refine.GetLevel(), 0);
    EXPECT_TRUE(refine.IsAccepted());
    EXPECT_EQ(refine.GetCellText(), "");

    refine.SetLevel(3);
    EXPECT_EQ(refine.GetCellWidth(), 12);
    EXPECT_EQ(refine.GetCellHeight(), 7);
    EXPECT_TRUE(refine.IsAccepted());
    EXPECT_EQ(refine.GetCellText(), "每格寬約12,長約7");

    refine.SetLevel(4);  // 60 >> 4 = 3
    EXPECT_FALSE(refine.IsAccepted());
    EXPECT_EQ(refine.GetCellText(), "超過設定");
    EXPECT_EQ(refine.GetLevel(), 4);
}

TEST(LoadWarningText, FormatTakesTheFileNameOfThePath) {
    struct Case {
        const char* format;
        const char* path;
        const char* expected;
    };
    const Case cases[] = {
        {"找不到模型檔案 - %s", "D:\\lib\\chair.x", "找不到模型檔案 - chair.x"},
        {"找不到貼圖檔案 - %s", "/home/u/STexture/木紋.jpg", "找不到貼圖檔案 - 木紋.jpg"},
        {"找不到照片檔案 - %s", "photo.bmp", "找不到照片檔案 - photo.bmp"},
        // Names whose Big5 form holds the byte of a backslash stay whole.
        {"找不到模型檔案 - %s", "D:\\許功蓋\\許功.x", "找不到模型檔案 - 許功.x"},
        // The path is text, never a format.
        {"找不到模型檔案 - %s", "C:\\a\\100%s%d.x", "找不到模型檔案 - 100%s%d.x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatLoadWarning(c.format, c.path), c.expected) << c.path;
    }
}

TEST(ProgressPosition, StepsThroughTheRangeAndStartsOver) {
    CProgressPosition progress;
    progress.SetPos(0);
    progress.SetRange(0, 1000);
    progress.SetStep(142);
    for (int i = 0; i < 7; ++i) {
        progress.StepIt();
    }
    EXPECT_EQ(progress.GetPos(), 994);
    progress.StepIt();
    EXPECT_EQ(progress.GetPos(), 0);

    progress.SetPos(5000);
    EXPECT_EQ(progress.GetPos(), 1000);
}

TEST(ProgressPosition, GaugeShowsAnyIntRange) {
    CProgressPosition progress;
    progress.SetRange(INT_MIN, INT_MAX);
    progress.SetPos(INT_MAX);
    EXPECT_GT(progress.GetGaugeRange(), 0);
    EXPECT_EQ(progress.GetGaugeValue(), progress.GetGaugeRange());

    progress.SetStep(INT_MAX);
    progress.SetPos(INT_MAX - 1);
    progress.StepIt();  // past the top without overflowing
    EXPECT_EQ(progress.GetPos(), INT_MIN);
}
