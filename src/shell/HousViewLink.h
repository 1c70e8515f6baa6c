#pragma once

#include "shell/View3DLink.h"

class CHousView;
class wxAuiManager;

// The main frame's link to the 3D view in its pane.
class CHousViewLink : public I3DViewLink {
public:
    CHousViewLink(CHousView& view, wxAuiManager& panes);

    void GetClientSize(int& width, int& height) const override;
    void ResizeFrameBy(int dx, int dy) override;
    void SetWireframe(bool wireframe) override;
    void SetClearColor(uint8_t red, uint8_t green, uint8_t blue) override;
    // Designs are not written or cleared by the view yet: a save reports that
    // nothing was written, and there is no scene to empty.
    bool SaveDesign(int mode) override;
    void ClearDesign() override;

private:
    CHousView& m_view;
    wxAuiManager& m_panes;
};
