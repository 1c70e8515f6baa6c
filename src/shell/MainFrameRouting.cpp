#include "shell/MainFrameRouting.h"

#include <wx/event.h>
#include <wx/frame.h>

#include <array>
#include <vector>

#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "library/ui/LibraryBrowsers.h"
#include "plan2d/H2DChild.h"
#include "plan2d/H2DView.h"
#include "plan2d/PlanFrameRules.h"
#include "shell/CommandIds.h"
#include "shell/CommandUpdateRules.h"
#include "shell/MainFrameCommands.h"
#include "shell/MainMenuTable.h"

namespace {

// The application binds these itself.
bool IsApplicationCommand(int command) {
    return (command >= cmd::kFirstRecentFile &&
            command < cmd::kFirstRecentFile + cmd::kRecentFileCount) ||
           command == cmd::kPrintSetup || command == cmd::kAbout ||
           command == cmd::kBackToMainMenu || command == cmd::kMenuBackToMainMenu;
}

void CollectMenuCommands(const std::vector<MainMenuEntry>& entries, std::set<int>& commands) {
    for (const MainMenuEntry& entry : entries) {
        if (entry.kind == MainMenuEntry::Kind::Command) {
            commands.insert(entry.id);
        }
        CollectMenuCommands(entry.children, commands);
    }
}

// Every command of the menus, the tool bars, their drop-down menus and the
// accelerators that the frame answers.
std::set<int> GetFrameCommands() {
    std::set<int> commands;
    CollectMenuCommands(GetMainMenuTable(), commands);
    for (const MainAccelerator& accel : GetMainAcceleratorTable()) {
        commands.insert(accel.id);
    }
    for (int command :
         {cmd::kShadowReverseButton, cmd::kToggleRemote, cmd::kSaveViewPoint, cmd::kViewPoints,
          cmd::kEditModeButton, cmd::kShowModeButton, cmd::kMenuEditMode, cmd::kMenuShowMode,
          cmd::kPasteHere, cmd::kArrayCopy, cmd::kMirrorLeftRight, cmd::kMirrorFrontBack,
          cmd::kShowSurfacePlanDrawing, cmd::kReadBoundaryValues, cmd::kReplace}) {
        commands.insert(command);
    }
    // The plan view answers its own export key.
    commands.erase(cmd::kPlanDxfExport);
    std::erase_if(commands, IsApplicationCommand);
    return commands;
}

// The plan frame's tools that the menu shares, with the edit modes of each.
struct SharedPlanTool {
    int command;
    int toolId;
    int modeA;
    int modeB;
};
constexpr std::array<SharedPlanTool, 6> kSharedPlanTools = {{
    {cmd::kAddWall, cmd::kAddWall, EditMode::kWall, EditMode::kWallDrawing},
    {cmd::kAddFloor, cmd::kAddFloor, EditMode::kFloor, EditMode::kFloorDrawing},
    {cmd::kAddCeiling, cmd::kAddCeiling, EditMode::kCeiling, EditMode::kCeilingDrawing},
    {cmd::kAddDimensionNote, cmd::kAddDimensionNote, EditMode::kDimension,
     EditMode::kDimensionDrawing},
    {cmd::kAddTextNote, cmd::kAddTextNote, EditMode::kText, EditMode::kTextDrawing},
    {cmd::kGrowStructureFromDxf, cmd::kGrowStructureFromDxf, EditMode::kDxfToStructure,
     EditMode::kDxfToStructure},
}};

// The drawing tools of the menu and the edit mode each starts.
struct DrawingTool {
    int command;
    int mode;
};
constexpr std::array<DrawingTool, 6> kDrawingTools = {{
    {cmd::kDrawLine, EditMode::kLine},
    {cmd::kDrawArrow, EditMode::kArrow},
    {cmd::kDrawArc, EditMode::kArc},
    {cmd::kDrawRectangle, EditMode::kRectangle},
    {cmd::kDrawCircle, EditMode::kCircle},
    {cmd::kDrawCurve, EditMode::kCurve},
}};

// The plan frame's button that shows or hides the geometric shapes.
constexpr int kShowShapesButton = 1244;

}  // namespace

CMainFrameRouting::CMainFrameRouting(wxFrame& frame, CMainFrameCommands& commands,
                                     CMainFrameEditCommands& edit)
    : m_frame(frame), m_commands(commands), m_edit(edit), m_routed(GetFrameCommands()) {
    AddHandlers();
    m_edit.SetPlanWindows(this);
    for (int command : m_routed) {
        if (m_handlers.contains(command)) {
            m_frame.Bind(wxEVT_MENU, &CMainFrameRouting::OnCommand, this, command);
        }
        m_frame.Bind(wxEVT_UPDATE_UI, &CMainFrameRouting::OnUpdate, this, command);
    }
}

