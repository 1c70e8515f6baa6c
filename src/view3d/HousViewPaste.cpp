#include "document/CopyBuffer.h"
#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "view3d/HousView.h"

namespace {

// How far each further paste of one copy moves, in plan units.
constexpr float kPasteStep = 20.0f;

}  // namespace

bool CHousView::CopySelectionToBuffer() {
    return m_renderer.GetScene().CopySelectionToBuffer(m_pDoc->GetCopyBuffer());
}

void CHousView::PasteCopyBuffer(const CCopyBuffer& buffer, bool offsetByCount, bool withUndo,
                                int pasteCount, const std::optional<CVector2D>& planPoint) {
    CDesignScene& scene = m_renderer.GetScene();
    float dx = offsetByCount ? static_cast<float>(pasteCount) * kPasteStep : 0.0f;
    float dy = dx;
    if (planPoint) {
        scene.ComputePasteOffsetAtPoint(buffer, planPoint->x, planPoint->y, dx, dy);
    }
    scene.PasteCopyBuffer(buffer, dx, dy, withUndo);
    m_pDoc->Redraw2DView();
    RepaintNow();
}

void CHousView::ClearCopyBuffer() {
    m_pDoc->GetCopyBuffer().Clear();
}
