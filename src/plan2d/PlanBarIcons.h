#pragma once

#include <wx/bmpbndl.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/desktop/ToolIcon.h"

// The pictures of the plan frame's bar buttons, by the bitmap numbers the
// buttons name: the program's own icons, a plus on a tool that adds what
// its picture shows, struck through for a display toggle that is off.
struct PlanBarIcon {
    std::string name;
    ToolIconMark mark = ToolIconMark::None;
};

// The icon of a bitmap number; nothing for a number no button names.
std::optional<PlanBarIcon> FindPlanBarIcon(int bitmapId);

// Every bitmap number the plan frame's buttons name.
std::vector<int> GetPlanBarBitmapIds();

// The picture of the bitmap number; the missing-image picture for a number
// without an icon.
wxBitmapBundle MakePlanBarBitmap(int bitmapId);
