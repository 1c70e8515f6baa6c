#pragma once

#include <array>
#include <cstdint>
#include <span>

struct HousSettings;

// The drop-down menus of the drawing tools: each lists the ways its tool
// draws, and the chosen one is kept as a sub-mode in the settings.
struct PlanSubModeMenu {
    int buttonId = 0;   // the tool's button
    int firstItem = 0;  // the menu's items are firstItem, firstItem + 1, ...
    int command = 0;    // the command that starts the tool
    std::span<const char* const> items;
    int32_t HousSettings::*subMode = nullptr;
};

std::span<const PlanSubModeMenu> GetPlanSubModeMenus();
// The menu of the tool's button, or of the menu item; null when none has it.
const PlanSubModeMenu* FindSubModeMenuOfButton(int buttonId);
const PlanSubModeMenu* FindSubModeMenuOfItem(int itemId);
