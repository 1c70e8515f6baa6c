#include "plan2d/H2DChild.h"

#include <wx/bmpbuttn.h>
#include <wx/choice.h>
#include <wx/display.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/wrapsizer.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "document/PlanZoom.h"
#include "foundation/Prompt.h"
#include "plan2d/FloorControls.h"
#include "plan2d/H2DView.h"
#include "plan2d/PlanBarIcons.h"
#include "plan2d/PlanDisplayToggles.h"
#include "plan2d/PlanLayerBits.h"
#include "plan2d/PlanPictureInsert.h"
#include "plan2d/PlanSubModeMenus.h"

namespace {

constexpr const char* kValueError = "Error on value!";

// The tools of the window tool bar that start drawing a kind of object,
// with the layer that must be shown for it and its display toggle.
struct CreationTool {
    int id;
    uint32_t layer;
    int toggle;
    int modeA;
    int modeB;
};
constexpr std::array<CreationTool, 5> kCreationTools = {{
    {32778, PlanLayer::kWalls, 1234, 20, 21},
    {32807, PlanLayer::kFloors, 1235, 30, 31},
    {32808, PlanLayer::kCeilings, 1236, 10, 11},
    {32863, PlanLayer::kDimensions, 1145, 170, 171},
    {32951, PlanLayer::kTextNotes, 1347, 160, 161},
}};

constexpr int kSelectTool = 32777;
constexpr int kGrowStructureTool = 32854;
constexpr int kGrowStructureMode = 100;
constexpr int kAddDxfIconTool = 32941;

// The edit modes of each tool's button.
struct ToolModes {
    int id;
    int modeA;
    int modeB;
};
constexpr std::array<ToolModes, 12> kToolModes = {{
    {32778, 20, 21},
    {32807, 30, 31},
    {32808, 10, 11},
    {32863, 170, 171},
    {32951, 160, 161},
    {kGrowStructureTool, kGrowStructureMode, kGrowStructureMode},
    {2000, 600, 601},
    {2001, 610, 611},
    {2002, 620, 621},
    {2003, 630, 631},
    {2007, 640, 641},
    {2008, 650, 651},
}};

// The drawing bar's tools that the main frame's commands run.
struct ForwardedTool {
    int id;
    int command;
};
constexpr std::array<ForwardedTool, 7> kForwardedTools = {{
    {2000, 32969},
    {2001, 32970},
    {2002, 32971},
    {2003, 32972},
    {2007, 32976},
    {2008, 32986},
    {kAddDxfIconTool, 33008},
}};

// The line and arrow style dialogs and the DXF icons are not part of the
// program yet.
constexpr std::array<int, 4> kToolsNotBuilt = {2004, 2005, 2006, kAddDxfIconTool};

wxString Utf8(const char* text) {
    return wxString::FromUTF8(text);
}

wxBitmapButton* MakeBitmapButton(wxWindow* bar, int id, int bitmapId, const char* tip) {
    auto* button = new wxBitmapButton(bar, id, MakePlanBarBitmap(bitmapId));
    button->SetToolTip(Utf8(tip));
    return button;
}

void AddTool(wxToolBar* bar, int id, int bitmapId, const char* tip,
             wxItemKind kind = wxITEM_NORMAL) {
    bar->AddTool(id, Utf8(tip), MakePlanBarBitmap(bitmapId), Utf8(tip), kind);
}

}  // namespace

