#pragma once

// What the plan frame's floor controls show for the current storey of the
// storeys 0..top: the combo selects the current one; the button up a storey
// is greyed at the top one and the button down a storey at the first.
struct FloorControlState {
    int selection = 0;
    bool upEnabled = false;
    bool downEnabled = false;
};

FloorControlState GetFloorControlState(int currentLevel, int topLevel);
