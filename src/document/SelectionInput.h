#pragma once

#include "foundation/WinTypes.h"

// The mouse-flag bit of the left button, as the views pass their flags.
inline constexpr int kMouseLeftButton = 0x0001;

// The modifier keys held while a key was pressed; the view reads them from
// the toolkit's event, so the scene needs no window library.
struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// A left-button drag of the selection in the 3D view: the view keeps it and
// clears it when the button is released.
struct SelectionDrag {
    bool started = false;
    bool moved = false;
    POINT anchor;
};