CH2DChild::CH2DChild(wxWindow* parent, CHousDoc& doc) : wxPanel(parent), m_doc(doc) {
    SetLabel(Utf8("2D視窗"));
    // The bars come first: the view reaches them through the document.
    auto* topBars = new wxWrapSizer(wxHORIZONTAL);
    topBars->Add(CreateSettingsBar(), 0, wxALIGN_CENTER_VERTICAL);
    topBars->Add(CreateWindowToolBar(), 0, wxALIGN_CENTER_VERTICAL);
    topBars->Add(CreateWallBar(), 0, wxALIGN_CENTER_VERTICAL);
    topBars->Add(CreateDrawingToolBar(), 0, wxALIGN_CENTER_VERTICAL);
    auto* bottomBars = new wxWrapSizer(wxHORIZONTAL);
    bottomBars->Add(CreateControlBar(), 0, wxALIGN_CENTER_VERTICAL);
    bottomBars->Add(CreateDisplayBar(), 0, wxALIGN_CENTER_VERTICAL);
    m_pView = new CH2DView(this, doc, this);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(topBars, 0, wxEXPAND);
    sizer->Add(m_pView, 1, wxEXPAND);
    sizer->Add(bottomBars, 0, wxEXPAND);
    SetSizer(sizer);

    m_pView->OnInitialUpdate();
    UpdateFloorControls();
}

PlanFrameRect CH2DChild::GetInitialRect() {
    return GetPlanFrameRect(wxDisplay(0U).GetGeometry().GetWidth());
}

// ---- Bars

void CH2DChild::ShowBars(bool show) {
    for (wxWindow* child : GetChildren()) {
        if (child != m_pView && !child->IsTopLevel()) {
            child->Show(show);
        }
    }
    Layout();
}

wxWindow* CH2DChild::CreateSettingsBar() {
    auto* bar = new wxPanel(this);
    bar->SetLabel(Utf8("2D設定工具列"));
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(MakeBitmapButton(bar, kSettingsButton, 320, "2D平面設定項目"), 0, wxALL, 2);
    bar->SetSizer(sizer);
    bar->Bind(wxEVT_BUTTON, &CH2DChild::OnSettingsButton, this, kSettingsButton);
    return bar;
}

wxToolBar* CH2DChild::CreateWindowToolBar() {
    m_pWindowToolBar =
        new wxToolBar(this, kWindowToolBar, wxDefaultPosition, wxDefaultSize, wxTB_FLAT);
    m_pWindowToolBar->SetLabel(Utf8("2D視窗工具列"));
    AddTool(m_pWindowToolBar, kSelectTool, 32777, "選擇物件");
    AddTool(m_pWindowToolBar, 32778, 32778, "2D-新增牆、樑、柱", wxITEM_CHECK);
    AddTool(m_pWindowToolBar, 32807, 32807, "2D-新增地板", wxITEM_CHECK);
    AddTool(m_pWindowToolBar, 32808, 32808, "2D-新增天花板", wxITEM_CHECK);
    AddTool(m_pWindowToolBar, 32863, 32863, "2D-新增尺寸注標", wxITEM_CHECK);
    AddTool(m_pWindowToolBar, 32951, 32951, "2D-新增文字注標", wxITEM_CHECK);
    AddTool(m_pWindowToolBar, kGrowStructureTool, kGrowStructureTool, "2D-DXF長成結構",
            wxITEM_DROPDOWN);
    m_pWindowToolBar->Realize();

    for (const CreationTool& tool : kCreationTools) {
        Bind(wxEVT_TOOL, &CH2DChild::OnCreationTool, this, tool.id);
    }
    Bind(wxEVT_TOOL, &CH2DChild::OnGrowStructure, this, kGrowStructureTool);
    // Selecting is the main frame's command, shared with its menu.
    Bind(
        wxEVT_TOOL, [this](wxCommandEvent&) { SendMainFrameCommand(kSelectTool); }, kSelectTool);
    return m_pWindowToolBar;
}

