#include "plan2d/FloorControls.h"

FloorControlState GetFloorControlState(int currentLevel, int topLevel) {
    FloorControlState state;
    state.selection = currentLevel;
    state.upEnabled = currentLevel < topLevel;
    state.downEnabled = currentLevel > 0;
    return state;
}

std::optional<float> GetSwitchFloorEyeHeight(const std::vector<float>& storeyBases,
                                             int currentLevel, int targetLevel, float eyeHeight) {
    const int top = static_cast<int>(storeyBases.size()) - 1;
    if (targetLevel == currentLevel || targetLevel > top || targetLevel < 0 || currentLevel < 0 ||
        currentLevel > top) {
        return std::nullopt;
    }
    const auto base = [&](int level) { return storeyBases[static_cast<std::size_t>(level)]; };
    if (targetLevel < top) {
        return (base(targetLevel) + base(targetLevel + 1)) * 0.5f;
    }
    const float height = base(top) - base(currentLevel) + eyeHeight;
    return height > base(top) ? height : base(top) + 100.0f;
}
