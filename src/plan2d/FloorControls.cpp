#include "plan2d/FloorControls.h"

FloorControlState GetFloorControlState(int currentLevel, int topLevel) {
    FloorControlState state;
    state.selection = currentLevel;
    state.upEnabled = currentLevel < topLevel;
    state.downEnabled = currentLevel > 0;
    return state;
}
