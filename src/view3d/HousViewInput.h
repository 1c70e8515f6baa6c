#pragma once

#include "foundation/WinTypes.h"
#include "platform/gfx/MathTypes.h"

// The 3D view's input rules without a window: which keys walk, how a key,
// a wheel notch or a middle-button drag moves the camera, and the mouse key
// state the rules test.
namespace view_input {

// Mouse key state bits.
inline constexpr int kMkLButton = 0x1;
inline constexpr int kMkShift = 0x4;
inline constexpr int kMkControl = 0x8;
inline constexpr int kMkMButton = 0x10;

// Virtual-key codes of the keys the view handles.
inline constexpr int kVkReturn = 13;
inline constexpr int kVkControl = 17;
inline constexpr int kVkEscape = 27;
inline constexpr int kVkPrior = 33;
inline constexpr int kVkNext = 34;
inline constexpr int kVkEnd = 35;
inline constexpr int kVkHome = 36;
inline constexpr int kVkLeft = 37;
inline constexpr int kVkUp = 38;
inline constexpr int kVkRight = 39;
inline constexpr int kVkDown = 40;
inline constexpr int kVkDelete = 46;
inline constexpr int kVkComma = 188;
inline constexpr int kVkPeriod = 190;

// Where the camera stands: eye, heading and pitch (radians).
struct NavigationPose {
    gfx::Vector3 eye;
    float heading = 0.0f;
    float pitch = 0.0f;
};

// How far one input moves: the speed factor (the document's walk step, or
// 1 with Shift held), the camera's step length and its turn step (degrees).
struct NavigationSteps {
    float speed = 1.0f;
    float stepLength = 1.0f;
    float turnStep = 0.5f;
};

// The virtual-key code of a toolkit key code; 0 for keys the view ignores.
[[nodiscard]] int VirtualKeyOfToolkitKey(int toolkitKeyCode);
// The keys the view answers itself (Enter, Escape, Delete, the display
// toggles A and G, and the walking keys): they stay in the view instead of
// moving the keyboard focus on. Every other key goes on to the windows
// around it.
[[nodiscard]] bool IsViewKey(int virtualKey);
// The mouse key state from the toolkit's button and modifier states.
[[nodiscard]] int MouseKeyState(bool left, bool middle, bool shift, bool control);

// Page up and down, End, Home, the arrows, ',' and '.'.
[[nodiscard]] bool IsNavigationKey(int vk);
// A walk or turn by one key in perspective; false for other keys.
bool NavigateByKey(int vk, const NavigationSteps& steps, NavigationPose& pose);
// The orthographic pan offsets an arrow key changes; false for other keys.
bool PanOffsetsByKey(int vk, POINT& offsets);
// One wheel notch in perspective; delta < 1 is backward. False when the
// key state moves nothing.
bool NavigateByWheel(int keyState, int delta, const NavigationSteps& steps, NavigationPose& pose);
// The orthographic size after one wheel notch: backward grows it by four
// speeds, forward shrinks it so while it stays positive.
[[nodiscard]] int OrthoSizeAfterWheel(int size, int delta, float speed);
// A middle-button drag by (dx, dy) pixels in perspective: sideways across
// the heading and one centimetre up a pixel.
void DragByMiddleButton(int dx, int dy, NavigationPose& pose);

}  // namespace view_input
