#include "objects/LightObject.h"

#include "foundation/TextFormat.h"
#include "objects/2DLightIconShape.h"
#include "objects/HistoryRecord.h"
#include "objects/LightObjectShared.h"
#include "objects/LightObjectSnapshot.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/draw/DrawTypes.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/MatrixMath.h"

CLightObject::CLightObject() {
    m_type = kLightObjectType;
    SelectGlyphMesh();
}

CLightObject::CLightObject(const CLightObject& other)
    : C3DObject(other), m_lightIndex(other.m_lightIndex), m_light(other.m_light) {
    PointAtGlyph(other.m_mesh.get());
    m_light.position = GetPosition();
    const gfx::Matrix rotation = GetRotationMatrix();
    m_light.direction = {rotation.m[2][0], rotation.m[2][1], rotation.m[2][2]};
    SelectGlyphMesh();
}

CLightObject::~CLightObject() {
    // The glyph belongs to every light of its type.
    (void)m_mesh.release();
    Disable();
}

std::unique_ptr<CDesignObject> CLightObject::Clone() const {
    return std::make_unique<CLightObject>(*this);
}

void CLightObject::SetNumber(int number) {
    m_lightIndex = number;
    m_name = FormatLightName();
}

std::string CLightObject::FormatLightName() const {
    return FormatString("光源-%d", m_lightIndex);
}

void CLightObject::SetLightType(int type) {
    m_light.type = static_cast<gfx::LightType>(type);
    SelectGlyphMesh();
}

void CLightObject::PointAtGlyph(gfx::Mesh* glyph) {
    (void)m_mesh.release();
    m_mesh.reset(glyph);
}

void CLightObject::SelectGlyphMesh() {
    const int type = GetLightType();
    if (type >= 1 && type <= 3) {
        PointAtGlyph(GetGlyph(type));
    }
    ComputeExtents();
    SetUniformScale(1.0f);
}

gfx::Matrix CLightObject::GetRotationMatrix() const {
    return gfx::MatrixRotationYawPitchRoll(-m_heading, -m_elevation, m_roll);
}

void CLightObject::UpdateLight() {
    m_light.position = GetPosition();
    const gfx::Matrix rotation = GetRotationMatrix();
    m_light.direction = {rotation.m[2][0], rotation.m[2][1], rotation.m[2][2]};
    ApplyLight();
    Enable();
}

// The index goes to the device's light set as it is: which GL light shows it
// is the set's choice.
void CLightObject::ApplyLight() {
    if (m_device != nullptr) {
        m_device->SetLight(static_cast<uint32_t>(m_lightIndex), m_light);
    }
}

void CLightObject::Enable() {
    if (m_device != nullptr) {
        m_device->LightEnable(static_cast<uint32_t>(m_lightIndex), true);
    }
}

void CLightObject::Disable() {
    if (m_device != nullptr) {
        m_device->LightEnable(static_cast<uint32_t>(m_lightIndex), false);
    }
}

void CLightObject::RebuildPlanIcon() {
    SetPlanIcon(nullptr);
    const int type = GetLightType();
    if (type < 1 || type > 3) {
        return;
    }
    const std::string& path = GetLightSharedResources().iconPaths[type - 1];
    if (path.empty()) {
        return;
    }
    auto icon = std::make_unique<C2DLightIconShape>();
    icon->LoadSymbolFile(path);
    icon->SetSize(20, 20);
    icon->SetLevelHeight(m_position[1]);
    icon->SetPosition(m_position[0], m_position[2]);
    SetPlanIcon(std::move(icon));
}

void CLightObject::Draw(draw::DrawContext& dc, int /*rop2*/) const {
    if (m_planIcon) {
        m_planIcon->Draw(dc, draw::R2_COPYPEN);
    }
}

void CLightObject::MoveInPlan(double dx, double dy) {
    C3DObject::MoveInPlan(dx, dy);
    m_light.position = GetPosition();
}

std::string CLightObject::GetDescription() const {
    return FormatLightName() + "   " + C3DObject::GetDescription();
}

void CLightObject::ResetDevice(gfx::Device* device, std::vector<TextureMove>& /*moves*/) {
    m_device = device;
    ApplyLight();
    Enable();
    SelectGlyphMesh();
}

void CLightObject::PushUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list, int value,
                                    int groupCount, int type) {
    PushSnapshotRecord(list, value, groupCount, type, std::make_unique<CLightSnapshot>(*this));
}

void CLightObject::CommitUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list,
                                      std::unique_ptr<HistoryRecord> record, int groupCount) {
    CommitSnapshotRecord(list, std::move(record), groupCount,
                         std::make_unique<CLightSnapshot>(*this));
}

void CLightObject::RestoreTransformFromSnapshot(const CObjectSnapshot& snapshot) {
    m_position = snapshot.position;
    m_roll = snapshot.roll;
    m_heading = snapshot.heading;
    m_elevation = snapshot.elevation;
    if (const auto* light = dynamic_cast<const CLightSnapshot*>(&snapshot)) {
        m_light = light->light;
    }
    SelectGlyphMesh();
}

void CLightObject::RestoreMaterialsFromSnapshot(const CObjectSnapshot& snapshot) {
    if (const auto* light = dynamic_cast<const CLightSnapshot*>(&snapshot)) {
        m_light = light->light;
    }
}
