#include "plan2d/PlanSketch.h"

#include "plan2d/PlanViewState.h"

PlanSketch MakePlanSketch(CPlanViewState& state) {
    PlanSketch sketch;
    if (state.Outline()) {
        sketch.outline = *state.Outline();
    }
    if (state.CompanionOutline()) {
        sketch.companion = *state.CompanionOutline();
    }
    sketch.cursor = state.GetCursorPoint();
    sketch.selectionAnchor = state.RubberBandAnchor();
    sketch.printSelectionOnly = state.GetPrintSelectionOnly() != 0;
    return sketch;
}
