#include <algorithm>

#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "view3d/HousView.h"
#include "view3d/HousViewInput.h"

namespace {

constexpr int kSavedTypeCount = 7;

}  // namespace

ScenePickQuery CHousView::MakePickQuery(int x, int y) const {
    const CHousViewCamera& camera = m_renderer.GetCamera();
    const C3DCamera& device = m_renderer.GetEngine().GetCamera();
    ScenePickQuery query;
    query.x = x;
    query.y = y;
    query.width = std::max(camera.GetWindowWidth(), 1);
    query.height = std::max(camera.GetWindowHeight(), 1);
    query.view = device.GetView();
    query.projection = device.GetProjection();
    query.eye = camera.GetCameraPosition();
    query.showLights = m_pDoc->Settings().showLight != 0;
    return query;
}

ScenePick CHousView::PickNearestObject(int x, int y) {
    return m_renderer.GetScene().PickNearestObject(MakePickQuery(x, y));
}

void CHousView::ClearSelectedFlags() {
    CDesignScene& scene = m_renderer.GetScene();
    for (int type = 0; type < kSavedTypeCount; ++type) {
        for (CDesignObject* object : scene.Objects(type)) {
            object->SetSelected(0);
        }
    }
}

void CHousView::SelectPickedObject(C3DObject* object, int type) {
    object->SetSelected(1);
    m_renderer.GetScene().SetPickedObject(type, object);
}

bool CHousView::PickObjectAtCursor(int x, int y) {
    m_picked = PickNearestObject(x, y);
    ClearSelectedFlags();
    if (m_picked.object == nullptr) {
        return false;
    }
    SelectPickedObject(m_picked.object, m_picked.type);
    return true;
}

C3DObject* CHousView::PickObjectNoSelect(int x, int y) {
    m_picked = PickNearestObject(x, y);
    ClearSelectedFlags();
    return m_picked.object;
}

ScenePick CHousView::PickAndSelect(int x, int y, int keyState) {
    if (!PickObjectAtCursor(x, y)) {
        return {};
    }
    CDesignScene& scene = m_renderer.GetScene();
    std::vector<CDesignObject*>& list = scene.Selected(m_picked.type);
    const auto found = std::find(list.begin(), list.end(), m_picked.object);
    if ((keyState & view_input::kMkControl) != 0) {
        if (found != list.end()) {
            list.erase(found);
            m_picked.object->SetSelected(0);
        } else {
            list.push_back(m_picked.object);
        }
    } else if (found == list.end()) {
        for (int type = 0; type < kSavedTypeCount; ++type) {
            scene.Selected(type).clear();
        }
        scene.Selected(m_picked.type).push_back(m_picked.object);
    }
    scene.MarkSelectedObjects();
    return m_picked;
}
