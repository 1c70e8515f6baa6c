#include "document/HousDoc.h"
#include "foundation/Prompt.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/desktop/WebLink.h"
#include "view3d/HousView.h"

namespace {

constexpr int kShowEditMode = 950;

}  // namespace

bool CHousView::IsInShowMode() const {
    return m_pDoc->GetShowMode() != 0 || m_pDoc->GetEditMode() == kShowEditMode;
}

// The object the click picked, not an older picked object of another
// type, is the one whose link opens. Lights carry no link.
void CHousView::OpenPickedObjectLink() {
    const C3DObject* object = m_picked.object;
    if (object == nullptr || m_picked.type == kLightObjectType) {
        return;
    }
    const std::string& link = object->GetWebLink();
    if (!link.empty() && !desktop::OpenWebLink(link)) {
        ShowMessage("無法開啟網站!");
    }
}
