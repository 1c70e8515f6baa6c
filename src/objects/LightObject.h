#pragma once

#include <memory>
#include <string>
#include <vector>

#include "objects/3DObject.h"
#include "platform/gfx/LightMaterial.h"

namespace gfx {
class Device;
}

// A light placed in the design: a device light under the light's index, a
// shared glyph mesh of its type as its 3D body, and a plan icon. Indices
// are handed to the device's light set, which decides which GL lights show
// them.
class CLightObject : public C3DObject {
public:
    CLightObject();
    // Shares the source's glyph.
    CLightObject(const CLightObject& other);
    ~CLightObject() override;

    std::unique_ptr<CDesignObject> Clone() const override;

    // The number is the light's device index; the name follows it.
    void SetNumber(int number) override;
    int GetNumber() const override { return m_lightIndex; }
    [[nodiscard]] std::string FormatLightName() const;

    [[nodiscard]] int GetLightType() const { return static_cast<int>(m_light.type); }
    void SetLightType(int type);
    [[nodiscard]] const gfx::Light& GetLight() const { return m_light; }
    // The settings the property pages edit; UpdateLight sends them.
    gfx::Light& LightSettings() { return m_light; }

    // Points the mesh at the shared glyph of the type; other types keep
    // the mesh they have.
    void SelectGlyphMesh();
    // Takes position and direction from the placement, then sets and
    // enables the device light.
    void UpdateLight();
    void ApplyLight();
    void Enable();
    void Disable();
    void RebuildPlanIcon();

    void Render() override;
    void Draw(draw::DrawContext& dc, int rop2) const override;
    HRESULT Write(CBinaryWriter& writer) const override;
    HRESULT Read(CBinaryReader& reader) override;

    void MoveInPlan(double dx, double dy) override;
    std::string GetDescription() const override;
    // Sets the light on the new device and re-points at the glyph, which
    // ResetDeviceResources has moved.
    void ResetDevice(gfx::Device* device, std::vector<TextureMove>& moves) override;

    void PushUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list, int value,
                          int groupCount, int type) override;
    void CommitUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list,
                            std::unique_ptr<HistoryRecord> record, int groupCount) override;

    // Placement and light settings; the glyph follows the type.
    void RestoreTransformFromSnapshot(const CObjectSnapshot& snapshot) override;
    // The light settings alone.
    void RestoreMaterialsFromSnapshot(const CObjectSnapshot& snapshot) override;

    // A light has no storey, colours of its own, outline, shadow or
    // translucency.
    void UpdateFloorIndex() override {}
    void RestoreColoursFromSnapshot(const CObjectSnapshot& /*snapshot*/) override {}
    void UpdatePlanOutline() override {}
    void BuildShadowVolume() override {}
    void UpdateTranslucency() override {}

    // Icon paths, glyphs and gizmo buffers for the whole run; later calls
    // return at once. A glyph file that cannot be read is reported and
    // lights of that type have no glyph.
    static void InitSharedResources(gfx::Device* device);
    static void RebuildRingBuffers(gfx::Device* device);
    // Moves the glyphs and gizmo buffers to a new device.
    static void ResetDeviceResources(gfx::Device* device);
    // At exit: lets go of everything InitSharedResources made.
    static void ReleaseSharedResources();
    [[nodiscard]] static gfx::Mesh* GetGlyph(int type);

private:
    // The mesh slot holds the shared glyph but never owns it.
    void PointAtGlyph(gfx::Mesh* glyph);
    [[nodiscard]] gfx::Matrix GetRotationMatrix() const;
    void DrawGizmo(gfx::Device& device) const;

    int m_lightIndex = 0;
    gfx::Light m_light;
};
