#pragma once

// Frames compared with stored pictures in tests/data/view3d: the back
// buffer shrunk four times, so that a picture stays small and a pixel's
// worth of difference at an edge weighs little. With VELMORA_UPDATE_GOLDEN
// set the stored picture is written from the frame first.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "platform/image/Image.h"

constexpr int kGoldenShrink = 4;
constexpr int kGoldenWidth = 1024 / kGoldenShrink;
constexpr int kGoldenHeight = 768 / kGoldenShrink;

// The 1024 x 768 back buffer (B, G, R, A, top row first) averaged over
// blocks of kGoldenShrink x kGoldenShrink.
inline image::CImage ShrinkBackBuffer(const std::vector<uint8_t>& pixels) {
    image::CImage shrunk;
    EXPECT_TRUE(shrunk.Create(kGoldenWidth, kGoldenHeight));
    for (int y = 0; y < kGoldenHeight; ++y) {
        for (int x = 0; x < kGoldenWidth; ++x) {
            int sum[3] = {};
            for (int dy = 0; dy < kGoldenShrink; ++dy) {
                for (int dx = 0; dx < kGoldenShrink; ++dx) {
                    const size_t at =
                        (size_t(y * kGoldenShrink + dy) * 1024 + size_t(x * kGoldenShrink + dx)) *
                        4;
                    for (int c = 0; c < 3; ++c) {
                        sum[c] += pixels[at + size_t(c)];
                    }
                }
            }
            const int n = kGoldenShrink * kGoldenShrink;
            shrunk.SetPixelColor(
                x, y,
                image::Color{uint8_t(sum[2] / n), uint8_t(sum[1] / n), uint8_t(sum[0] / n), 255});
        }
    }
    return shrunk;
}

// Pixels that differ by more than 40 in some channel.
inline int CountDifferingPixels(const image::CImage& got, const image::CImage& want) {
    int differing = 0;
    for (int y = 0; y < kGoldenHeight; ++y) {
        for (int x = 0; x < kGoldenWidth; ++x) {
            const image::Color a = got.GetPixelColor(x, y);
            const image::Color b = want.GetPixelColor(x, y);
            const int d = std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
            if (d > 40) {
                ++differing;
            }
        }
    }
    return differing;
}

// The frame matches the stored picture of the name but for one pixel in a
// hundred: rasterisers may place edges and glyph curves a little
// differently. A differing frame is left in the temporary folder.
inline void ExpectMatchesGolden(const image::CImage& frame, const std::string& name) {
    const std::filesystem::path golden =
        std::filesystem::path(VELMORA_TEST_DATA_DIR) / "view3d" / (name + ".png");
    if (std::getenv("VELMORA_UPDATE_GOLDEN") != nullptr) {
        std::filesystem::create_directories(golden.parent_path());
        ASSERT_TRUE(frame.Save(golden.string(), image::ImageFormat::Png));
    }
    image::CImage expected;
    ASSERT_TRUE(expected.Load(golden.string())) << golden;
    ASSERT_EQ(expected.GetWidth(), kGoldenWidth);
    ASSERT_EQ(expected.GetHeight(), kGoldenHeight);
    const int differing = CountDifferingPixels(frame, expected);
    EXPECT_LE(differing, kGoldenWidth * kGoldenHeight / 100);
    if (differing > 0) {
        const auto actual = std::filesystem::temp_directory_path() / (name + "-actual.png");
        frame.Save(actual.string(), image::ImageFormat::Png);
        std::cerr << differing << " pixels differ; the frame is in " << actual << "\n";
    }
}
