#pragma once

#include <cstdint>

// The 3D view's three background colours, numbered as the View menu and the
// document number them. The BG_COLOR setting numbers them differently.
inline constexpr int32_t kGreyBlueBackground = 0;
inline constexpr int32_t kWhiteBackground = 1;
inline constexpr int32_t kBlackBackground = 2;

struct BackgroundColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// The colour of a choice; grey-blue for a number that is none.
BackgroundColor GetBackgroundColor(int32_t choice);

// The choice that BG_COLOR names: 0 white, 1 black, any other grey-blue.
int32_t BackgroundChoiceOfSetting(int32_t bgColor);
