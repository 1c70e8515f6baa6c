#include "view3d/SceneRenderTarget.h"

#include "document/HousDoc.h"
#include "view3d/D3DEngine.h"

gfx::Device* CSceneRenderTarget::GetDevice() const {
    return m_engine.GetDevice();
}

void CSceneRenderTarget::SetDefaultRenderStates() {
    m_engine.SetDefaultRenderStates();
}

void CSceneRenderTarget::DrawGrid() {
    m_engine.DrawGrid(m_doc.Settings().grid3DColor);
}

bool CSceneRenderTarget::IsOrthographic() const {
    return m_engine.GetCamera().GetProjectionKind() != 0;
}

float CSceneRenderTarget::GetEyeHeight() const {
    return m_engine.GetCamera().GetEye().y;
}
