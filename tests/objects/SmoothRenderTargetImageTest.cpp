#include "objects/SmoothRenderTargetImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Pixels = std::vector<std::uint8_t>;

// Black and white 4 x 4 squares with an alpha the picture must lose.
Pixels Checker(int width, int height) {
    Pixels bgra;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t v = ((x / 4 + y / 4) % 2 == 0) ? 0 : 255;
            bgra.insert(bgra.end(), {v, v, v, 7});
        }
    }
    return bgra;
}

TEST(SmoothRenderTargetImageTest, SoftensTheSameWayForTheSameSeed) {
    const Pixels original = Checker(16, 12);
    Pixels first = original;
    Pixels second = original;
    ASSERT_TRUE(SmoothRenderTargetPixels(first, 16, 12, 42));
    ASSERT_TRUE(SmoothRenderTargetPixels(second, 16, 12, 42));
    EXPECT_EQ(first, second);
    ASSERT_EQ(first.size(), original.size());
    int changed = 0;
    for (std::size_t i = 0; i < first.size(); i += 4) {
        changed += first[i] != original[i] ? 1 : 0;
        EXPECT_EQ(first[i + 3], 255);
    }
    EXPECT_GT(changed, 0);
}

TEST(SmoothRenderTargetImageTest, FlatColourStaysFlat) {
    Pixels flat;
    for (int i = 0; i < 8 * 8; ++i) {
        flat.insert(flat.end(), {10, 120, 200, 255});
    }
    const Pixels original = flat;
    ASSERT_TRUE(SmoothRenderTargetPixels(flat, 8, 8, 1));
    EXPECT_EQ(flat, original);
}

TEST(SmoothRenderTargetImageTest, PixelsThatDoNotFitTheSizeAreLeftAlone) {
    Pixels pixels = Checker(4, 4);
    const Pixels original = pixels;
    EXPECT_FALSE(SmoothRenderTargetPixels(pixels, 5, 4, 1));
    EXPECT_FALSE(SmoothRenderTargetPixels(pixels, 0, 0, 1));
    EXPECT_EQ(pixels, original);
}

}  // namespace
