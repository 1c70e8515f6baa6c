#include "shell/MainMenuBar.h"

#include <wx/accel.h>
#include <wx/event.h>
#include <wx/menu.h>

#include "shell/CommandUpdateRules.h"
#include "shell/HighCommandIds.h"
#include "shell/MainMenuTable.h"

namespace {

// A plain letter after the tab would become a window-wide key in GTK and
// take that letter from the views, which use it themselves; such an entry
// is shown without it.
wxString MenuLabel(const std::string& text) {
    const std::size_t tab = text.find('\t');
    if (tab != std::string::npos && text.size() - tab == 2) {
        return wxString::FromUTF8(text.substr(0, tab));
    }
    return wxString::FromUTF8(text);
}

void FillMenu(wxMenu& menu, const std::vector<MainMenuEntry>& entries, wxMenu*& recentFileMenu) {
    for (const MainMenuEntry& entry : entries) {
        switch (entry.kind) {
            case MainMenuEntry::Kind::Command:
                menu.Append(entry.id, MenuLabel(entry.text), wxString(),
                            HasCheckMark(entry.id) ? wxITEM_CHECK : wxITEM_NORMAL);
                break;
            case MainMenuEntry::Kind::Separator:
                menu.AppendSeparator();
                break;
            case MainMenuEntry::Kind::Submenu: {
                auto* submenu = new wxMenu;
                FillMenu(*submenu, entry.children, recentFileMenu);
                menu.AppendSubMenu(submenu, MenuLabel(entry.text));
                break;
            }
            case MainMenuEntry::Kind::RecentFiles:
                recentFileMenu = new wxMenu;
                menu.AppendSubMenu(recentFileMenu, MenuLabel(entry.text));
                break;
        }
    }
}

int WxKeyCode(int key) {
    if (key == kAccelKeyEnd) {
        return WXK_END;
    }
    if (key >= kAccelKeyF1) {
        return WXK_F1 + (key - kAccelKeyF1);
    }
    return key;
}

}  // namespace

wxMenuBar* BuildMainMenuBar(wxMenu*& recentFileMenu) {
    CAllowHighCommandIds highIds;
    recentFileMenu = nullptr;
    auto* menuBar = new wxMenuBar;
    for (const MainMenuEntry& top : GetMainMenuTable()) {
        auto* menu = new wxMenu;
        FillMenu(*menu, top.children, recentFileMenu);
        menuBar->Append(menu, MenuLabel(top.text));
    }
    return menuBar;
}

wxAcceleratorTable BuildMainAcceleratorTable() {
    std::vector<wxAcceleratorEntry> entries;
    for (const MainAccelerator& accel : GetMainAcceleratorTable()) {
        int flags = wxACCEL_NORMAL;
        if ((accel.modifiers & MainAccelerator::kCtrl) != 0) {
            flags |= wxACCEL_CTRL;
        }
        if ((accel.modifiers & MainAccelerator::kAlt) != 0) {
            flags |= wxACCEL_ALT;
        }
        entries.emplace_back(flags, WxKeyCode(accel.key), accel.id);
    }
    return wxAcceleratorTable(static_cast<int>(entries.size()), entries.data());
}

int FindMainAcceleratorCommand(const wxKeyEvent& key) {
    const int keyCode = key.GetKeyCode();
    for (const MainAccelerator& accel : GetMainAcceleratorTable()) {
        const bool control = (accel.modifiers & MainAccelerator::kCtrl) != 0;
        const bool alt = (accel.modifiers & MainAccelerator::kAlt) != 0;
        if (WxKeyCode(accel.key) == keyCode && key.ControlDown() == control &&
            key.AltDown() == alt && !key.ShiftDown()) {
            return accel.id;
        }
    }
    return -1;
}
