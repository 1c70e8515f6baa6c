#include <wx/event.h>
#include <wx/menu.h>

#include <array>

#include "document/DesignScene.h"
#include "foundation/FaceEditorSeam.h"
#include "view3d/HousView.h"

using context_menu::MenuItem;

namespace {

constexpr int kSavedTypeCount = 7;

void AppendItems(wxMenu& menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if (item.children.empty()) {
            menu.Append(item.command, wxString::FromUTF8(item.text));
        } else {
            auto* submenu = new wxMenu;
            AppendItems(*submenu, item.children);
            menu.AppendSubMenu(submenu, wxString::FromUTF8(item.text));
        }
    }
}

}  // namespace

bool CHousView::IsCommandAvailable(int command) const {
    return command == context_menu::kAddShadowPicture ||
           (command == context_menu::kWallItems && IsFaceEditorInstalled()) ||
           (m_commandFilter && m_commandFilter(command));
}

std::vector<MenuItem> CHousView::GetContextMenuItems() {
    CDesignScene& scene = m_renderer.GetScene();
    std::array<bool, kSavedTypeCount> selected{};
    for (int type = 0; type < kSavedTypeCount; ++type) {
        selected[static_cast<std::size_t>(type)] = !scene.Selected(type).empty();
    }
    std::vector<MenuItem> offered;
    for (MenuItem& item : context_menu::GetMenuItems(context_menu::ChooseMenu(selected))) {
        const bool submenu = !item.children.empty();
        std::erase_if(item.children,
                      [this](const MenuItem& child) { return !IsCommandAvailable(child.command); });
        if (submenu ? !item.children.empty() : IsCommandAvailable(item.command)) {
            offered.push_back(std::move(item));
        }
    }
    return offered;
}

void CHousView::OnContextMenu(wxContextMenuEvent& event) {
    if (m_inputBlocked) {
        return;
    }
    const std::vector<MenuItem> items = GetContextMenuItems();
    if (items.empty()) {
        return;
    }
    wxMenu menu;
    AppendItems(menu, items);
    // The chosen command comes to the view and goes on up to the main
    // frame when the view does not answer it.
    const wxPoint screen = event.GetPosition();
    PopupMenu(&menu, screen == wxDefaultPosition ? wxDefaultPosition : ScreenToClient(screen));
}

void CHousView::RunViewCommand(int command) {
    wxCommandEvent event(wxEVT_MENU, command);
    event.SetEventObject(this);
    GetEventHandler()->ProcessEvent(event);
}
