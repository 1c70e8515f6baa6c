#include "view3d/HousViewInput.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace view_input {

namespace {

constexpr float kHalfPi = std::numbers::pi_v<float> / 2.0f;

float TurnAngle(const NavigationSteps& steps) {
    return static_cast<float>(steps.speed * std::numbers::pi * steps.turnStep * 0.0055555557);
}

}  // namespace

int MouseKeyState(bool left, bool middle, bool shift, bool control) {
    return (left ? kMkLButton : 0) | (middle ? kMkMButton : 0) | (shift ? kMkShift : 0) |
           (control ? kMkControl : 0);
}

bool IsNavigationKey(int vk) {
    return (vk >= kVkPrior && vk <= kVkDown) || vk == kVkComma || vk == kVkPeriod;
}

bool NavigateByKey(int vk, const NavigationSteps& steps, NavigationPose& pose) {
    const float turn = TurnAngle(steps);
    const float length = steps.speed * steps.stepLength;
    const float along = length * std::cos(pose.heading);
    const float across = length * std::sin(pose.heading);
    switch (vk) {
        case kVkPrior:
            pose.pitch = std::max(pose.pitch - turn, -kHalfPi);
            return true;
        case kVkNext:
            pose.pitch = std::min(pose.pitch + turn, kHalfPi);
            return true;
        case kVkEnd:
            pose.eye.y -= length;
            return true;
        case kVkHome:
            pose.eye.y += length;
            return true;
        case kVkLeft:
            pose.heading -= turn;
            return true;
        case kVkRight:
            pose.heading += turn;
            return true;
        case kVkUp:
            pose.eye.x += across;
            pose.eye.z += along;
            return true;
        case kVkDown:
            pose.eye.x -= across;
            pose.eye.z -= along;
            return true;
        case kVkComma:
            pose.eye.x -= along;
            pose.eye.z += across;
            return true;
        case kVkPeriod:
            pose.eye.x += along;
            pose.eye.z -= across;
            return true;
        default:
            return false;
    }
}

bool PanOffsetsByKey(int vk, POINT& offsets) {
    switch (vk) {
        case kVkLeft:
            offsets.x += 10;
            return true;
        case kVkRight:
            offsets.x -= 10;
            return true;
        case kVkUp:
            offsets.y += 10;
            return true;
        case kVkDown:
            offsets.y -= 10;
            return true;
        default:
            return false;
    }
}

bool NavigateByWheel(int keyState, int delta, const NavigationSteps& steps, NavigationPose& pose) {
    const bool backward = delta < 1;
    const float sign = backward ? -1.0f : 1.0f;
    const float turn = TurnAngle(steps) * sign;
    const float length = steps.speed * steps.stepLength;
    const float along = length * std::cos(pose.heading);
    const float across = length * std::sin(pose.heading);
    switch (keyState & 0x1F) {
        case 0:
            pose.eye.x += sign * across;
            pose.eye.z += sign * along;
            return true;
        case kMkShift:
            pose.heading += turn;
            return true;
        case kMkControl:
            pose.eye.x -= sign * along;
            pose.eye.z += sign * across;
            return true;
        case kMkMButton:
            pose.eye.y += sign;
            return true;
        case kMkControl | kMkMButton:
            pose.pitch += turn;
            return true;
        default:
            return false;
    }
}

int OrthoSizeAfterWheel(int size, int delta, float speed) {
    const float change = speed * 4.0f;
    if (delta < 1) {
        return static_cast<int>(static_cast<float>(size) + change);
    }
    if (change < static_cast<float>(size)) {
        return static_cast<int>(static_cast<float>(size) - change);
    }
    return size;
}

void DragByMiddleButton(int dx, int dy, NavigationPose& pose) {
    pose.eye.x -= static_cast<float>(dx) * std::cos(pose.heading);
    pose.eye.z += static_cast<float>(dx) * std::sin(pose.heading);
    pose.eye.y += static_cast<float>(dy);
}

}  // namespace view_input