wxWindow* CH2DChild::CreateWallBar() {
    auto* bar = new wxPanel(this);
    bar->SetLabel(Utf8("進階控制工具列"));
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    for (int id : {kWallTopEdit, kWallBottomEdit, kWallThicknessEdit}) {
        auto* edit = new wxTextCtrl(bar, id);
        // Leaving an edit applies the bar, so that walls are never raised
        // from a text that is no usable value.
        edit->Bind(wxEVT_KILL_FOCUS, [&doc = m_doc](wxFocusEvent& event) {
            event.Skip();
            doc.ApplyWallBarFields();
        });
        sizer->Add(edit, 0, wxALL, 2);
    }
    m_fixedAngleBitmap = m_doc.GetFixedWallAngle() != 0 ? 429 : 245;
    m_pFixedAngleButton = MakeBitmapButton(bar, kFixedAngleButton, m_fixedAngleBitmap, "固定角度");
    m_pFixedAngleEdit =
        new wxTextCtrl(bar, kFixedAngleEdit, wxString::Format("%d", m_doc.GetFixedAngleStep()));
    m_pFixedAngleEdit->Enable(m_doc.GetFixedWallAngle() != 0);
    sizer->Add(m_pFixedAngleButton, 0, wxALL, 2);
    sizer->Add(m_pFixedAngleEdit, 0, wxALL, 2);
    bar->SetSizer(sizer);

    bar->Bind(wxEVT_TEXT, &CH2DChild::OnThicknessText, this, kWallThicknessEdit);
    bar->Bind(wxEVT_TEXT, &CH2DChild::OnFixedAngleText, this, kFixedAngleEdit);
    bar->Bind(wxEVT_BUTTON, &CH2DChild::OnFixedAngleButton, this, kFixedAngleButton);
    Bind(wxEVT_UPDATE_UI, &CH2DChild::OnUpdateFixedAngle, this, kFixedAngleButton);
    return bar;
}

wxToolBar* CH2DChild::CreateDrawingToolBar() {
    m_pDrawingToolBar =
        new wxToolBar(this, kDrawingToolBar, wxDefaultPosition, wxDefaultSize, wxTB_FLAT);
    m_pDrawingToolBar->SetLabel(Utf8("2D繪圖工具列"));
    AddTool(m_pDrawingToolBar, 2000, 2000, "線條", wxITEM_DROPDOWN);
    AddTool(m_pDrawingToolBar, 2002, 2002, "弧線", wxITEM_DROPDOWN);
    AddTool(m_pDrawingToolBar, 2008, 2008, "曲線", wxITEM_DROPDOWN);
    AddTool(m_pDrawingToolBar, 2001, 2001, "箭頭", wxITEM_CHECK);
    AddTool(m_pDrawingToolBar, 2003, 2003, "矩形", wxITEM_CHECK);
    AddTool(m_pDrawingToolBar, 2007, 2007, "圓", wxITEM_DROPDOWN);
    m_pDrawingToolBar->AddSeparator();
    AddTool(m_pDrawingToolBar, 2004, 2004, "更改線條樣式");
    AddTool(m_pDrawingToolBar, 2005, 2005, "箭頭樣式");
    AddTool(m_pDrawingToolBar, 2006, 2006, "箭頭方向");
    m_pDrawingToolBar->AddSeparator();
    AddTool(m_pDrawingToolBar, kAddDxfIconTool, kAddDxfIconTool, "加入DXF圖示");
    AddTool(m_pDrawingToolBar, kInsertPictureTool, kInsertPictureTool, "加入圖檔");
    m_pDrawingToolBar->Realize();
    for (int id : kToolsNotBuilt) {
        m_pDrawingToolBar->EnableTool(id, false);
    }

    for (const ForwardedTool& tool : kForwardedTools) {
        Bind(wxEVT_TOOL, &CH2DChild::OnForwardedTool, this, tool.id);
    }
    for (const ToolModes& tool : kToolModes) {
        Bind(wxEVT_UPDATE_UI, &CH2DChild::OnUpdateToolButton, this, tool.id);
    }
    Bind(wxEVT_TOOL, &CH2DChild::OnInsertPicture, this, kInsertPictureTool);
    Bind(wxEVT_UPDATE_UI, &CH2DChild::OnUpdateDrawingBarCommand, this, kInsertPictureTool);
    Bind(wxEVT_TOOL_DROPDOWN, &CH2DChild::OnToolDropDown, this);
    for (const PlanSubModeMenu& menu : GetPlanSubModeMenus()) {
        Bind(wxEVT_MENU, &CH2DChild::OnSubModeItem, this, menu.firstItem,
             menu.firstItem + static_cast<int>(menu.items.size()) - 1);
    }
    return m_pDrawingToolBar;
}

