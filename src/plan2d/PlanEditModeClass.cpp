#include "plan2d/PlanEditModeClass.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array kCreationModes = {10,  11,  20,  21,  30,  31,  100, 160, 161, 170, 171, 600,
                                       601, 610, 611, 620, 621, 630, 631, 640, 641, 650, 651};

constexpr std::array kSelectionModes = {200, 206, 210, 216, 220, 226, 230, 236, 250, 256, 257,
                                        260, 266, 270, 276, 700, 706, 707, 708, 710, 716, 720,
                                        726, 730, 736, 740, 746, 750, 756, 760, 766, 770, 776,
                                        777, 780, 786, 790, 796, 800, 806, 810, 820, 826, 890};

}  // namespace

PlanEditModeClass GetPlanEditModeClass(int editMode) {
    if (std::ranges::find(kCreationModes, editMode) != kCreationModes.end()) {
        return kCreationModeClass;
    }
    if (std::ranges::find(kSelectionModes, editMode) != kSelectionModes.end()) {
        return kSelectionModeClass;
    }
    return kOtherModeClass;
}
