#pragma once

#include <cstdint>
#include <span>

class CHousDoc;

// The buttons of the plan frame's display bar: each shows whether its layer
// of the plan (or the rulers, the grid, the paper frame) is shown, with one
// picture for shown and one for hidden, and asks the main frame to flip it.
struct PlanDisplayToggle {
    enum class State { Layer, Ruler, Grid, FramePaper };

    int buttonId = 0;
    const char* tip = "";
    State state = State::Layer;
    uint32_t layer = 0;  // the display-mask bit of a Layer toggle
    int shownBitmap = 0;
    int hiddenBitmap = 0;
    int command = 0;  // the main frame's command; 0 when the frame flips it itself
};

std::span<const PlanDisplayToggle> GetPlanDisplayToggles();
// Null for a button that is no display toggle.
const PlanDisplayToggle* FindPlanDisplayToggle(int buttonId);
bool IsDisplayToggleShown(const CHousDoc& doc, const PlanDisplayToggle& toggle);