wxWindow* CH2DChild::CreateControlBar() {
    auto* bar = new wxPanel(this);
    bar->SetLabel(Utf8("2D控制工具列"));
    m_pZoomCombo = new wxChoice(bar, kZoomCombo);
    for (int index = 0; index < PlanZoom::kLevelCount; ++index) {
        m_pZoomCombo->Append(wxString::Format("%d%%", PlanZoom::GetLevelPercent(index)));
    }
    UpdateZoomCombo();
    m_pFloorCombo = new wxChoice(bar, kFloorCombo);
    // A storey button at the end shows its picture greyed.
    m_pFloorUpButton = MakeBitmapButton(bar, kFloorUpButton, 237, "上一個樓層");
    m_pFloorDownButton = MakeBitmapButton(bar, kFloorDownButton, 238, "下一個樓層");

    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(m_pZoomCombo, 0, wxALL | wxALIGN_CENTER_VERTICAL, 2);
    sizer->Add(MakeBitmapButton(bar, kZoomOutButton, 234, "縮小圖面"), 0, wxALL, 2);
    sizer->Add(MakeBitmapButton(bar, kZoomResetButton, 235, "回復圖面大小"), 0, wxALL, 2);
    sizer->Add(MakeBitmapButton(bar, kZoomInButton, 232, "放大圖面"), 0, wxALL, 2);
    sizer->Add(m_pFloorCombo, 0, wxALL | wxALIGN_CENTER_VERTICAL, 2);
    sizer->Add(m_pFloorUpButton, 0, wxALL, 2);
    sizer->Add(m_pFloorDownButton, 0, wxALL, 2);
    bar->SetSizer(sizer);

    m_pZoomCombo->Bind(wxEVT_CHOICE, &CH2DChild::OnZoomSelected, this);
    bar->Bind(wxEVT_BUTTON, &CH2DChild::OnZoomStep, this, kZoomOutButton);
    bar->Bind(wxEVT_BUTTON, &CH2DChild::OnZoomStep, this, kZoomInButton);
    bar->Bind(wxEVT_BUTTON, &CH2DChild::OnZoomReset, this, kZoomResetButton);
    m_pFloorCombo->Bind(wxEVT_CHOICE, &CH2DChild::OnFloorSelected, this);
    bar->Bind(wxEVT_BUTTON, &CH2DChild::OnFloorStep, this, kFloorUpButton);
    bar->Bind(wxEVT_BUTTON, &CH2DChild::OnFloorStep, this, kFloorDownButton);
    return bar;
}

wxWindow* CH2DChild::CreateDisplayBar() {
    auto* bar = new wxPanel(this);
    bar->SetLabel(Utf8("2D檢視工具列"));
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    for (const PlanDisplayToggle& toggle : GetPlanDisplayToggles()) {
        wxBitmapButton* button =
            MakeBitmapButton(bar, toggle.buttonId, toggle.shownBitmap, toggle.tip);
        // The main frame's display commands are not part of the program yet;
        // only the paper frame is flipped here.
        button->Enable(toggle.command == 0);
        sizer->Add(button, 0, wxALL, 1);
        bar->Bind(wxEVT_BUTTON, &CH2DChild::OnDisplayToggle, this, toggle.buttonId);
    }
    bar->SetSizer(sizer);
    UpdateDisplayToggles();
    return bar;
}

// ---- Display bar

void CH2DChild::UpdateDisplayToggles() {
    for (const PlanDisplayToggle& toggle : GetPlanDisplayToggles()) {
        if (auto* button = wxDynamicCast(FindWindow(toggle.buttonId), wxBitmapButton)) {
            const bool shown = IsDisplayToggleShown(m_doc, toggle);
            button->SetBitmapLabel(
                MakePlanBarBitmap(shown ? toggle.shownBitmap : toggle.hiddenBitmap));
        }
    }
}

void CH2DChild::OnDisplayToggle(wxCommandEvent& event) {
    RunDisplayToggle(event.GetId());
}

