#include "plan2d/PlanBarIcons.h"

#include <array>

namespace {

struct IconOfBitmap {
    int bitmapId;
    const char* name;
    ToolIconMark mark;
};

constexpr ToolIconMark kPlain = ToolIconMark::None;
constexpr ToolIconMark kAdd = ToolIconMark::Add;
constexpr ToolIconMark kOff = ToolIconMark::Off;

constexpr std::array<IconOfBitmap, 56> kIcons = {{
    // Settings bar and the window tool bar.
    {320, "plan-settings", kPlain},
    {32777, "plan-select", kPlain},
    {32778, "layer-walls", kAdd},
    {32807, "layer-floors", kAdd},
    {32808, "layer-ceilings", kAdd},
    {32863, "layer-dimensions", kAdd},
    {32951, "layer-text-notes", kAdd},
    {32854, "grow-structure", kPlain},
    // Drawing tool bar.
    {2000, "draw-line", kPlain},
    {2001, "draw-arrow", kPlain},
    {2002, "draw-arc", kPlain},
    {2003, "draw-rectangle", kPlain},
    {2007, "draw-circle", kPlain},
    {2008, "draw-curve", kPlain},
    {2004, "line-style", kPlain},
    {2005, "arrow-style", kPlain},
    {2006, "arrow-direction", kPlain},
    {32941, "layer-dxf", kAdd},
    {2010, "layer-pictures", kAdd},
    // Wall bar: the fixed angle on and off.
    {429, "fixed-angle", kPlain},
    {245, "fixed-angle", kOff},
    // Control bar.
    {234, "zoom-out", kPlain},
    {235, "zoom-reset", kPlain},
    {232, "zoom-in", kPlain},
    {237, "floor-up", kPlain},
    {238, "floor-down", kPlain},
    // Display toggles, shown and hidden.
    {312, "layer-walls", kPlain},
    {313, "layer-walls", kOff},
    {314, "layer-floors", kPlain},
    {315, "layer-floors", kOff},
    {316, "layer-ceilings", kPlain},
    {317, "layer-ceilings", kOff},
    {447, "layer-dimensions", kPlain},
    {448, "layer-dimensions", kOff},
    {445, "layer-text-notes", kPlain},
    {446, "layer-text-notes", kOff},
    {279, "layer-lines", kPlain},
    {280, "layer-lines", kOff},
    {563, "layer-dxf", kPlain},
    {560, "layer-dxf", kOff},
    {281, "layer-pictures", kPlain},
    {282, "layer-pictures", kOff},
    {318, "layer-furniture", kPlain},
    {319, "layer-furniture", kOff},
    {478, "layer-lights", kPlain},
    {479, "layer-lights", kOff},
    {474, "layer-photos", kPlain},
    {475, "layer-photos", kOff},
    {272, "layer-text3d", kPlain},
    {271, "layer-text3d", kOff},
    {241, "layer-ruler", kPlain},
    {255, "layer-ruler", kOff},
    {427, "layer-grid", kPlain},
    {428, "layer-grid", kOff},
    {239, "layer-paper-frame", kPlain},
    {527, "layer-paper-frame", kOff},
}};

}  // namespace

std::optional<PlanBarIcon> FindPlanBarIcon(int bitmapId) {
    for (const IconOfBitmap& icon : kIcons) {
        if (icon.bitmapId == bitmapId) {
            return PlanBarIcon{icon.name, icon.mark};
        }
    }
    return std::nullopt;
}

std::vector<int> GetPlanBarBitmapIds() {
    std::vector<int> ids;
    for (const IconOfBitmap& icon : kIcons) {
        ids.push_back(icon.bitmapId);
    }
    return ids;
}

wxBitmapBundle MakePlanBarBitmap(int bitmapId) {
    const std::optional<PlanBarIcon> icon = FindPlanBarIcon(bitmapId);
    return LoadToolIcon(icon ? icon->name : std::string(), icon ? icon->mark : kPlain);
}
