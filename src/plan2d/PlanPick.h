#pragma once

#include "foundation/WinTypes.h"

class CDesignObject;
class CHousDoc;

// The object a click in the plan picks, with the kind code of the list it
// was found in; kind 99 when nothing was hit.
struct PlanPick {
    static constexpr int kNothing = 99;
    CDesignObject* object = nullptr;
    int kind = kNothing;
};

// The first hit at the logical point in the plan's pick order: groups,
// dimensions, walls, ceilings, floors, lines, rectangles, circles and arcs,
// curves, text notes, DXF icons, pictures, model icons, models, photo icons,
// light icons, 3D texts.
// With selectedOnly the order is the same, among the selected objects.
PlanPick PickObjectAt(CHousDoc& doc, POINT logical, bool selectedOnly = false);

// Selects what a click at the logical point picks, with its owners. With
// ctrl the hit toggles; without, an unselected hit becomes the only
// selection. False when nothing was hit.
bool SelectByClick(CHousDoc& doc, bool ctrl, POINT logical);