void CH2DChild::RunDisplayToggle(int buttonId) {
    const PlanDisplayToggle* toggle = FindPlanDisplayToggle(buttonId);
    if (toggle == nullptr) {
        return;
    }
    if (toggle->command == 0) {
        m_doc.SetFramePaperShown(m_doc.GetFramePaperShown() != 0 ? 0 : 1);
        UpdateDisplayToggles();
        m_pView->RedrawNow();
        m_pView->SetFocus();
        return;
    }
    SendMainFrameCommand(toggle->command);
    // The 3D view shows no rulers, grid lines of the plan or 3D text lines.
    if (toggle->state == PlanDisplayToggle::State::Layer && buttonId != 1298) {
        m_doc.Repaint3DView();
    }
    if (toggle->state == PlanDisplayToggle::State::Ruler) {
        UpdateDisplayToggles();
    }
    m_pView->SetFocus();
}

// ---- Settings bar

void CH2DChild::OnSettingsButton(wxCommandEvent& event) {
    wxMenu menu;
    menu.Append(kEditSettingsItem, Utf8("2D編輯設定"));
    menu.Append(kViewSettingsItem, Utf8("2D檢視設定"));
    // The option sheet is not part of the program yet.
    menu.Enable(kEditSettingsItem, false);
    menu.Enable(kViewSettingsItem, false);
    auto* button = wxDynamicCast(event.GetEventObject(), wxWindow);
    if (button != nullptr) {
        button->PopupMenu(&menu, 0, button->GetSize().y);
    }
}

// ---- Tool bars

void CH2DChild::SendMainFrameCommand(int command) {
    wxWindow* top = wxGetTopLevelParent(this);
    if (top == nullptr) {
        return;
    }
    wxCommandEvent event(wxEVT_MENU, command);
    event.SetEventObject(this);
    top->GetEventHandler()->ProcessEvent(event);
}

void CH2DChild::OnCreationTool(wxCommandEvent& event) {
    const auto tool = std::find_if(kCreationTools.begin(), kCreationTools.end(),
                                   [&](const CreationTool& t) { return t.id == event.GetId(); });
    if (tool == kCreationTools.end()) {
        return;
    }
    if ((static_cast<uint32_t>(m_doc.Settings().show2DState) & tool->layer) == 0) {
        RunDisplayToggle(tool->toggle);
    }
    const int mode = m_doc.GetEditMode();
    if (mode != tool->modeA && mode != tool->modeB) {
        m_doc.SetEditModeAndRefresh(tool->modeA);
    }
}

void CH2DChild::OnGrowStructure(wxCommandEvent&) {
    if (m_doc.GetEditMode() != kGrowStructureMode) {
        m_doc.SetEditModeAndRefresh(kGrowStructureMode);
    }
}

void CH2DChild::OnForwardedTool(wxCommandEvent& event) {
    for (const ForwardedTool& tool : kForwardedTools) {
        if (tool.id == event.GetId()) {
            SendMainFrameCommand(tool.command);
        }
    }
}

void CH2DChild::OnToolDropDown(wxCommandEvent& event) {
    const PlanSubModeMenu* subModes = FindSubModeMenuOfButton(event.GetId());
    auto* bar = wxDynamicCast(event.GetEventObject(), wxToolBar);
    if (subModes == nullptr || bar == nullptr || m_doc.IsDrawingInProgress()) {
        return;
    }
    wxMenu menu;
    const int32_t current = m_doc.Settings().*(subModes->subMode);
    for (std::size_t i = 0; i < subModes->items.size(); ++i) {
        const int id = subModes->firstItem + static_cast<int>(i);
        menu.AppendCheckItem(id, Utf8(subModes->items[i]));
        menu.Check(id, static_cast<int32_t>(i) == current);
    }
    bar->PopupMenu(&menu);
    // The tool's button shows the tool state again.
    m_doc.SetEditModeAndRefresh(m_doc.GetEditMode());
}

