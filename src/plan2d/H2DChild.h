#pragma once

#include <wx/panel.h>

#include <string>
#include <string_view>

#include "document/DocumentViews.h"

class CH2DView;
class CHousDoc;
class wxButton;
class wxChoice;
class wxCommandEvent;

// The plan's frame: the plan view with the wall bar above it and the control
// bar below (zoom and storeys). It keeps no editing state of its own; what
// its controls show lives in the document.
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

    CH2DChild(wxWindow* parent, CHousDoc& doc);

    CH2DView* GetPlanView() const { return m_pView; }

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
    wxWindow* CreateWallBar();
    wxWindow* CreateControlBar();

    void OnZoomSelected(wxCommandEvent& event);
    void OnZoomStep(wxCommandEvent& event);
    void OnZoomReset(wxCommandEvent& event);

    CHousDoc& m_doc;
    CH2DView* m_pView = nullptr;
    wxChoice* m_pZoomCombo = nullptr;
    wxChoice* m_pFloorCombo = nullptr;
    wxButton* m_pFloorUpButton = nullptr;
    wxButton* m_pFloorDownButton = nullptr;
};
