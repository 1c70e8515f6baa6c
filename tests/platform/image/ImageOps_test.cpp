#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

#include "TestImages.h"
#include "platform/image/Image.h"

namespace {

using image::CImage;
using image::Color;
using image::Interpolation;
using image::PixelLayout;
using image::test::MakePattern;
using image::test::MaxChannelDifference;
using image::test::PatternColor;

CImage Filled(int width, int height, Color colour) {
    CImage filled;
    filled.Create(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            filled.SetPixelColor(x, y, colour);
        }
    }
    return filled;
}

TEST(ImageOps, PixelAccessStaysInsideAndWritesAlphaOnlyWhenAsked) {
    CImage picture;
    ASSERT_TRUE(picture.Create(3, 2));
    EXPECT_EQ(picture.GetBpp(), 24);
    EXPECT_EQ(picture.GetPixelColor(2, 1), (Color{0, 0, 0, 255}));
    picture.SetPixelColor(2, 1, Color{1, 2, 3, 40}, true);
    EXPECT_EQ(picture.GetPixelColor(2, 1), (Color{1, 2, 3, 255})) << "no alpha channel yet";
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {3, 0}, {0, 2}, {INT_MIN, INT_MAX}}) {
        picture.SetPixelColor(x, y, Color{9, 9, 9, 9}, true);
        EXPECT_EQ(picture.GetPixelColor(x, y), (Color{0, 0, 0, 0}));
    }
    picture.CreateAlpha();
    EXPECT_EQ(picture.GetBpp(), 32);
    EXPECT_EQ(picture.GetPixelColor(0, 0).a, 255);
    picture.SetPixelColor(0, 0, Color{245, 245, 245, 90}, true);
    picture.SetPixelColor(0, 0, Color{7, 8, 9, 0});
    EXPECT_EQ(picture.GetPixelColor(0, 0), (Color{7, 8, 9, 90}));
    EXPECT_EQ(CImage().GetBpp(), 0);
}

TEST(ImageOps, RowsGoInAndOutInEveryLayout) {
    const CImage pattern = MakePattern(3, 2);
    // Padded rows in, as a bottom-up DIB turned over would give them.
    std::vector<std::uint8_t> bgr;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            const Color c = PatternColor(x, y);
            bgr.insert(bgr.end(), {c.b, c.g, c.r});
        }
        bgr.insert(bgr.end(), {0xEE, 0xEE, 0xEE});
    }
    CImage fromBgr;
    ASSERT_TRUE(fromBgr.CreateFromRows(bgr.data(), 3, 2, 12, PixelLayout::Bgr24));
    EXPECT_FALSE(fromBgr.HasAlpha());
    EXPECT_EQ(MaxChannelDifference(fromBgr, pattern), 0);

    std::vector<std::uint8_t> bgrx = pattern.CopyRows(PixelLayout::Bgra32);
    ASSERT_EQ(bgrx.size(), 3u * 2u * 4u);
    EXPECT_EQ(pattern.GetStride(), 12u);
    EXPECT_TRUE(std::equal(bgrx.begin(), bgrx.end(), pattern.GetBits()));
    for (std::size_t i = 3; i < bgrx.size(); i += 4) {
        bgrx[i] = 0;  // a render target's unused byte
    }
    CImage fromBgrx;
    ASSERT_TRUE(fromBgrx.CreateFromRows(bgrx.data(), 3, 2, 12, PixelLayout::Bgrx32));
    EXPECT_EQ(MaxChannelDifference(fromBgrx, pattern), 0);
    CImage fromBgra;
    ASSERT_TRUE(fromBgra.CreateFromRows(bgrx.data(), 3, 2, 12, PixelLayout::Bgra32));
    EXPECT_TRUE(fromBgra.HasAlpha());
    EXPECT_EQ(fromBgra.GetPixelColor(1, 1).a, 0);

    const std::vector<std::uint8_t> packed = pattern.CopyRows(PixelLayout::Bgr24);
    ASSERT_EQ(packed.size(), 18u);
    EXPECT_TRUE(std::equal(packed.begin(), packed.begin() + 9, bgr.begin()));
    EXPECT_TRUE(std::equal(packed.begin() + 9, packed.end(), bgr.begin() + 12));
    EXPECT_EQ(pattern.CopyRows(PixelLayout::Bgrx32)[3], 255);

    CImage refused = pattern;
    EXPECT_FALSE(refused.CreateFromRows(bgr.data(), 3, 2, 8, PixelLayout::Bgr24));
    EXPECT_FALSE(refused.CreateFromRows(nullptr, 3, 2, 12, PixelLayout::Bgr24));
    EXPECT_FALSE(refused.CreateFromRows(bgr.data(), INT_MAX, 2, SIZE_MAX, PixelLayout::Bgr24));
    EXPECT_EQ(MaxChannelDifference(refused, pattern), 0);
}

