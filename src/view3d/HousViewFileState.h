#pragma once

#include "document/DesignFileView.h"

class CHousViewRenderer;

// The 3D view as its design files see it: the camera, display flags, grid
// and ambient light of the view's renderer, and what the view keeps only
// for its files: the shadow colour, the view-point table and the object-id
// counter of the last file read.
class CHousViewFileState : public IDesignFileView {
public:
    static constexpr ShadowColor kInitialShadowColor = {0.0f, 0.0f, 0.0f, 0.4f};

    explicit CHousViewFileState(CHousViewRenderer& renderer);

    [[nodiscard]] DesignViewState GetViewState() const override;
    [[nodiscard]] ShadowColor GetShadowColor() const override { return m_shadowColor; }
    [[nodiscard]] const ViewPointTable& GetViewPointTable() const override { return m_viewPoints; }

    // The camera takes its eye and its heading and pitch, which give its
    // direction and up vector; the step sizes stay the camera's own.
    void ApplyViewState(const DesignViewState& state, const AmbientBytes& ambient) override;
    void SetShadowColor(const ShadowColor& color) override { m_shadowColor = color; }
    void SetViewPointTable(const ViewPointTable& table) override { m_viewPoints = table; }
    void SetStoredIdCounter(double counter) override { m_storedIdCounter = counter; }
    [[nodiscard]] double GetStoredIdCounter() const { return m_storedIdCounter; }

private:
    CHousViewRenderer& m_renderer;
    ShadowColor m_shadowColor = kInitialShadowColor;
    ViewPointTable m_viewPoints{};
    double m_storedIdCounter = 0.0;
};
