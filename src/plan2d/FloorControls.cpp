#include "plan2d/FloorControls.h"

FloorControlState GetFloorControlState(int currentLevel, int topLevel) {
    return FloorControlState{currentLevel, currentLevel<topLevel, currentLevel> 0};
}