TEST(ImageOps, AbsurdSizesAreRefusedWithoutTouchingTheImage) {
    CImage picture = MakePattern(4, 4);
    EXPECT_FALSE(picture.Create(0, 10));
    EXPECT_FALSE(picture.Create(-5, 10));
    EXPECT_FALSE(picture.Create(image::kMaxSide + 1, 1));
    EXPECT_FALSE(picture.Create(40000, 40000));  // each side fits, the product does not
    EXPECT_FALSE(picture.Resample(INT_MAX, 2));
    EXPECT_FALSE(picture.Resample2(0, 2));
    EXPECT_FALSE(picture.Thumbnail(-1, 10, Color{}));
    EXPECT_FALSE(picture.Expand(INT_MAX, 0, INT_MAX, 0, Color{}));
    EXPECT_FALSE(picture.Expand(-1, 0, 0, 0, Color{}));
    EXPECT_FALSE(picture.GetLastError().empty());
    EXPECT_EQ(MaxChannelDifference(picture, MakePattern(4, 4)), 0);
}

TEST(ImageOps, EveryOperationOnAnEmptyImageFails) {
    CImage empty;
    EXPECT_FALSE(empty.Resample(2, 2));
    EXPECT_FALSE(empty.Resample2(2, 2));
    EXPECT_FALSE(empty.Thumbnail(2, 2, Color{}));
    EXPECT_FALSE(empty.Expand(1, 1, 1, 1, Color{}));
    EXPECT_FALSE(empty.Jitter(2, 1));
    EXPECT_FALSE(empty.Repair(0.5f, 4));
    EXPECT_FALSE(empty.Encode(image::ImageFormat::Bmp));
    EXPECT_FALSE(empty.IsValid());
}

TEST(ImageOps, ResamplingGivesTheRequestedSize) {
    for (Interpolation mode :
         {Interpolation::NearestPixel, Interpolation::Bilinear, Interpolation::Bicubic}) {
        for (auto [w, h] : {std::pair{1, 1}, {5, 3}, {37, 2}, {64, 48}}) {
            CImage picture = MakePattern(13, 9);
            ASSERT_TRUE(picture.Resample(w, h, mode));
            EXPECT_EQ(picture.GetWidth(), w);
            EXPECT_EQ(picture.GetHeight(), h);
        }
    }
    // Same size: nothing moves.
    for (Interpolation mode :
         {Interpolation::NearestPixel, Interpolation::Bilinear, Interpolation::Bicubic}) {
        CImage picture = MakePattern(13, 9);
        ASSERT_TRUE(picture.Resample(13, 9, mode));
        EXPECT_EQ(MaxChannelDifference(picture, MakePattern(13, 9)), 0);
    }
}

TEST(ImageOps, ResamplingFiltersBehaveAsNamed) {
    // Nearest pixel: doubling makes 2 x 2 blocks of the source pixels.
    CImage nearest = MakePattern(3, 2);
    ASSERT_TRUE(nearest.Resample(6, 4, Interpolation::NearestPixel));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(nearest.GetPixelColor(x, y), PatternColor(x / 2, y / 2));
        }
    }

    // Bilinear: a black-to-white pair becomes a rising ramp between them.
    CImage ramp = Filled(2, 1, Color{0, 0, 0, 255});
    ramp.SetPixelColor(1, 0, Color{255, 255, 255, 255});
    ASSERT_TRUE(ramp.Resample(8, 1, Interpolation::Bilinear));
    EXPECT_EQ(ramp.GetPixelColor(0, 0).r, 0);
    EXPECT_EQ(ramp.GetPixelColor(7, 0).r, 255);
    for (int x = 1; x < 8; ++x) {
        EXPECT_GE(ramp.GetPixelColor(x, 0).r, ramp.GetPixelColor(x - 1, 0).r);
    }
    EXPECT_EQ(ramp.GetPixelColor(3, 0).r, 96);  // 3/8 of the way at pixel centres

    // Bicubic keeps a flat colour flat (no ringing at the repeated edges)
    // and, when shrinking, averages what each pixel covers: a one-pixel
    // checkerboard halves to an even grey, where sampling would keep one colour.
    CImage flat = Filled(5, 4, Color{200, 100, 50, 255});
    ASSERT_TRUE(flat.Resample2(17, 11));
    EXPECT_EQ(MaxChannelDifference(flat, Filled(17, 11, Color{200, 100, 50, 255})), 0);
    CImage checker;
    ASSERT_TRUE(checker.Create(8, 8));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const std::uint8_t v = (x + y) % 2 ? 255 : 0;
            checker.SetPixelColor(x, y, Color{v, v, v, 255});
        }
    }
    ASSERT_TRUE(checker.Resample2(4, 4));
    EXPECT_LE(MaxChannelDifference(checker, Filled(4, 4, Color{128, 128, 128, 255})), 1);
}