void CH2DChild::OnSubModeItem(wxCommandEvent& event) {
    const PlanSubModeMenu* subModes = FindSubModeMenuOfItem(event.GetId());
    if (subModes == nullptr) {
        return;
    }
    m_doc.Settings().*(subModes->subMode) = event.GetId() - subModes->firstItem;
    if (subModes->command == kGrowStructureTool) {
        wxCommandEvent grow(wxEVT_TOOL, kGrowStructureTool);
        OnGrowStructure(grow);
    } else {
        SendMainFrameCommand(subModes->command);
    }
}

void CH2DChild::OnInsertPicture(wxCommandEvent&) {
    InsertPlanPicture(m_doc, m_lastPicturePath, [this] { RunDisplayToggle(1245); });
}

void CH2DChild::OnUpdateToolButton(wxUpdateUIEvent& event) {
    const int mode = m_doc.GetEditMode();
    for (const ToolModes& tool : kToolModes) {
        if (tool.id == event.GetId()) {
            const ToolButtonState state = GetToolButtonState(mode, tool.modeA, tool.modeB);
            event.Enable(state.enabled);
            event.Check(state.checked);
        }
    }
    if (event.GetId() != 32778) {
        return;
    }
    if (const std::optional<WallBarEditState> edits = GetWallBarEditState(mode)) {
        const std::array<std::pair<int, bool>, 3> states = {
            {{kWallTopEdit, edits->top},
             {kWallBottomEdit, edits->bottom},
             {kWallThicknessEdit, edits->thickness}}};
        for (const auto& [id, enabled] : states) {
            if (wxWindow* edit = FindWindow(id)) {
                edit->Enable(enabled);
            }
        }
    }
}

void CH2DChild::OnUpdateDrawingBarCommand(wxUpdateUIEvent& event) {
    event.Enable(IsDrawingBarCommandEnabled(m_doc.GetEditMode()));
}

// ---- Wall bar

void CH2DChild::OnThicknessText(wxCommandEvent& event) {
    auto* edit = wxDynamicCast(event.GetEventObject(), wxTextCtrl);
    if (edit == nullptr) {
        return;
    }
    if (const std::optional<std::string> corrected =
            CorrectThicknessText(edit->GetValue().utf8_string())) {
        ShowMessage(kValueError, PromptButtons::Ok, PromptIcon::Warning);
        edit->ChangeValue(wxString::FromUTF8(*corrected));
    }
}

void CH2DChild::OnFixedAngleText(wxCommandEvent&) {
    const FixedAngleInput input = CheckFixedAngleText(m_pFixedAngleEdit->GetValue().utf8_string());
    if (input.action == FixedAngleInput::Action::Accept) {
        m_doc.SetFixedAngleStep(input.angle);
    } else if (input.action == FixedAngleInput::Action::Refuse) {
        ShowMessage(kValueError, PromptButtons::Ok, PromptIcon::Warning);
        m_pFixedAngleEdit->ChangeValue(wxString::Format("%d", m_doc.GetFixedAngleStep()));
    }
}

void CH2DChild::OnFixedAngleButton(wxCommandEvent&) {
    m_pView->ToggleFixedWallAngle();
    wxUpdateUIEvent update(kFixedAngleButton);
    OnUpdateFixedAngle(update);
}

// The flag also flips from the coordinate box's key, so the button and the
// edit follow it whenever the bar updates.
void CH2DChild::OnUpdateFixedAngle(wxUpdateUIEvent& event) {
    const bool fixed = m_doc.GetFixedWallAngle() != 0;
    const int bitmapId = fixed ? 429 : 245;
    if (bitmapId != m_fixedAngleBitmap) {
        m_fixedAngleBitmap = bitmapId;
        m_pFixedAngleButton->SetBitmapLabel(MakePlanBarBitmap(bitmapId));
    }
    m_pFixedAngleEdit->Enable(fixed);
    event.Enable(true);
}

// ---- Control bar

void CH2DChild::SetZoomLevel(int index) {
    const int level = PlanZoom::ClampLevel(index);
    // The combo shows the new level before the views redraw at it.
    m_pZoomCombo->SetSelection(level);
    ApplyPlanZoom(m_doc, PlanZoom::GetLevelPercent(level));
    m_pView->SetFocus();
}

