#pragma once

#include <span>

#include "foundation/Vector2D.h"

class CPlanViewState;

// What the view is in the middle of, which a repaint draws over the objects:
// the outline so far and the companion line of a thick wall (stored points),
// the cursor point, the anchor of the selection rubber band, and whether a
// printout shows the selection only.
struct PlanSketch {
    std::span<const CVector2D> outline;
    std::span<const CVector2D> companion;
    CVector2D cursor;
    CVector2D selectionAnchor;
    bool printSelectionOnly = false;
};

// The sketch of the view's state; it refers to the state's outline lists.
PlanSketch MakePlanSketch(CPlanViewState& state);
