#pragma once

#include <string>
#include <vector>

// One entry of the main window's menu bar, free of widgets so that its texts
// and numbers can be checked without a display.
struct MainMenuEntry {
    enum class Kind { Command, Separator, Submenu, RecentFiles };
    Kind kind = Kind::Command;
    // The shown text with its "&" mnemonic and "\t" accelerator.
    std::string text;
    int id = 0;
    std::vector<MainMenuEntry> children;
};

// The five menus of the menu bar, in order: each is a Submenu entry.
const std::vector<MainMenuEntry>& GetMainMenuTable();

// The plan zoom submenu: 2000% down to 20%, the percent below 100 padded
// with a space so the column lines up.
std::vector<MainMenuEntry> MakeZoomMenuEntries();

// One key of the frame's accelerator table.
struct MainAccelerator {
    enum Modifier { kNone = 0, kCtrl = 1, kAlt = 2 };
    int modifiers = kNone;
    // A letter as its upper-case character, else one of the keys below.
    int key = 0;
    int id = 0;
};
inline constexpr int kAccelKeyEnd = 0x10000;
inline constexpr int kAccelKeyF1 = 0x10001;  // F1..F12 follow in order

const std::vector<MainAccelerator>& GetMainAcceleratorTable();
