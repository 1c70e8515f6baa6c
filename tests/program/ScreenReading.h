#pragma once

// What a test reads off the screen of the program.

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

#include "XSession.h"

// Polls until done or the limit passes; done's last answer.
bool WaitFor(const std::function<bool()>& done,
             std::chrono::milliseconds limit = std::chrono::seconds(30));

// The frames the start-up design manager draws around its filled thumbnail
// slots, the picked one among them.
struct ThumbnailFrames {
    int count = 0;
    std::optional<ScreenRect> picked;  // in the image
};
ThumbnailFrames FindThumbnailFrames(const ScreenImage& image);

// The topmost dark or red horizontal line of 60 to 200 pixels: the top side of the
// first model symbol the plan draws at its usual zoom (walls run longer, and
// small symbols are shorter).
std::optional<ScreenRect> FindSymbolTop(const ScreenImage& image);

// The place once it has stopped changing: two captures a moment apart alike.
ScreenImage CaptureSettled(XSession& x, const ScreenRect& rect);

// The largest of the windows.
std::optional<ShownWindow> Largest(const std::vector<ShownWindow>& windows);
