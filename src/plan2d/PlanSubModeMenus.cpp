#include "plan2d/PlanSubModeMenus.h"

#include "document/HousSettings.h"

namespace {

constexpr std::array<const char*, 2> kLineItems = {"單線", "連續直線"};
constexpr std::array<const char*, 2> kArcItems = {"起點,終點,經過點", "起點,終點,圓中心點"};
constexpr std::array<const char*, 4> kCircleItems = {"中心點與半徑", "二點為直徑", "三點成圓",
                                                     "矩形內切"};
constexpr std::array<const char*, 2> kCurveItems = {"起點,終點,控制一,控制二", "依點順序繪製"};
constexpr std::array<const char*, 3> kGrowItems = {"長成牆", "長成天花板", "長成地板"};

const std::array<PlanSubModeMenu, 5> kMenus = {{
    {2000, 33056, 32969, kLineItems, &HousSettings::lineStyle},
    {2002, 33058, 32971, kArcItems, &HousSettings::arcStyle},
    {2007, 33060, 32976, kCircleItems, &HousSettings::circleStyle},
    {2008, 33064, 32986, kCurveItems, &HousSettings::curveStyle},
    {32854, 33069, 32854, kGrowItems, &HousSettings::growStruct},
}};

}  // namespace

std::span<const PlanSubModeMenu> GetPlanSubModeMenus() {
    return kMenus;
}

const PlanSubModeMenu* FindSubModeMenuOfButton(int buttonId) {
    for (const PlanSubModeMenu& menu : kMenus) {
        if (menu.buttonId == buttonId) {
            return &menu;
        }
    }
    return nullptr;
}

const PlanSubModeMenu* FindSubModeMenuOfItem(int itemId) {
    for (const PlanSubModeMenu& menu : kMenus) {
        if (itemId >= menu.firstItem &&
            itemId < menu.firstItem + static_cast<int>(menu.items.size())) {
            return &menu;
        }
    }
    return nullptr;
}
