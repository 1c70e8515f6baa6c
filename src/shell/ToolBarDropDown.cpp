#include "shell/ToolBarDropDown.h"

#include <wx/toolbar.h>

// A tool's kind is fixed when it is added, so the button is added again.
void SetToolBarButtonDropDown(wxToolBar& toolBar, int commandId) {
    const wxToolBarToolBase* tool = toolBar.FindById(commandId);
    if (tool == nullptr || tool->GetKind() == wxITEM_DROPDOWN) {
        return;
    }
    const int position = toolBar.GetToolPos(commandId);
    const wxString label = tool->GetLabel();
    const wxBitmapBundle normal = tool->GetNormalBitmapBundle();
    const wxBitmapBundle disabled = tool->GetDisabledBitmapBundle();
    const wxString shortHelp = tool->GetShortHelp();
    const wxString longHelp = tool->GetLongHelp();
    const bool enabled = tool->IsEnabled();
    toolBar.DeleteTool(commandId);
    toolBar.InsertTool(static_cast<size_t>(position), commandId, label, normal, disabled,
                       wxITEM_DROPDOWN, shortHelp, longHelp);
    toolBar.EnableTool(commandId, enabled);
    toolBar.Realize();
}
