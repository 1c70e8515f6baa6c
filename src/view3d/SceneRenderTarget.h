#pragma once

#include "document/DesignScene.h"

class CD3DEngine;
class CHousDoc;

// The 3D view's engine and camera as the scene store renders through them:
// the device, the default render states, the grid in the document's 3D grid
// colour, whether the projection is orthographic, and the eye's height.
class CSceneRenderTarget final : public ISceneRenderTarget {
public:
    CSceneRenderTarget(CD3DEngine& engine, const CHousDoc& doc) : m_engine(engine), m_doc(doc) {}

    [[nodiscard]] gfx::Device* GetDevice() const override;
    void SetDefaultRenderStates() override;
    void DrawGrid() override;
    [[nodiscard]] bool IsOrthographic() const override;
    [[nodiscard]] float GetEyeHeight() const override;

private:
    CD3DEngine& m_engine;
    const CHousDoc& m_doc;
};
