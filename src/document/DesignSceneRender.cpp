#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "objects/3DObject.h"
#include "objects/DocumentServices.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/gfx/Device.h"

namespace {

// Photos whose map kind is a shadow map are drawn with the translucent ones.
constexpr int kShadowMapKind = 2;

// The objects a pass may draw at all: meshed, shown and on the level.
bool IsDrawable(const C3DObject& object, int level) {
    return object.GetMesh() != nullptr && object.IsHidden() == 0 && object.GetFloorIndex() == level;
}

bool IsSurfaceType(int type) {
    return type == kWallObjectType || type == kFloorObjectType || type == kCeilingObjectType;
}

}  // namespace

CDesignScene::DisplaySwitches CDesignScene::GetDisplaySwitches() const {
    DisplaySwitches show;
    if (m_pDoc != nullptr) {
        const HousSettings& settings = m_pDoc->Settings();
        show.mirror = settings.showMirror != 0;
        show.texture = settings.showTexture != 0;
        show.light = settings.showLight != 0;
    }
    return show;
}

void CDesignScene::RenderScene() {
    if (m_renderTarget == nullptr || m_renderTarget->GetDevice() == nullptr) {
        return;
    }
    const DisplaySwitches show = GetDisplaySwitches();
    const bool orthographic = m_renderTarget->IsOrthographic();
    const bool mirrors = !orthographic && show.mirror;
    const bool shadows = AreShadowsDrawn();
    m_renderTarget->SetDefaultRenderStates();
    if (!orthographic) {
        RenderCameraAttachedPhotos();
    }
    for (int level = m_floorLevelIndex; level >= 0; --level) {
        RenderMirrorWalls(level, show, orthographic);
        if (mirrors) {
            RenderMirrorImagesOfLevel(level, 1, nullptr);
        }
        SetBlackAlphaPass(1);
        RenderPass(Pass::All, kFloorObjectType, level, show);
        SetBlackAlphaPass(0);
    }
    m_renderTarget->DrawGrid();
    for (int level = m_floorLevelIndex; level >= 0; --level) {
        RenderPass(Pass::Opaque, kModelObjectType, level, show);
        RenderPass(Pass::All, kCeilingObjectType, level, show);
        RenderPass(Pass::Opaque, kWallObjectType, level, show);
        RenderPass(Pass::Opaque, kText3DObjectType, level, show);
        RenderPass(Pass::All, kFloorObjectType, level, show);
        RenderPass(Pass::Opaque, kPhotoObjectType, level, show);
    }
    if (show.light) {
        RenderLightGlyphs();
    }
    for (int level = m_floorLevelIndex; level >= 0; --level) {
        m_renderTarget->SetDefaultRenderStates();
        for (const int type :
             {kModelObjectType, kWallObjectType, kText3DObjectType, kPhotoObjectType}) {
            RenderPass(Pass::Translucent, type, level, show);
        }
        // The see-through subsets darken what lies behind them in black,
        // then are drawn in colour over it.
        SetBlackAlphaPass(1);
        for (const int type : {kModelObjectType, kWallObjectType, kText3DObjectType}) {
            RenderPass(Pass::Translucent, type, level, show);
        }
        SetBlackAlphaPass(0);
        for (const int type :
             {kModelObjectType, kWallObjectType, kText3DObjectType, kPhotoObjectType}) {
            RenderPass(Pass::Translucent, type, level, show);
        }
        if (shadows) {
            m_renderTarget->GetDevice()->SetTexture(0, nullptr);
            for (const int type :
                 {kWallObjectType, kModelObjectType, kText3DObjectType, kCeilingObjectType}) {
                RenderShadowsOfType(type, level);
            }
        }
    }
    if (shadows) {
        DrawShadowOverlay(*m_renderTarget->GetDevice());
    }
}

void CDesignScene::RenderCameraAttachedPhotos() {
    for (CDesignObject* object : m_objects[kPhotoObjectType]) {
        auto* photo = static_cast<C3DObject*>(object);
        if (photo->IsCameraAttached() != 0 && photo->GetMesh() != nullptr) {
            photo->Render();
        }
    }
}

void CDesignScene::RenderMirrorWalls(int level, const DisplaySwitches& show, bool orthographic) {
    for (CDesignObject* object : m_objects[kWallObjectType]) {
        auto* wall = static_cast<C3DObject*>(object);
        if (!IsDrawable(*wall, level) || wall->IsTranslucent() == 0 || wall->IsMirror() == 0) {
            continue;
        }
        if (!orthographic && show.mirror) {
            wall->RenderMirrorPass();
            RenderMirrorImagesOfLevel(level, 0, wall);
        }
        wall->Render();
    }
}

void CDesignScene::RenderMirrorImagesOfLevel(int level, int floorsOnly, C3DObject* surface) {
    gfx::Device* device = m_renderTarget->GetDevice();
    for (const int type : {kFloorObjectType, kCeilingObjectType, kWallObjectType, kText3DObjectType,
                           kPhotoObjectType}) {
        for (CDesignObject* object : m_objects[type]) {
            auto* reflected = static_cast<C3DObject*>(object);
            if (reflected->IsHidden() != 0 || reflected->GetMesh() == nullptr ||
                reflected->GetMirrorImages() == 0 ||
                GetFloorLevelOfHeight(reflected->GetPosition().y, type) != level) {
                continue;
            }
            reflected->RenderMirrorImages(device, level, floorsOnly, surface);
        }
    }
}

void CDesignScene::SetBlackAlphaPass(int flag) {
    m_blackAlphaPass = flag;
    for (const int type : {kModelObjectType, kPhotoObjectType, kWallObjectType, kFloorObjectType}) {
        for (CDesignObject* object : m_objects[type]) {
            static_cast<C3DObject*>(object)->SetDepthPass(flag);
        }
    }
}

void CDesignScene::RenderPass(Pass pass, int type, int level, const DisplaySwitches& show) {
    if (type == kPhotoObjectType && pass != Pass::All && !show.texture) {
        return;
    }
    const bool merging = m_mergeSurfaces && pass != Pass::Translucent && IsSurfaceType(type);
    // Mergeable objects are wholly opaque: a black alpha pass draws nothing
    // of them.
    const bool depthPass = m_blackAlphaPass != 0 && type != kCeilingObjectType;
    if (merging && !depthPass && GetDocumentServices().HasActiveDocument()) {
        m_mergedSurfaces.Draw(*TargetDevice(), type, level, m_objects[type], show.texture);
    }
    for (CDesignObject* item : m_objects[type]) {
        auto* object = static_cast<C3DObject*>(item);
        if (!IsDrawable(*object, level) ||
            (merging && CMergedSurfaces::CanMerge(*object, show.texture))) {
            continue;
        }
        const bool seeThrough = object->IsTranslucent() != 0 || object->GetBlend() != 0 ||
                                object->GetMapKind() == kShadowMapKind;
        const bool attached = object->IsCameraAttached() != 0;
        if (pass == Pass::Opaque && (seeThrough || attached)) {
            continue;
        }
        if (pass == Pass::Translucent &&
            (!seeThrough || attached || (type == kWallObjectType && object->IsMirror() != 0))) {
            continue;
        }
        object->Render();
    }
}

void CDesignScene::RenderLightGlyphs() {
    for (CDesignObject* light : m_objects[kLightObjectType]) {
        static_cast<C3DObject*>(light)->Render();
    }
}
