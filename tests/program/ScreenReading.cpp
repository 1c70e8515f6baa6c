#include "ScreenReading.h"

#include <algorithm>
#include <map>
#include <thread>

namespace {

// The design manager's frame colours: grey around a slot, green around the
// picked design.
constexpr uint32_t kFrame = 0xB4B4B4;
constexpr uint32_t kPickedFrame = 0x46FF46;
// A frame's side is as long as the 128-pixel thumbnail it surrounds.
constexpr int kShortestSide = 100;

}  // namespace

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

ThumbnailFrames FindThumbnailFrames(const ScreenImage& image) {
    // Horizontal frame sides, by where they start: a frame has a top and a
    // bottom side, each a band of a few rows.
    std::map<int, std::vector<int>> sideRows;
    ThumbnailFrames found;
    int pickedLeft = image.width, pickedTop = image.height, pickedRight = -1, pickedBottom = -1;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width;) {
            const uint32_t colour = image.At(x, y);
            int end = x;
            while (end < image.width && image.At(end, y) == colour) {
                ++end;
            }
            if ((colour == kFrame || colour == kPickedFrame) && end - x >= kShortestSide) {
                sideRows[x / 4].push_back(y);
                if (colour == kPickedFrame) {
                    pickedLeft = std::min(pickedLeft, x);
                    pickedRight = std::max(pickedRight, end);
                    pickedTop = std::min(pickedTop, y);
                    pickedBottom = std::max(pickedBottom, y);
                }
            }
            x = end;
        }
    }
    for (const auto& [column, rows] : sideRows) {
        int bands = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (i == 0 || rows[i] - rows[i - 1] > 3) {
                ++bands;
            }
        }
        found.count += bands / 2;
    }
    if (pickedRight >= 0) {
        found.picked =
            ScreenRect{pickedLeft, pickedTop, pickedRight - pickedLeft, pickedBottom - pickedTop};
    }
    return found;
}

std::optional<ScreenRect> FindSymbolTop(const ScreenImage& image) {
    constexpr int kShortest = 60;
    constexpr int kLongest = 200;
    // Symbols are drawn dark, and red while selected.
    const auto dark = [](uint32_t colour) {
        return ((colour >> 8) & 0xFF) < 90 && (colour & 0xFF) < 90;
    };
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width;) {
            if (!dark(image.At(x, y))) {
                ++x;
                continue;
            }
            int end = x;
            while (end < image.width && dark(image.At(end, y))) {
                ++end;
            }
            if (end - x >= kShortest && end - x <= kLongest) {
                return ScreenRect{x, y, end - x, 1};
            }
            x = end;
        }
    }
    return std::nullopt;
}

ScreenImage CaptureSettled(XSession& x, const ScreenRect& rect) {
    ScreenImage last = x.Capture(rect);
    for (int i = 0; i < 50; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        ScreenImage now = x.Capture(rect);
        if (now == last) {
            break;
        }
        last = std::move(now);
    }
    return last;
}

std::optional<ShownWindow> Largest(const std::vector<ShownWindow>& windows) {
    std::optional<ShownWindow> largest;
    for (const ShownWindow& window : windows) {
        if (!largest ||
            window.rect.width * window.rect.height > largest->rect.width * largest->rect.height) {
            largest = window;
        }
    }
    return largest;
}
