#pragma once

#include <wx/panel.h>

#include <string>
#include <string_view>

#include "document/DocumentViews.h"
#include "plan2d/PlanFrameRules.h"

class CH2DView;
class CHousDoc;
class wxBitmapButton;
class wxChoice;
class wxCommandEvent;
class wxTextCtrl;
class wxToolBar;
class wxUpdateUIEvent;

// The plan's frame: the plan view with its six bars, the settings button,
// the window tools, the wall bar and the drawing tools above it, the zoom
// and storey controls and the display toggles below. It keeps no editing
// state of its own; what its controls show lives in the document. Commands
// shared with the menus go to the main frame as menu commands.
class CH2DChild : public wxPanel, public IPlanFrame {
public:
    // Control bar; the wall bar's edits are IPlanFrame's.
    static constexpr int kZoomOutButton = 1136;
    static constexpr int kZoomResetButton = 1137;
    static constexpr int kZoomInButton = 1138;
    static constexpr int kFloorCombo = 1146;
    static constexpr int kZoomCombo = 1147;
    static constexpr int kFloorUpButton = 1152;
    static constexpr int kFloorDownButton = 1153;
    // Wall bar.
    static constexpr int kFixedAngleButton = 1228;
    static constexpr int kFixedAngleEdit = 1310;
    // Settings bar and its menu.
    static constexpr int kSettingsButton = 1251;
    static constexpr int kEditSettingsItem = 9;
    static constexpr int kViewSettingsItem = 194;
    // Tool bars.
    static constexpr int kWindowToolBar = 528;
    static constexpr int kDrawingToolBar = 529;
    static constexpr int kInsertPictureTool = 2010;

    CH2DChild(wxWindow* parent, CHousDoc& doc);

    // Where the frame opens on this desktop.
    static PlanFrameRect GetInitialRect();

    CH2DView* GetPlanView() const { return m_pView; }
    // Shows or hides the six bars around the plan view.
    void ShowBars(bool show);

    // Every toggle of the display bar shows the state of its layer again.
    void UpdateDisplayToggles();
    // The zoom combo selects the level of the plan scale; none when no
    // level has it.
    void UpdateZoomCombo();
    // Moves the camera to storey level (0 the lowest) and shows it.
    void SwitchFloor(int level);

    // IPlanFrame
    // Zoom level 0 (2000 %) .. 31 (20 %), clamped; the plan view then has
    // the focus.
    void SetZoomLevel(int index) override;
    // The current storey selected in the floor combo; the buttons up and down
    // a storey greyed at the top and the first storey.
    void UpdateFloorControls() override;
    void SetFloorComboTexts(const std::vector<std::string>& texts) override;
    int GetZoomSelection() const override;
    std::string GetWallBarText(int controlId) const override;
    void SetWallBarText(int controlId, std::string_view text) override;

private:
    wxWindow* CreateSettingsBar();
    wxToolBar* CreateWindowToolBar();
    wxWindow* CreateWallBar();
    wxToolBar* CreateDrawingToolBar();
    wxWindow* CreateControlBar();
    wxWindow* CreateDisplayBar();

    // The main frame runs the command as if chosen from its menu.
    void SendMainFrameCommand(int command);
    // The plan view's current storey: the camera's, or the combo's without a scene.
    int GetCurrentFloor() const;

    void OnSettingsButton(wxCommandEvent& event);
    void OnCreationTool(wxCommandEvent& event);
    void OnGrowStructure(wxCommandEvent& event);
    void OnForwardedTool(wxCommandEvent& event);
    void OnToolDropDown(wxCommandEvent& event);
    void OnSubModeItem(wxCommandEvent& event);
    void OnInsertPicture(wxCommandEvent& event);
    void OnUpdateToolButton(wxUpdateUIEvent& event);
    void OnUpdateDrawingBarCommand(wxUpdateUIEvent& event);
    void OnThicknessText(wxCommandEvent& event);
    void OnFixedAngleText(wxCommandEvent& event);
    void OnFixedAngleButton(wxCommandEvent& event);
    void OnUpdateFixedAngle(wxUpdateUIEvent& event);
    void OnDisplayToggle(wxCommandEvent& event);
    void RunDisplayToggle(int buttonId);
    void OnZoomSelected(wxCommandEvent& event);
    void OnZoomStep(wxCommandEvent& event);
    void OnZoomReset(wxCommandEvent& event);
    void OnFloorSelected(wxCommandEvent& event);
    void OnFloorStep(wxCommandEvent& event);

    CHousDoc& m_doc;
    CH2DView* m_pView = nullptr;
    wxToolBar* m_pWindowToolBar = nullptr;
    wxToolBar* m_pDrawingToolBar = nullptr;
    wxBitmapButton* m_pFixedAngleButton = nullptr;
    wxTextCtrl* m_pFixedAngleEdit = nullptr;
    // The picture the fixed-angle button shows, drawn again only on a change.
    int m_fixedAngleBitmap = 0;
    wxChoice* m_pZoomCombo = nullptr;
    wxChoice* m_pFloorCombo = nullptr;
    wxBitmapButton* m_pFloorUpButton = nullptr;
    wxBitmapButton* m_pFloorDownButton = nullptr;
    // The picture file chosen last in this run.
    std::string m_lastPicturePath;
};
