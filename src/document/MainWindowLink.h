#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

// What the option pages hold for the settings file beyond the document's
// values: the General page's save-all switch and the start-up switches of
// the 3D view page.
struct OptionPageValues {
    int32_t saveAllSettings = 0;  // CHK_SAVE
    int32_t wallLock = 1;
    int32_t showLight = 1;
    int32_t showMirror = 1;
    int32_t showShadow = 1;
    int32_t showTexture = 1;
};

// A timer period of whole minutes in the milliseconds the toolkit's timers
// take: worked out in 64 bits, so that a large setting cannot wrap into a
// short or negative period, and kept between 1 ms and the largest period.
inline int TimerMilliseconds(int32_t minutes) {
    const int64_t milliseconds = static_cast<int64_t>(minutes) * 60000;
    return static_cast<int>(std::clamp<int64_t>(milliseconds, 1, std::numeric_limits<int>::max()));
}

// The main window as the document reaches it: its timers, its dialog bar and
// its option pages. The shell implements it.
class IMainWindow {
public:
    virtual ~IMainWindow() = default;

    virtual void StartTimer(int timerId, int milliseconds) = 0;
    virtual void StopTimer(int timerId) = 0;

    // Hides the hardware-acceleration button (32916) of the dialog bar and
    // gives it the bitmap resource.
    virtual void SetHardwareAccelButton(int bitmapId) = 0;

    // Nothing while the option pages are not built.
    virtual std::optional<OptionPageValues> GetOptionPageValues() const = 0;
};