void CH2DChild::UpdateZoomCombo() {
    // A scale that no level has, as a design file may hold, selects none.
    m_pZoomCombo->SetSelection(PlanZoom::FindLevel(m_doc.GetPlanZoomFactor()));
}

int CH2DChild::GetCurrentFloor() const {
    I3DView* view = m_doc.Get3DView();
    if (const CDesignScene* scene = view != nullptr ? view->GetScene() : nullptr) {
        return scene->GetCurrentFloor();
    }
    // The storey shown in the combo; the first before any is chosen.
    return std::max(m_pFloorCombo->GetSelection(), 0);
}

void CH2DChild::UpdateFloorControls() {
    const int count = static_cast<int>(m_pFloorCombo->GetCount());
    const FloorControlState state = GetFloorControlState(GetCurrentFloor(), std::max(count - 1, 0));
    if (state.selection < count) {
        m_pFloorCombo->SetSelection(state.selection);
    }
    m_pFloorUpButton->Enable(state.upEnabled);
    m_pFloorDownButton->Enable(state.downEnabled);
}

void CH2DChild::SwitchFloor(int level) {
    I3DView* view = m_doc.Get3DView();
    const CDesignScene* scene = view != nullptr ? view->GetScene() : nullptr;
    if (scene == nullptr) {
        return;
    }
    std::vector<float> bases;
    for (int storey = 0; storey <= scene->GetStoreyIndex(); ++storey) {
        bases.push_back(scene->GetStoreyBase(storey));
    }
    const CameraPosition eye = m_doc.GetCameraPosition();
    const std::optional<float> height =
        GetSwitchFloorEyeHeight(bases, scene->GetCurrentFloor(), level, eye.y);
    if (!height) {
        return;
    }
    m_doc.SetCameraPosition(eye.x, *height, eye.z);
    m_doc.UpdateAllViews(kFullRefreshHint);
    m_doc.SetDesignModified(1);
}

void CH2DChild::SetFloorComboTexts(const std::vector<std::string>& texts) {
    m_pFloorCombo->Clear();
    for (const std::string& text : texts) {
        m_pFloorCombo->Append(wxString::FromUTF8(text));
    }
}

int CH2DChild::GetZoomSelection() const {
    return m_pZoomCombo->GetSelection();
}

std::string CH2DChild::GetWallBarText(int controlId) const {
    const auto* edit = wxDynamicCast(FindWindow(controlId), wxTextCtrl);
    return edit != nullptr ? edit->GetValue().utf8_string() : std::string();
}

void CH2DChild::SetWallBarText(int controlId, std::string_view text) {
    if (auto* edit = wxDynamicCast(FindWindow(controlId), wxTextCtrl)) {
        edit->ChangeValue(wxString::FromUTF8(text.data(), text.size()));
    }
}

void CH2DChild::OnZoomSelected(wxCommandEvent& event) {
    SetZoomLevel(event.GetSelection());
}

void CH2DChild::OnZoomStep(wxCommandEvent& event) {
    const int step = event.GetId() == kZoomInButton ? -1 : 1;
    if (const auto level = GetZoomStepTarget(GetZoomSelection(), m_doc.GetPlanZoomFactor(), step)) {
        SetZoomLevel(*level);
    }
}

void CH2DChild::OnZoomReset(wxCommandEvent&) {
    if (GetZoomSelection() != PlanZoom::kDefaultLevel) {
        SetZoomLevel(PlanZoom::kDefaultLevel);
    }
    m_pView->SetFocus();
}

void CH2DChild::OnFloorSelected(wxCommandEvent& event) {
    SwitchFloor(event.GetSelection());
    UpdateFloorControls();
    m_pView->SetFocus();
}

void CH2DChild::OnFloorStep(wxCommandEvent& event) {
    const int step = event.GetId() == kFloorUpButton ? 1 : -1;
    SwitchFloor(m_pFloorCombo->GetSelection() + step);
    UpdateFloorControls();
    m_pView->SetFocus();
}
