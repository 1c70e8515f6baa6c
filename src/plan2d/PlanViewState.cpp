#include "plan2d/PlanViewState.h"

#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "foundation/NavigationKey.h"

namespace {

constexpr int kVkReturn = 13;
constexpr int kVkControl = 17;
constexpr int kVkEscape = 27;
constexpr int kVkDelete = 46;
constexpr int kVkF3 = 114;
constexpr int kVkF7 = 118;
constexpr int kVkF8 = 119;

constexpr const char* kChooseActionPrompt = "請選擇動作";

}  // namespace

CPlanViewState::KeyGroup CPlanViewState::ClassifyPlanKey(int virtualKey) {
    switch (virtualKey) {
        case kVkEscape:
            return kEscapeKey;
        case kVkControl:
            return kControlKey;
        case kVkDelete:
            return kDeleteKey;
        case kVkReturn:
        case 'A':
        case 'G':
        case kVkF3:
        case kVkF7:
        case kVkF8:
            return kCommandKey;
        default:
            return IsNavigationKey(virtualKey) ? kMoveKey : kOtherKey;
    }
}

void CPlanViewState::StoreCameraPlanPose(bool redraw) {
    m_doc.StoreCameraPlanPose();
    if (redraw) {
        m_doc.Redraw2DView();
    }
}

void CPlanViewState::ResetSelectionState() {
    m_cursorPoint = CVector2D(-1.0, -1.0);
}

void CPlanViewState::EndTool() {
    m_doc.SetEditMode(0);
    ResetSelectionState();
    m_doc.UpdateAllViews(kFullRefreshHint);
}

bool CPlanViewState::OnKeyDown(int virtualKey, int /*repeatCount*/, int /*flags*/) {
    switch (ClassifyPlanKey(virtualKey)) {
        case kEscapeKey:
            if (m_doc.GetShowMode() == 0 && !m_doc.IsDrawingInProgress()) {
                m_doc.SetStatusText(kChooseActionPrompt);
                EndTool();
            }
            return true;
        case kCommandKey:
            // The function keys belong to the main frame's accelerators.
            if (virtualKey == kVkF3 || virtualKey == kVkF7 || virtualKey == kVkF8) {
                return false;
            }
            if (virtualKey == kVkReturn && !m_doc.IsDrawingInProgress()) {
                EndTool();
            } else if (I3DView* view = m_doc.Get3DView()) {
                if (virtualKey == 'A') {
                    view->ToggleWireframe();
                } else if (virtualKey == 'G') {
                    view->ToggleGrid();
                }
            }
            return true;
        default:
            // Ctrl, Delete and the move keys are the plan input's.
            return false;
    }
}