TEST(ImageOps, ThumbnailFitsTheBoxKeepingTheAspect) {
    const Color canvas{0, 0, 0, 255};
    const Color paint{90, 160, 220, 255};
    const struct {
        int width, height, boxWidth, boxHeight;
        int left, top, fittedWidth, fittedHeight;
    } cases[] = {
        {1024, 768, 256, 192, 0, 0, 256, 192},  // same aspect: fills the box
        {800, 200, 256, 192, 0, 64, 256, 64},   // wide: bands above and below
        {100, 300, 100, 80, 37, 0, 26, 80},     // tall: bands left and right
        {50, 40, 100, 80, 25, 20, 50, 40},      // smaller: not enlarged, centred
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        CImage picture = Filled(c.width, c.height, paint);
        ASSERT_TRUE(picture.Thumbnail(c.boxWidth, c.boxHeight, canvas));
        ASSERT_EQ(picture.GetWidth(), c.boxWidth);
        ASSERT_EQ(picture.GetHeight(), c.boxHeight);
        int left = c.boxWidth, top = c.boxHeight, right = -1, bottom = -1;
        for (int y = 0; y < c.boxHeight; ++y) {
            for (int x = 0; x < c.boxWidth; ++x) {
                const Color p = picture.GetPixelColor(x, y);
                if (p == paint) {
                    left = std::min(left, x);
                    top = std::min(top, y);
                    right = std::max(right, x);
                    bottom = std::max(bottom, y);
                } else {
                    ASSERT_EQ(p, canvas) << x << "," << y;
                }
            }
        }
        EXPECT_EQ(left, c.left);
        EXPECT_EQ(top, c.top);
        EXPECT_EQ(right - left + 1, c.fittedWidth);
        EXPECT_EQ(bottom - top + 1, c.fittedHeight);
    }
}

TEST(ImageOps, ExpandAddsBordersInTheCanvasColour) {
    const Color seam{10, 20, 30, 255};
    CImage tile = MakePattern(2, 3);
    ASSERT_TRUE(tile.Expand(1, 2, 3, 0, seam));
    ASSERT_EQ(tile.GetWidth(), 6);
    ASSERT_EQ(tile.GetHeight(), 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 1 && x < 3 && y >= 2;
            EXPECT_EQ(tile.GetPixelColor(x, y), inside ? PatternColor(x - 1, y - 2) : seam)
                << x << "," << y;
        }
    }
    // A 20 x 20 cm tile at 10 pixels a cm with 1 cm seams split on both sides.
    CImage centred = Filled(200, 200, Color{1, 1, 1, 255});
    ASSERT_TRUE(centred.Expand(5, 5, 5, 5, seam));
    EXPECT_EQ(centred.GetWidth(), 210);
    EXPECT_EQ(centred.GetPixelColor(4, 100), seam);
    EXPECT_EQ(centred.GetPixelColor(5, 100), (Color{1, 1, 1, 255}));
    EXPECT_EQ(centred.GetPixelColor(205, 205), seam);
}

TEST(ImageOps, JitterIsReproducibleAndMovesColoursLocally) {
    const CImage source = MakePattern(24, 18);
    std::map<std::tuple<int, int, int>, std::pair<int, int>> where;
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 24; ++x) {
            const Color c = PatternColor(x, y);
            ASSERT_TRUE(where.emplace(std::tuple{c.r, c.g, c.b}, std::pair{x, y}).second)
                << "pattern colours must be distinct";
        }
    }
    CImage first = source;
    CImage second = source;
    CImage other = source;
    ASSERT_TRUE(first.Jitter(2, 1234));
    ASSERT_TRUE(second.Jitter(2, 1234));
    ASSERT_TRUE(other.Jitter(2, 99));
    EXPECT_EQ(MaxChannelDifference(first, second), 0);
    EXPECT_GT(MaxChannelDifference(first, other), 0);
    EXPECT_GT(MaxChannelDifference(first, source), 0);
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 24; ++x) {
            const Color c = first.GetPixelColor(x, y);
            const auto found = where.find(std::tuple{c.r, c.g, c.b});
            ASSERT_NE(found, where.end());
            EXPECT_LE(std::abs(found->second.first - x), 2);
            EXPECT_LE(std::abs(found->second.second - y), 2);
        }
    }
    CImage still = source;
    ASSERT_TRUE(still.Jitter(0, 5));
    EXPECT_EQ(MaxChannelDifference(still, source), 0);
    EXPECT_FALSE(still.Jitter(-1, 5));
}

TEST(ImageOps, RepairRemovesSpeckleAndKeepsStraightEdges) {
    // Left half black, right half white, one white speck in the black half.
    CImage picture = Filled(12, 8, Color{0, 0, 0, 255});
    for (int y = 0; y < 8; ++y) {
        for (int x = 6; x < 12; ++x) {
            picture.SetPixelColor(x, y, Color{255, 255, 255, 255});
        }
    }
    CImage expected = picture;
    picture.SetPixelColor(2, 4, Color{255, 255, 255, 255});
    picture.CreateAlpha();
    picture.SetPixelColor(9, 1, Color{255, 255, 255, 77}, true);
    expected.CreateAlpha();
    expected.SetPixelColor(9, 1, Color{255, 255, 255, 77}, true);

    ASSERT_TRUE(picture.Repair(0.5f, 4));
    EXPECT_EQ(MaxChannelDifference(picture, expected), 0);

    CImage flat = Filled(6, 6, Color{40, 80, 120, 255});
    ASSERT_TRUE(flat.Repair(0.5f, 4));
    EXPECT_EQ(MaxChannelDifference(flat, Filled(6, 6, Color{40, 80, 120, 255})), 0);
}

}  // namespace
