#include <array>
#include <cstring>
#include <memory>

#include "document/DesignScene.h"
#include "foundation/OperationProgress.h"
#include "foundation/Prompt.h"
#include "objects/3DObject.h"
#include "objects/LightObject.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/Texture.h"
#include "platform/gfx/TextureClone.h"

namespace {

// The lists a device move walks, in this order.
constexpr std::array<int, 7> kMovedTypes = {kModelObjectType,   kWallObjectType,  kFloorObjectType,
                                            kCeilingObjectType, kPhotoObjectType, kText3DObjectType,
                                            kLightObjectType};

constexpr uint32_t kGridLineBytes = 2 * sizeof(gfx::Vector3);

}  // namespace

void CDesignScene::RecreateDeviceObjects(gfx::Device* device) {
    // The glyphs go first: a light points at the glyph of its type.
    CLightObject::ResetDeviceResources(device);
    std::vector<TextureMove> moves;
    {
        const std::unique_ptr<IOperationProgress> progress =
            OpenProgressWindow({"執行硬體加速切換...", CountAllObjects(), 1, false});
        for (const int type : kMovedTypes) {
            ResetDeviceOfType(type, device, moves, *progress);
        }
    }
    MoveCachedTextures(device);
    moves.clear();
    RecreateSceneBuffers(device);
}

void CDesignScene::ResetDeviceOfType(int type, gfx::Device* device, std::vector<TextureMove>& moves,
                                     IOperationProgress& progress) {
    for (CDesignObject* object : m_objects[type]) {
        static_cast<C3DObject*>(object)->ResetDevice(device, moves);
        progress.StepItNoPump();
    }
}

int CDesignScene::CountAllObjects() const {
    int count = 0;
    for (int type = kModelObjectType; type <= kCeilingObjectType; ++type) {
        count += static_cast<int>(m_objects[type].size());
    }
    return count;
}

void CDesignScene::MoveCachedTextures(gfx::Device* device) {
    // Textures no object wears were left behind by the objects' moves; a
    // later look-up must not hand out one of the old device.
    std::vector<gfx::Texture*> stale;
    for (const std::unique_ptr<TextureCacheEntry>& entry : m_textureCache.GetEntries()) {
        gfx::Texture* texture = entry->GetTexture();
        if (texture != nullptr && texture->GetDevice() != device) {
            stale.push_back(texture);
        }
    }
    for (gfx::Texture* old : stale) {
        gfx::Texture* copy = gfx::CloneTexture(device, old);
        if (copy == nullptr) {
            m_textureCache.Remove(old);
        } else {
            m_textureCache.ReplaceTexture(old, copy);
        }
        // Either way the cache's reference to the old texture is ours now.
        old->Release();
    }
}

void CDesignScene::SetDeviceLight(const CLightObject& light) {
    gfx::Device* device = TargetDevice();
    if (device != nullptr && light.GetNumber() >= 0) {
        device->SetLight(static_cast<uint32_t>(light.GetNumber()), light.GetLight());
    }
}

bool CDesignScene::CreateGridLineBuffers(float length, float width) {
    m_gridLineLength = length;
    m_gridLineWidth = width;
    if (!MakeGridLineBuffers(TargetDevice())) {
        ShowMessage("Set Grid error!", PromptButtons::Ok, PromptIcon::Error);
        return false;
    }
    return true;
}

bool CDesignScene::MakeGridLineBuffers(gfx::Device* device) {
    if (device == nullptr) {
        return false;
    }
    const std::array<std::array<gfx::Vector3, 2>, 2> lines = {{
        {gfx::Vector3{0, 0, 0}, gfx::Vector3{m_gridLineLength, 0, 0}},
        {gfx::Vector3{0, 0, 0}, gfx::Vector3{0, 0, -m_gridLineWidth}},
    }};
    for (std::size_t axis = 0; axis < lines.size(); ++axis) {
        gfx::ResourceRef<gfx::VertexBuffer>& buffer = m_gridLineBuffers[axis];
        if (!buffer || buffer.Get()->GetDevice() != device) {
            gfx::VertexBuffer* created = nullptr;
            buffer.Reset();
            if (gfx::Failed(device->CreateVertexBuffer(kGridLineBytes, 0, gfx::kFvfXyz,
                                                       gfx::Pool::Managed, &created))) {
                return false;
            }
            buffer = gfx::ResourceRef<gfx::VertexBuffer>::Adopt(created);
        }
        void* data = nullptr;
        if (gfx::Failed(buffer.Get()->Lock(0, kGridLineBytes, &data, 0))) {
            return false;
        }
        std::memcpy(data, lines[axis].data(), kGridLineBytes);
        buffer.Get()->Unlock();
    }
    return true;
}

gfx::VertexBuffer* CDesignScene::GetGridLineBuffer(int axis) const {
    return axis == 0 || axis == 1 ? m_gridLineBuffers[axis].Get() : nullptr;
}

void CDesignScene::RecreateSceneBuffers(gfx::Device* device) {
    if (m_gridLineBuffers[0] || m_gridLineBuffers[1]) {
        if (!MakeGridLineBuffers(device)) {
            ShowMessage("Set Grid error!", PromptButtons::Ok, PromptIcon::Error);
        }
    }
    if (m_screenOverlay) {
        MakeScreenOverlay(device);
    }
}
