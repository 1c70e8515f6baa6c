#include "shell/MainToolBars.h"

#include <wx/artprov.h>
#include <wx/aui/auibar.h>
#include <wx/menu.h>

#include "platform/desktop/ToolIcon.h"
#include "shell/CommandIds.h"
#include "shell/HighCommandIds.h"

namespace {

struct ToolButton {
    int id;  // 0 = separator
    const char* text;
    // The program's own picture, else a picture of the desktop's theme.
    const char* icon;
    const char* art;
};

// Pictures of standard actions come from the desktop, so they look like the
// desktop's other programs.
wxBitmapBundle ToolBitmap(const ToolButton& button) {
    if (button.art != nullptr) {
        return wxArtProvider::GetBitmapBundle(button.art, wxART_TOOLBAR, kToolIconSize);
    }
    return LoadToolIcon(button.icon);
}

wxAuiToolBar* CreateToolBar(wxWindow* parent, int barId, std::initializer_list<ToolButton> buttons,
                            int dropDownId) {
    CAllowHighCommandIds highIds;
    auto* bar = new wxAuiToolBar(parent, barId, wxDefaultPosition, wxDefaultSize,
                                 wxAUI_TB_DEFAULT_STYLE | wxAUI_TB_GRIPPER);
    bar->SetToolBitmapSize(kToolIconSize);
    for (const ToolButton& button : buttons) {
        if (button.id == 0) {
            bar->AddSeparator();
            continue;
        }
        const wxString text = wxString::FromUTF8(button.text);
        bar->AddTool(button.id, text, ToolBitmap(button), text);
        bar->SetToolLongHelp(button.id, text);
    }
    bar->SetToolDropDown(dropDownId, true);
    bar->Realize();
    return bar;
}

}  // namespace

wxAuiToolBar* CreateBasicToolBar(wxWindow* parent) {
    return CreateToolBar(
        parent, kBasicToolBarId,
        {{cmd::kFileNew, "新設計案", nullptr, wxART_NEW},
         {cmd::kFileOpen, "開啟設計案", nullptr, wxART_FILE_OPEN},
         {cmd::kFileSave, "儲存設計案", nullptr, wxART_FILE_SAVE},
         {cmd::kFileSaveAs, "另存設計案", nullptr, wxART_FILE_SAVE_AS},
         {cmd::kShadowReverseButton, "陰影反向", "shadow-reverse", nullptr},
         {cmd::kUndo, "復原", nullptr, wxART_UNDO},
         {cmd::kRedo, "重做", nullptr, wxART_REDO},
         {0, nullptr, nullptr, nullptr},
         {cmd::kSave3DImage, "儲存3D畫面", "save-3d-image", nullptr},
         {cmd::kPreview3D, "預覽列印3D視窗", nullptr, "document-print-preview"},
         {cmd::kPrint3D, "列印3D視窗", nullptr, wxART_PRINT},
         {0, nullptr, nullptr, nullptr},
         {cmd::kPreviewPlan, "預覽列印2D視窗", nullptr, "document-print-preview"},
         {cmd::kPrintPlan, "列印2D視窗", nullptr, wxART_PRINT},
         {cmd::kPrintPlanSelection, "使用2D選取列印", "print-plan-selection", nullptr},
         {0, nullptr, nullptr, nullptr},
         {cmd::kCostEstimate, "預視估價單", "cost-estimate", nullptr},
         {0, nullptr, nullptr, nullptr},
         {cmd::kToggleRemote, "顯示/隱藏搖控器", "remote-control", nullptr},
         {cmd::kMoveLock, "牆、樑、柱、地板、天花板移動鎖定", "move-lock", nullptr},
         {0, nullptr, nullptr, nullptr},
         {cmd::kShowLightShapes, "顯示光源外型", "light-shapes", nullptr},
         {0, nullptr, nullptr, nullptr},
         {cmd::kSaveViewPoint, "儲存定位點", "save-view-point", nullptr},
         {cmd::kViewPoints, "檢視定位點", "view-points", nullptr},
         {0, nullptr, nullptr, nullptr},
         {cmd::kShowModeButton, "展示模式", "show-mode", nullptr}},
        cmd::kShowModeButton);
}

wxAuiToolBar* CreatePlayToolBar(wxWindow* parent) {
    return CreateToolBar(parent, kPlayToolBarId,
                         {{cmd::kViewPoints, "檢視定位點", "view-points", nullptr},
                          {cmd::kEditModeButton, "編輯模式", "edit-mode", nullptr}},
                         cmd::kEditModeButton);
}

wxMenu* CreateModeDropDownMenu(bool showMode) {
    CAllowHighCommandIds highIds;
    auto* menu = new wxMenu;
    if (showMode) {
        menu->Append(cmd::kMenuEditMode, wxString::FromUTF8("編輯模式"));
    } else {
        menu->Append(cmd::kMenuShowMode, wxString::FromUTF8("展示模式"));
    }
    menu->Append(cmd::kMenuBackToMainMenu, wxString::FromUTF8("回主選單"));
    return menu;
}