CMainFrameRouting::~CMainFrameRouting() {
    m_edit.SetPlanWindows(nullptr);
    for (int command : m_routed) {
        if (m_handlers.contains(command)) {
            m_frame.Unbind(wxEVT_MENU, &CMainFrameRouting::OnCommand, this, command);
        }
        m_frame.Unbind(wxEVT_UPDATE_UI, &CMainFrameRouting::OnUpdate, this, command);
    }
}

void CMainFrameRouting::AddHandlers() {
    CMainFrameCommands& design = m_commands;
    CMainFrameEditCommands& edit = m_edit;
    m_handlers = {
        {cmd::kFileNew, [&design] { design.NewDesign(); }},
        {cmd::kFileOpen, [&design] { design.OpenDesignFromDialog(); }},
        {cmd::kFileSave, [&design] { design.OnFileSave(); }},
        {cmd::kFileSaveAs, [&design] { design.OnFileSaveAs(); }},
        {cmd::kExit, [this] { m_frame.Close(); }},
        {cmd::kUndo, [&edit] { edit.OnUndo(); }},
        {cmd::kRedo, [&edit] { edit.OnRedo(); }},
        {cmd::kSelectObjects, [&edit] { edit.OnSelectObjects(); }},
        {cmd::kWallItemsMode, [&edit] { edit.ToggleEditMode(EditMode::kDoorWindow); }},
        {cmd::kCopyTextureMode, [&edit] { edit.ToggleEditMode(EditMode::kCopyTexture); }},
        {cmd::kCopySplitLineMode, [&edit] { edit.ToggleEditMode(EditMode::kCopySplitLine); }},
        {cmd::kToggleSnap, [&edit] { edit.OnToggleSnap(); }},
        {cmd::kFixedWallAngle, [&edit] { edit.OnToggleFixedWallAngle(); }},
        {cmd::kMoveToGround, [&edit] { edit.OnMoveToGround(); }},
        {cmd::kMoveLock, [&edit] { edit.OnToggleMoveLock(); }},
        {cmd::kShadowReverse, [&edit] { edit.OnToggleShadowReverse(); }},
        {cmd::kShowSurfacePlanDrawing, [&edit] { edit.OnToggleSurfacePlanDrawing(); }},
        {cmd::kReadBoundaryValues, [&edit] { edit.OnReadBoundaryValues(); }},
        {cmd::kMirrorLeftRight, [&edit] { edit.OnMirror(1); }},
        {cmd::kMirrorFrontBack, [&edit] { edit.OnMirror(2); }},
        {cmd::kCopy, [&edit] { edit.OnCopy(); }},
        {cmd::kPaste, [&edit] { edit.PasteObjects(std::nullopt); }},
        {cmd::kPasteHere, [this] { PasteAtPlanPoint(); }},
        {cmd::kAddLight, [this] { ForwardTo3DView(cmd::kAddLight); }},
        {cmd::kAddText3D, [this] { ForwardTo3DView(cmd::kAddText3D); }},
        {cmd::kImportPicture, [this] { ForwardToPlanFrame(CH2DChild::kInsertPictureTool); }},
        {cmd::kViewSolid, [&design] { design.OnViewSolid(); }},
        {cmd::kViewWireframe, [&design] { design.OnViewWireframe(); }},
        {cmd::kBackgroundGreyBlue, [&design] { design.OnBackgroundGreyBlue(); }},
        {cmd::kBackgroundWhite, [&design] { design.OnBackgroundWhite(); }},
        {cmd::kBackgroundBlack, [&design] { design.OnBackgroundBlack(); }},
        {cmd::kShowModeButton, [&design] { design.OnShowMode(); }},
        {cmd::kMenuShowMode, [&design] { design.OnShowMode(); }},
        {cmd::kEditModeButton, [&design] { design.OnEditMode(); }},
        {cmd::kMenuEditMode, [&design] { design.OnEditMode(); }},
        {cmd::kAddFurniture,
         [this] {
             if (CLibraryBrowsers* browsers = GetLibraryBrowsers()) {
                 browsers->ShowFurnitureBrowser();
             }
         }},
        {cmd::kSetTexture,
         [this] {
             if (CLibraryBrowsers* browsers = GetLibraryBrowsers()) {
                 browsers->ShowTextureBrowser();
             }
         }},
        {cmd::kAddPicture,
         [this] {
             if (CLibraryBrowsers* browsers = GetLibraryBrowsers()) {
                 browsers->ShowPhotoBrowser();
             }
         }},
        {cmd::kReplace,
         [this] {
             if (CLibraryBrowsers* browsers = GetLibraryBrowsers()) {
                 browsers->OpenReplaceBrowsers();
             }
         }},
    };
    for (const SharedPlanTool& tool : kSharedPlanTools) {
        m_handlers[tool.command] = [this, id = tool.toolId] { ForwardToPlanFrame(id); };
    }
    for (const DrawingTool& tool : kDrawingTools) {
        m_handlers[tool.command] = [&edit, mode = tool.mode] { edit.OnPlanDrawingTool(mode); };
    }
}

void CMainFrameRouting::OnCommand(wxCommandEvent& event) {
    if (const auto found = m_handlers.find(event.GetId()); found != m_handlers.end()) {
        found->second();
    }
}

