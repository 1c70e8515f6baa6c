#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "PixelTestUtil.h"
#include "platform/draw/ImageDrawContext.h"
#include "platform/draw/PdfDrawContext.h"
#include "support/TempFolder.h"

// Thin solid lines along the axes wait to be stroked together; whatever is
// drawn or read in between must see exactly the pixels that lines painted
// at once would give. The references read the pixels after every call, which
// paints each line on its own.
namespace draw {
namespace {

constexpr int32_t kWidth = 160;
constexpr int32_t kHeight = 120;

using Step = std::function<void(ImageDrawContext&)>;

std::vector<uint8_t> Snapshot(const ImageDrawContext& dc) {
    const uint8_t* data = dc.Data();
    return {data, data + size_t(dc.Stride()) * size_t(dc.Height())};
}

size_t DifferingBytes(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    size_t count = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        count += a[i] != b[i] ? 1 : 0;
    }
    return count;
}

void PaintGradient(ImageDrawContext& dc) {
    for (int32_t x = 0; x < dc.Width(); ++x) {
        dc.FillRect({x, 0, x + 1, dc.Height()},
                    Brush::Solid(Rgb(uint8_t(x * 5), uint8_t(200 - x), uint8_t(x * 11))));
    }
}

// The steps once as they are and once reading the pixels after each one:
// the same bytes either way.
void ExpectSameBytesWithAndWithoutReading(const std::vector<Step>& steps, const char* what) {
    ImageDrawContext queued(kWidth, kHeight);
    ImageDrawContext read(kWidth, kHeight);
    PaintGradient(queued);
    PaintGradient(read);
    for (const Step& step : steps) {
        step(queued);
        step(read);
        Snapshot(read);
    }
    EXPECT_EQ(DifferingBytes(Snapshot(queued), Snapshot(read)), 0u) << what;
}

// Lines crowded into a small image: shared ends, repeats, reversed copies,
// points, lines along the axes and at every slope, and lines running off.
std::vector<Step> CrowdedLines() {
    std::mt19937 random(11);
    std::uniform_int_distribution<int32_t> x(-20, kWidth + 20);
    std::uniform_int_distribution<int32_t> y(-20, kHeight + 20);
    std::uniform_int_distribution<int32_t> step(-6, 6);
    std::vector<Point> ends;
    for (int i = 0; i < 150; ++i) {
        const Point a{x(random), y(random)};
        ends.push_back(a);
        switch (i % 5) {
            case 0:
                ends.push_back({a.x + step(random) * 9, a.y});
                break;
            case 1:
                ends.push_back({a.x, a.y + step(random) * 9});
                break;
            case 2:
                ends.push_back({a.x + step(random), a.y + step(random)});
                break;
            default:
                ends.push_back({x(random), y(random)});
                break;
        }
    }
    for (size_t i = 0; i < 40; i += 2) {
        ends.insert(ends.end(), {ends[i], ends[i + 1], ends[i + 1], ends[i]});
    }
    std::vector<Step> lines;
    for (size_t i = 0; i < ends.size(); i += 2) {
        lines.push_back([a = ends[i], b = ends[i + 1]](ImageDrawContext& dc) {
            dc.MoveTo(a.x, a.y);
            dc.LineTo(b.x, b.y);
        });
    }
    return lines;
}

TEST(QueuedLinesTest, LinesPaintTheBytesOfLinesPaintedOneByOne) {
    struct Case {
        const char* what;
        int32_t rop2;
        Pen pen;
        bool clipped;
    };
    const Case cases[] = {
        {"thin copy", R2_COPYPEN, Pen::Create(PS_SOLID, 0, Rgb(20, 90, 200)), false},
        {"thin copy clipped", R2_COPYPEN, Pen::Create(PS_SOLID, 0, Rgb(20, 90, 200)), true},
        {"thin xor", R2_XORPEN, Pen::Create(PS_SOLID, 0, Rgb(255, 0, 255)), false},
        {"thin not clipped", R2_NOT, Pen::Create(PS_SOLID, 0, 0), true},
        {"dotted copy", R2_COPYPEN, Pen::Create(PS_DOT, 0, Rgb(0, 0, 0)), false},
        {"wide copy", R2_COPYPEN, Pen::Create(PS_SOLID, 3, Rgb(0, 120, 0)), false},
    };
    for (const Case& c : cases) {
        std::vector<Step> steps{[&c](ImageDrawContext& dc) {
            dc.SelectPen(c.pen);
            dc.SetROP2(c.rop2);
            dc.SetBkMode(OPAQUE);
            dc.SetBkColor(Rgb(250, 240, 0));
            if (c.clipped) {
                dc.IntersectClipRect(17, 9, 131, 101);
            }
        }};
        const std::vector<Step> lines = CrowdedLines();
        steps.insert(steps.end(), lines.begin(), lines.end());
        ExpectSameBytesWithAndWithoutReading(steps, c.what);
    }
}

// Lines in several colours and clips (one colour across clip changes too),
// with every other kind of drawing between them, each over the lines before.
TEST(QueuedLinesTest, EveryOtherDrawingComesAfterTheLinesBeforeIt) {
    int32_t shift = 0;
    const auto grid = [&shift](COLORREF colour) {
        shift += 3;
        return [colour, first = shift % 13](ImageDrawContext& dc) {
            dc.SelectPen(Pen::Create(PS_SOLID, 0, colour));
            for (int32_t v = first; v < 160; v += 13) {
                dc.MoveTo(v, 0);
                dc.LineTo(v, 120);
                dc.MoveTo(0, v);
                dc.LineTo(160, v);
            }
        };
    };
    const std::vector<Step> steps{
        grid(Rgb(255, 0, 0)),
        grid(Rgb(0, 0, 255)),
        [](ImageDrawContext& dc) { dc.IntersectClipRect(10, 10, 150, 110); },
        grid(Rgb(0, 255, 0)),
        [](ImageDrawContext& dc) {
            dc.SaveDC();
            dc.IntersectClipRect(30, 20, 90, 70);
        },
        grid(Rgb(0, 255, 0)),
        [](ImageDrawContext& dc) { dc.RestoreDC(-1); },
        grid(Rgb(0, 255, 0)),
        [](ImageDrawContext& dc) {
            dc.FillRect({20, 20, 60, 50}, Brush::Solid(Rgb(1, 2, 3)));
        },
        grid(Rgb(0, 80, 80)),
        [](ImageDrawContext& dc) { dc.SetPixel(31, 31, Rgb(200, 100, 0)); },
        [](ImageDrawContext& dc) {
            dc.InvertRect({40, 40, 100, 60});
        },
        grid(Rgb(60, 60, 0)),
        [](ImageDrawContext& dc) {
            dc.SetROP2(R2_XORPEN);
            dc.MoveTo(0, 18);
            dc.LineTo(160, 18);
            dc.SetROP2(R2_COPYPEN);
        },
        grid(Rgb(0, 0, 90)),
        [](ImageDrawContext& dc) { dc.Rectangle(50, 30, 120, 90); },
        [](ImageDrawContext& dc) { dc.TextOut(20, 60, "Plan"); },
        [](ImageDrawContext& dc) { dc.RemoveClip(); },
        grid(Rgb(90, 0, 0)),
    };
    ExpectSameBytesWithAndWithoutReading(steps, "interleaved");
}

TEST(QueuedLinesTest, RestoringTheStateKeepsOrBringsBackItsClip) {
    ImageDrawContext dc(20, 20);
    test::FillWith(dc, Rgb(255, 255, 255));
    dc.IntersectClipRect(2, 2, 10, 10);
    const int32_t level = dc.SaveDC();
    dc.SelectPen(Pen::Create(PS_SOLID, 0, Rgb(0, 0, 0)));
    dc.RestoreDC(level);
    const Rect whole{0, 0, 20, 20};
    const auto red = [](COLORREF c) { return c == Rgb(255, 0, 0); };
    dc.FillRect(whole, Brush::Solid(Rgb(255, 0, 0)));
    EXPECT_EQ(test::CountPixels(dc, whole, red), 64);

    dc.SaveDC();
    dc.IntersectClipRect(4, 4, 6, 6);
    dc.FillRect(whole, Brush::Solid(Rgb(0, 0, 255)));
    dc.RestoreDC(-1);
    dc.FillRect(whole, Brush::Solid(Rgb(255, 0, 0)));
    EXPECT_EQ(test::CountPixels(dc, whole, red), 64);
}

// The darkest grey level in rows top..bottom of a page rendered by poppler.
int DarkestInRows(const std::filesystem::path& pgm, int top, int bottom) {
    FILE* file = std::fopen(pgm.c_str(), "rb");
    if (file == nullptr) {
        return -1;
    }
    int width = 0;
    int height = 0;
    int maxValue = 0;
    int darkest = 256;
    if (std::fscanf(file, "P5 %d %d %d", &width, &height, &maxValue) == 3) {
        std::fgetc(file);
        std::vector<unsigned char> pixels(size_t(width) * size_t(height));
        if (std::fread(pixels.data(), 1, pixels.size(), file) == pixels.size()) {
            for (int y = std::max(top, 0); y < std::min(bottom, height); ++y) {
                for (int x = 0; x < width; ++x) {
                    darkest = std::min(darkest, int(pixels[size_t(y) * size_t(width) + x]));
                }
            }
        }
    }
    std::fclose(file);
    return darkest;
}

TEST(QueuedLinesTest, EachPdfPageKeepsTheLinesDrawnOnIt) {
    TempFolder folder;
    const std::filesystem::path file = folder.Path() / "lines.pdf";
    PdfDrawContext dc(file.string(), 200, 200, 72);
    ASSERT_TRUE(dc.Ok());
    dc.MoveTo(20, 40);
    dc.LineTo(180, 40);
    dc.EndPage();
    dc.MoveTo(20, 150);
    dc.LineTo(180, 150);
    ASSERT_TRUE(dc.Close());

    const std::string command = "/usr/bin/pdftoppm -r 72 -gray '" + file.string() + "' '" +
                                (folder.Path() / "page").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::filesystem::path first = folder.Path() / "page-1.pgm";
    const std::filesystem::path second = folder.Path() / "page-2.pgm";
    EXPECT_LT(DarkestInRows(first, 38, 43), 128);
    EXPECT_EQ(DarkestInRows(first, 140, 160), 255);
    EXPECT_LT(DarkestInRows(second, 148, 153), 128);
    EXPECT_EQ(DarkestInRows(second, 30, 50), 255);
}

}  // namespace
}  // namespace draw
