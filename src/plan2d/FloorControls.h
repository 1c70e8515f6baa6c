#pragma once

#include <optional>
#include <vector>

// What the plan frame's floor controls show for the current storey of the
// storeys 0..top: the combo selects the current one; the button up a storey
// is greyed at the top one and the button down a storey at the first.
struct FloorControlState {
    int selection = 0;
    bool upEnabled = false;
    bool downEnabled = false;
};

FloorControlState GetFloorControlState(int currentLevel, int topLevel);

// The eye height that takes the camera from the current storey to the
// target one, given the ascending storey bases 0..N: the middle of a storey
// below the top one; on the top storey, the eye keeps its height above the
// storey's base (at least 100 above the top base). Nothing for the current
// storey or one outside 0..N.
std::optional<float> GetSwitchFloorEyeHeight(const std::vector<float>& storeyBases,
                                             int currentLevel, int targetLevel, float eyeHeight);