void CMainFrameRouting::OnUpdate(wxUpdateUIEvent& event) {
    const int command = event.GetId();
    const CHousDoc* document = m_commands.GetDocument();
    if (document != nullptr && UpdateLikePlanFrame(event, *document)) {
        return;
    }
    CommandContext context = ReadCommandContext(document);
    context.planEditModeClass = CH2DView::GetEditModeClass(context.editMode);
    if (CH2DChild* plan = GetPlanFrame()) {
        context.printPlanSelection = plan->GetPlanView()->State().GetPrintSelectionOnly() != 0;
    }
    context.hasHandler = m_handlers.contains(command);
    context.hasCopy = m_edit.HasCopy();
    const std::optional<CommandUpdate> update = GetCommandUpdate(command, context);
    if (!update) {
        return;
    }
    event.Enable(update->enabled);
    // Only an item that can show a check is given one.
    auto* menu = wxDynamicCast(event.GetEventObject(), wxMenu);
    const wxMenuItem* item = menu != nullptr ? menu->FindItem(command) : nullptr;
    if (update->checked && (menu == nullptr || (item != nullptr && item->IsCheckable()))) {
        event.Check(*update->checked);
    }
}

bool CMainFrameRouting::UpdateLikePlanFrame(wxUpdateUIEvent& event,
                                            const CHousDoc& document) const {
    const int command = event.GetId();
    const int mode = document.GetEditMode();
    ToolButtonState state;
    bool found = false;
    for (const SharedPlanTool& tool : kSharedPlanTools) {
        if (tool.command == command) {
            state = GetToolButtonState(mode, tool.modeA, tool.modeB);
            found = true;
        }
    }
    for (const DrawingTool& tool : kDrawingTools) {
        if (tool.command == command) {
            state = GetToolButtonState(mode, tool.mode, tool.mode + 1);
            found = true;
        }
    }
    if (command == cmd::kImportPicture) {
        event.Enable(IsDrawingBarCommandEnabled(mode));
        return true;
    }
    if (!found) {
        return false;
    }
    event.Enable(state.enabled);
    auto* menu = wxDynamicCast(event.GetEventObject(), wxMenu);
    const wxMenuItem* item = menu != nullptr ? menu->FindItem(command) : nullptr;
    if (menu == nullptr || (item != nullptr && item->IsCheckable())) {
        event.Check(state.checked);
    }
    return true;
}

CH2DChild* CMainFrameRouting::GetPlanFrame() const {
    const CHousDoc* document = m_commands.GetDocument();
    return document != nullptr ? dynamic_cast<CH2DChild*>(document->Get2DFrame()) : nullptr;
}

CLibraryBrowsers* CMainFrameRouting::GetLibraryBrowsers() const {
    const CHousDoc* document = m_commands.GetDocument();
    return document != nullptr ? dynamic_cast<CLibraryBrowsers*>(document->GetLibraryBrowsers())
                               : nullptr;
}

void CMainFrameRouting::ForwardToPlanFrame(int toolId) {
    CH2DChild* plan = GetPlanFrame();
    if (plan == nullptr) {
        return;
    }
    wxCommandEvent event(wxEVT_TOOL, toolId);
    event.SetEventObject(plan);
    // The frame sent it; it must not come back up to the frame.
    event.StopPropagation();
    plan->GetEventHandler()->ProcessEvent(event);
}

void CMainFrameRouting::RunShowShapes() {
    CH2DChild* plan = GetPlanFrame();
    wxWindow* button = plan != nullptr ? plan->FindWindow(kShowShapesButton) : nullptr;
    if (button == nullptr) {
        return;
    }
    wxCommandEvent event(wxEVT_BUTTON, kShowShapesButton);
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
}

void CMainFrameRouting::FocusPlanView() {
    if (CH2DChild* plan = GetPlanFrame()) {
        plan->GetPlanView()->SetFocus();
    }
}

void CMainFrameRouting::ForwardTo3DView(int command) {
    const CHousDoc* document = m_commands.GetDocument();
    auto* view = document != nullptr ? dynamic_cast<wxWindow*>(document->Get3DView()) : nullptr;
    if (view == nullptr) {
        return;
    }
    wxCommandEvent event(wxEVT_MENU, command);
    event.SetEventObject(view);
    // The frame sent it; it must not come back up to the frame.
    event.StopPropagation();
    view->GetEventHandler()->ProcessEvent(event);
}

// The plan view keeps the point its menu was opened at; the switch is on
// only while this paste runs.
void CMainFrameRouting::PasteAtPlanPoint() {
    CH2DChild* plan = GetPlanFrame();
    if (plan == nullptr) {
        m_edit.PasteObjects(std::nullopt);
        return;
    }
    PlanPastePoint& point = plan->GetPlanView()->PastePoint();
    point.set = 1;
    m_edit.PasteObjects(CVector2D(point.x, point.y));
    point.set = 0;
}
