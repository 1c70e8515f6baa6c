#include "objects/3DObject.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string_view>
#include <utility>

#include "foundation/DCStateSaver.h"
#include "foundation/GeometryMath.h"
#include "foundation/MaterialPresets.h"
#include "foundation/MeshVertex.h"
#include "foundation/PathUtils.h"
#include "foundation/TextFormat.h"
#include "objects/2DPictureShape.h"
#include "objects/DocumentServices.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/SceneServices.h"
#include "platform/draw/DrawContext.h"
#include "platform/draw/Pen.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/MeshIntersect.h"
#include "platform/gfx/VectorMath.h"

namespace {

constexpr std::size_t kMaxPickHits = 16;
constexpr float kTurn = static_cast<float>(kTwoPi);

// One turn off an angle at or past a full turn, one on below zero; once.
float WrapOnce(float angle) {
    if (angle >= kTurn) {
        return angle - kTurn;
    }
    if (angle < 0.0f) {
        return angle + kTurn;
    }
    return angle;
}

// An angle in [0, 2 pi); what lies within 0.0008 of zero is zero, so that
// turning a group back and forth does not leave crumbs of angle.
float NormaliseTurn(float angle) {
    constexpr float kCrumb = 0.0008f;
    if (std::fabs(angle) < kCrumb) {
        return 0.0f;
    }
    angle = std::fmod(angle, kTurn);
    if (angle < 0.0f) {
        angle += kTurn;
    }
    return angle < kCrumb ? 0.0f : angle;
}

template <typename Index>
void SwapLastTwoCorners(std::span<Index> indices) {
    for (std::size_t i = 0; i + 2 < indices.size(); i += 3) {
        std::swap(indices[i + 1], indices[i + 2]);
    }
}

}  // namespace

C3DObject::C3DObject()
    : m_objectMaterial(*GetDefaultMaterial()),
      m_world(gfx::MatrixIdentity()),
      m_inverseWorld(gfx::MatrixIdentity()) {}

C3DObject::C3DObject(const C3DObject& other)
    : CDesignObject(other),
      m_device(other.m_device),
      m_heading(other.m_heading),
      m_elevation(other.m_elevation),
      m_roll(other.m_roll),
      m_scale(other.m_scale),
      m_position(other.m_position),
      m_boxMax(other.m_boxMax),
      m_boxMin(other.m_boxMin),
      m_filePath(other.m_filePath),
      m_name(other.m_name),
      m_materialCount(other.m_materialCount),
      m_basePartCount(other.m_basePartCount),
      m_extent(other.m_extent),
      m_realSize(other.m_realSize),
      m_mirrorImages(other.m_mirrorImages),
      m_shadow(other.m_shadow),
      m_sourceTextureNames(other.m_sourceTextureNames),
      m_textureNames(other.m_textureNames),
      m_objectMaterial(other.m_objectMaterial),
      m_price(other.m_price),
      m_webLink(other.m_webLink),
      m_triggerSound(other.m_triggerSound),
      m_note(other.m_note),
      m_shadowParameters(other.m_shadowParameters),
      m_shadowLights(other.m_shadowLights),
      m_world(other.m_world),
      m_inverseWorld(other.m_inverseWorld),
      m_planSymbolShown(other.m_planSymbolShown),
      m_planOutlineShown(other.m_planOutlineShown),
      m_outlineRecords(other.m_outlineRecords),
      m_mirrorImagesCopy(other.m_mirrorImages),
      m_shadowCopy(other.m_shadow) {
    if (other.m_planIcon) {
        std::unique_ptr<CDesignObject> copy = other.m_planIcon->Clone();
        SetPlanIcon(
            std::unique_ptr<C2DPictureShape>(static_cast<C2DPictureShape*>(copy.release())));
        if (GetType() != kLightObjectType && other.GetType() != kLightObjectType) {
            UpdatePlanIcon();
        }
    }
    CopyMaterialsFrom(other);
}

C3DObject::~C3DObject() = default;

void C3DObject::SetPlanIcon(std::unique_ptr<C2DPictureShape> icon) {
    m_planIcon = std::move(icon);
    if (m_planIcon) {
        m_planIcon->SetOwnerObject(this);
    }
}

void C3DObject::ResizeMaterials(int count) {
    const auto size = static_cast<std::size_t>(count);
    m_materialCount = count;
    m_materials.assign(size, *GetDefaultMaterial());
    m_sourceMaterials.assign(size, *GetDefaultMaterial());
    m_textures.assign(size, nullptr);
    m_sourceTextures.assign(size, nullptr);
    m_bumpTextures.assign(size, {});
    m_mappingRecords.assign(size, {});
    m_textureNames.assign(size, kNoTextureName);
    m_sourceTextureNames.assign(size, kNoTextureName);
}

void C3DObject::SetMesh(std::unique_ptr<gfx::Mesh> mesh) {
    m_mesh = std::move(mesh);
    ComputeExtents();
}

double C3DObject::GetLevelHeight() const {
    return m_position[1] + 0.5 * (m_boxMax.y - m_boxMin.y);
}

void C3DObject::SavePosition() {
    m_savedPosition = GetPosition();
}

CIntBoundingBox2D C3DObject::GetBoundingBox() const {
    // std::lround rounds halves away from zero.
    const auto x = static_cast<int32_t>(std::lround(m_position[0]));
    const auto y = static_cast<int32_t>(std::lround(-m_position[2]));
    return {0, x, y, x, y};
}

CBoundingBox3D C3DObject::GetWorldBoundingBox() const {
    CBoundingBox3D box;
    if (!m_mesh) {
        return box;
    }
    gfx::Vector3 min;
    gfx::Vector3 max;
    m_mesh->ComputeBoundingBox(min, max);
    for (const gfx::Vector3& corner : gfx::BoxCorners(min, max)) {
        const gfx::Vector4 p = gfx::Vec3Transform(corner, m_world);
        box.AddPoint(p.x, p.y, p.z);
    }
    return box;
}

void C3DObject::RotateAroundPoint(const gfx::Vector3& pivot, const std::array<float, 6>& deltas) {
    const gfx::Matrix inverseOld = gfx::MatrixRotationY(m_heading) *
                                   gfx::MatrixRotationX(m_elevation) *
                                   gfx::MatrixRotationZ(-m_roll);
    m_heading = NormaliseTurn(m_heading - deltas[3]);
    m_elevation = NormaliseTurn(m_elevation - deltas[4]);
    m_roll = NormaliseTurn(m_roll - deltas[5]);
    const gfx::Matrix rotation = gfx::MatrixRotationYawPitchRoll(-m_heading, -m_elevation, m_roll);
    const gfx::Vector3 offset =
        gfx::Vec3TransformNormal(GetPosition() - pivot, inverseOld * rotation);
    SetPositionVector(pivot + offset + gfx::Vector3{deltas[0], deltas[1], deltas[2]});
    UpdateFloorIndex();
}

void C3DObject::UpdateFloorIndex() {
    if (g_pCurrentScene != nullptr) {
        m_floorIndex = g_pCurrentScene->GetFloorLevelOfHeight(m_position[1], GetType());
    }
}

void C3DObject::MoveInPlan(double dx, double dy) {
    if (IsSelected() == 0) {
        return;
    }
    if (m_moveAxisMode == 0 || m_moveAxisMode == 1) {
        m_position[0] = static_cast<float>(m_position[0] + dx);
    }
    if (m_moveAxisMode == 0 || m_moveAxisMode == 2) {
        m_position[2] = static_cast<float>(m_position[2] - dy);
    }
}

std::string C3DObject::GetDescription() const {
    constexpr double kDegrees = 57.295776;
    return FormatString("位置(%.1f, %.1f) 高度%.1f公分 方向角%.1f度 仰角%.1f度 側角%.1f度",
                        static_cast<double>(m_position[0]), static_cast<double>(-m_position[2]),
                        static_cast<double>(m_position[1]), m_heading * kDegrees,
                        m_elevation * kDegrees, m_roll * kDegrees);
}

void C3DObject::UpdatePlanOutline() {
    if (m_outlineRecords.empty() || m_planSymbolShown == 0 || m_planOutlineShown == 0) {
        return;
    }
    const gfx::Matrix world = BuildWorldMatrixDirect();
    m_planOutline.resize(m_outlineRecords.size());
    const float centreY = (m_boxMin.y + m_boxMax.y) / 2.0f;
    for (std::size_t k = 0; k < m_outlineRecords.size(); ++k) {
        const OutlineRecord& record = m_outlineRecords[k];
        const gfx::Vector3 facing = gfx::Vec3TransformNormal(record.facing, world);
        CSegment2F& segment = m_planOutline[k];
        if (facing.y < 0.0f) {
            // A zero segment is not drawn.
            segment = CSegment2F();
            continue;
        }
        const gfx::Vector4 a = gfx::Vec3Transform(
            {record.pointA.x, centreY + record.pointA.y, record.pointA.z}, world);
        const gfx::Vector4 b = gfx::Vec3Transform(
            {record.pointB.x, centreY + record.pointB.y, record.pointB.z}, world);
        segment = CSegment2F(CVector2F(a.x, -a.z), CVector2F(b.x, -b.z));
    }
}

void C3DObject::UpdateTranslucency() {
    m_translucent = std::any_of(m_materials.begin(), m_materials.end(),
                                [](const gfx::Material& m) { return m.diffuse.a < 1.0f; })
                        ? 1
                        : 0;
}

std::string C3DObject::GetLibraryFolderName() const {
    std::string folder = GetPathFolder(m_filePath);
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) {
        folder.pop_back();
    }
    return GetPathFileName(folder);
}

void C3DObject::UpdatePlanIcon() {
    if (!m_planIcon) {
        return;
    }
    const gfx::Vector3 centre = {(m_boxMin.x + m_boxMax.x) / 2.0f, 0.0f,
                                 (m_boxMin.z + m_boxMax.z) / 2.0f};
    const gfx::Vector4 p = gfx::Vec3Transform(centre, BuildWorldMatrixDirect());
    m_planIcon->SetAngle(m_heading);
    m_planIcon->SetPosition(p.x, p.z);
}

void C3DObject::SetPosition(float x, float y, float z) {
    m_position = {x, y, z};
    UpdateWorldMatrix();
}

void C3DObject::SetPositionVector(const gfx::Vector3& position) {
    SetPosition(position.x, position.y, position.z);
}

gfx::Vector3 C3DObject::GetPosition() const {
    return {m_position[0], m_position[1], m_position[2]};
}

void C3DObject::SetRotation(float heading, float elevation, float roll) {
    m_heading = WrapOnce(heading);
    m_elevation = WrapOnce(elevation);
    m_roll = WrapOnce(roll);
    UpdateWorldMatrix();
}

void C3DObject::SetUniformScale(float factor) {
    SetScale(factor, factor, factor);
}

void C3DObject::SetScale(float fx, float fy, float fz) {
    m_realSize = {fx * m_extent[0], fz * m_extent[1], fy * m_extent[2]};
    UpdateWorldMatrix();
}

void C3DObject::MoveCentreTo(const gfx::Vector3& target) {
    MoveAnchorTo(target, 0.5f);
}

void C3DObject::MoveAnchorTo(const gfx::Vector3& target, float fraction) {
    if (!m_mesh) {
        return;
    }
    gfx::Vector3 min;
    gfx::Vector3 max;
    m_mesh->ComputeBoundingBox(min, max);
    const gfx::Vector3 anchor = {(min.x + max.x) / 2.0f, min.y + fraction * (max.y - min.y),
                                 (min.z + max.z) / 2.0f};
    SetPositionVector(target - ScaleRotatePoint(anchor));
}

std::array<float, 6> C3DObject::GetPlacement() const {
    return {m_position[0], m_position[1], m_position[2], m_roll, m_elevation, m_heading};
}

void C3DObject::UpdateWorldMatrix() {
    // An axis without extent keeps its scale, so a flat mesh keeps its size.
    if (m_extent[0] != 0.0f) {
        m_scale[0] = m_realSize[0] / m_extent[0];
    }
    if (m_extent[2] != 0.0f) {
        m_scale[1] = m_realSize[2] / m_extent[2];
    }
    if (m_extent[1] != 0.0f) {
        m_scale[2] = m_realSize[1] / m_extent[1];
    }
    SetWorldMatrix(BuildWorldMatrixDirect());
}

void C3DObject::SetWorldMatrix(const gfx::Matrix& world) {
    m_world = world;
    m_inverseWorld = gfx::MatrixInverse(world);
}

gfx::Matrix C3DObject::BuildWorldMatrixDirect() const {
    return GetScaleRotationMatrix() *
           gfx::MatrixTranslation(m_position[0], m_position[1], m_position[2]);
}

gfx::Matrix C3DObject::GetScaleRotationMatrix() const {
    return gfx::MatrixScaling(m_scale[0], m_scale[1], m_scale[2]) *
           gfx::MatrixRotationYawPitchRoll(-m_heading, -m_elevation, m_roll);
}

gfx::Vector3 C3DObject::ScaleRotatePoint(const gfx::Vector3& point) const {
    return gfx::Vec3TransformNormal(point, GetScaleRotationMatrix());
}

gfx::Vector3 C3DObject::LocalToWorld(const gfx::Vector3& point) const {
    const gfx::Vector4 p = gfx::Vec3Transform(point, BuildWorldMatrixDirect());
    return {p.x, p.y, p.z};
}

void C3DObject::ComputeExtents() {
    if (!m_mesh) {
        return;
    }
    m_mesh->ComputeBoundingBox(m_boxMin, m_boxMax);
    m_extent = {m_boxMax.x - m_boxMin.x, m_boxMax.z - m_boxMin.z, m_boxMax.y - m_boxMin.y};
}

double C3DObject::GetMaxSquaredDistanceTo(const gfx::Vector3& point) const {
    double largest = 0.0;
    for (const gfx::Vector3& corner : gfx::BoxCorners(m_boxMin, m_boxMax)) {
        largest =
            std::max(largest, static_cast<double>(gfx::Vec3LengthSq(LocalToWorld(corner) - point)));
    }
    return largest;
}

void C3DObject::CentreMesh() {
    if (!m_mesh) {
        return;
    }
    gfx::Vector3 min;
    gfx::Vector3 max;
    m_mesh->ComputeBoundingBox(min, max);
    OffsetMeshPositions((min + max) * 0.5f);
}

void C3DObject::CentreMeshOnFloor() {
    if (!m_mesh) {
        return;
    }
    gfx::Vector3 min;
    gfx::Vector3 max;
    m_mesh->ComputeBoundingBox(min, max);
    OffsetMeshPositions({(min.x + max.x) * 0.5f, min.y, (min.z + max.z) * 0.5f});
}

void C3DObject::Mirror(int axis) {
    if (axis != 1 && axis != 2) {
        return;
    }
    if (m_mesh) {
        gfx::Vector3 min;
        gfx::Vector3 max;
        m_mesh->ComputeBoundingBox(min, max);
        const std::span<MeshVertex> vertices = m_mesh->EditVerticesAs<MeshVertex>();
        for (MeshVertex& v : vertices) {
            if (axis == 1) {
                v.x = (min.x + max.x) - v.x;
                v.nx = -v.nx;
            } else {
                v.z = (min.z + max.z) - v.z;
                v.nz = -v.nz;
            }
        }
        // Mirroring turns the winding round; swapping two corners keeps
        // the faces front-facing.
        if (m_mesh->Has32BitIndices()) {
            SwapLastTwoCorners(m_mesh->EditIndices32());
        } else {
            SwapLastTwoCorners(m_mesh->EditIndices16());
        }
    }
    for (OutlineRecord& record : m_outlineRecords) {
        if (axis == 1) {
            record.pointA.x = -record.pointA.x;
            record.pointB.x = -record.pointB.x;
        } else {
            record.pointA.z = -record.pointA.z;
            record.pointB.z = -record.pointB.z;
        }
    }
    if (m_planIcon) {
        m_planIcon->MirrorSymbol(axis);
    }
}

namespace {

// The direction through the window point in view coordinates.
gfx::Vector3 PixelRayInView(const gfx::Matrix& projection, int x, int y, int width, int height) {
    return {
        (2.0f * static_cast<float>(x) / static_cast<float>(width) - 1.0f) / projection.m[0][0],
        -(2.0f * static_cast<float>(y) / static_cast<float>(height) - 1.0f) / projection.m[1][1],
        1.0f};
}

}  // namespace

bool ComputeWorldPickRay(const gfx::Matrix& projection, const gfx::Matrix& view, int x, int y,
                         int width, int height, gfx::Vector3* origin, gfx::Vector3* direction) {
    const std::optional<gfx::Matrix> inverse = gfx::MatrixInverse(view);
    if (!inverse) {
        return false;
    }
    *direction =
        gfx::Vec3TransformNormal(PixelRayInView(projection, x, y, width, height), *inverse);
    *origin = {inverse->m[3][0], inverse->m[3][1], inverse->m[3][2]};
    return true;
}

void C3DObject::ComputePickRay(gfx::Vector3* direction, gfx::Vector3* origin,
                               const gfx::Matrix& projection, const gfx::Matrix& view, int x, int y,
                               int width, int height) const {
    const std::optional<gfx::Matrix> inverse = gfx::MatrixInverse(m_world * view);
    if (!inverse) {
        // A collapsed object (a zero scale) cannot be hit.
        *direction = {};
        *origin = {};
        return;
    }
    *direction =
        gfx::Vec3TransformNormal(PixelRayInView(projection, x, y, width, height), *inverse);
    *origin = {inverse->m[3][0], inverse->m[3][1], inverse->m[3][2]};
}

void C3DObject::ToLocalRay(const gfx::Vector3& worldOrigin, const gfx::Vector3& worldDirection,
                           gfx::Vector3* origin, gfx::Vector3* direction) const {
    if (!m_inverseWorld) {
        // A collapsed object (a zero scale) cannot be hit.
        *direction = {};
        *origin = {};
        return;
    }
    *origin = gfx::Vec3TransformCoord(worldOrigin, *m_inverseWorld);
    *direction = gfx::Vec3TransformNormal(worldDirection, *m_inverseWorld);
}

int C3DObject::IntersectRay(int nearestOnly, PickHit* hits, uint32_t* count,
                            const gfx::Vector3& origin, const gfx::Vector3& direction,
                            float* nearestDistance) const {
    *nearestDistance = 1e10f;
    if (!m_mesh) {
        return 0;
    }
    if (nearestOnly != 0) {
        const std::optional<gfx::MeshHit> hit = gfx::IntersectMesh(*m_mesh, origin, direction);
        if (!hit) {
            *count = 0;
            return 0;
        }
        if (!FacesRay(direction, hit->face)) {
            *count = 0;
            return 1;
        }
        *count = 1;
        hits[0] = {hit->face, hit->u, hit->v, hit->distance};
        *nearestDistance = std::min(*nearestDistance, hit->distance);
        return 1;
    }
    const std::vector<gfx::MeshHit> all = gfx::IntersectMeshAll(*m_mesh, origin, direction);
    *count = static_cast<uint32_t>(std::min<std::size_t>(all.size(), kMaxPickHits));
    for (uint32_t i = 0; i < *count; ++i) {
        hits[i] = {all[i].face, all[i].u, all[i].v, all[i].distance};
        *nearestDistance = std::min(*nearestDistance, all[i].distance);
    }
    // One backward pass brings the nearest hit to the front.
    for (uint32_t i = *count; i > 1; --i) {
        if (hits[i - 1].distance < hits[i - 2].distance) {
            std::swap(hits[i - 1], hits[i - 2]);
        }
    }
    return all.empty() ? 0 : 1;
}

bool C3DObject::FacesRay(const gfx::Vector3& direction, uint32_t face) const {
    if (GetType() != kWallObjectType || !m_mesh || face >= m_mesh->GetNumFaces() ||
        !m_mesh->IndicesInRange()) {
        return true;
    }
    const std::array<uint32_t, 3> corners = m_mesh->GetFace(face);
    const gfx::Vector3 a = m_mesh->GetPosition(corners[0]);
    const gfx::Vector3 normal =
        gfx::Vec3Cross(m_mesh->GetPosition(corners[1]) - a, m_mesh->GetPosition(corners[2]) - a);
    const float lengths = gfx::Vec3Length(normal) * gfx::Vec3Length(direction);
    if (lengths == 0.0f) {
        return true;
    }
    const double cosine = std::clamp(gfx::Vec3Dot(normal, direction) / lengths, -1.0f, 1.0f);
    // Along the normal, the ray meets the face from behind.
    return std::acos(cosine) >= kPi / 2.0;
}

int C3DObject::IsNotLamp() const {
    return GetLibraryFolderName().find("燈") == std::string::npos ? 1 : 0;
}

int C3DObject::CanHostPhoto(const C3DObject& photo) const {
    if (GetType() != kFloorObjectType || photo.GetType() != kPhotoObjectType) {
        return 1;
    }
    static constexpr std::array<std::string_view, 5> kFloorPhotoFolders = {"光圖", "A02陰影圖",
                                                                           "窗簾", "地毯", "地磚"};
    const std::string folder = photo.GetLibraryFolderName();
    return std::any_of(
               kFloorPhotoFolders.begin(), kFloorPhotoFolders.end(),
               [&](std::string_view name) { return folder.find(name) != std::string::npos; })
               ? 1
               : 0;
}

void C3DObject::SetPointRecords(const std::vector<OutlineRecord>& records) {
    m_outlineRecords = records;
}

std::unique_ptr<gfx::Mesh> C3DObject::CloneMesh(const gfx::Mesh* mesh) {
    if (mesh == nullptr) {
        return nullptr;
    }
    std::unique_ptr<gfx::Mesh> copy;
    if (gfx::Failed(mesh->Clone(mesh->GetOptions(), mesh->GetFvf(), mesh->GetDevice(), &copy))) {
        return nullptr;
    }
    return copy;
}

void C3DObject::OffsetMeshPositions(const gfx::Vector3& offset) {
    for (MeshVertex& v : m_mesh->EditVerticesAs<MeshVertex>()) {
        v.x -= offset.x;
        v.y -= offset.y;
        v.z -= offset.z;
    }
}

int IsSurfaceObjectType(int type) {
    return type == kWallObjectType || type == kPhotoObjectType || type == kFloorObjectType ||
                   type == kCeilingObjectType
               ? 1
               : 0;
}

void C3DObject::DrawPlanOutline(draw::DrawContext& dc, int rop2) const {
    const draw::COLORREF colour =
        IsSelected() != 0 && !dc.IsPrinting() ? draw::Rgb(255, 0, 0) : m_color;
    const PlanDrawOrigin origin = GetDocumentServices().GetPlanDrawOrigin(dc);
    CDCStateSaver saver(dc);
    saver.SelectPen(draw::Pen::Create(draw::PS_SOLID, 0, colour));
    saver.SetROP2(rop2);
    for (const CSegment2F& segment : m_planOutline) {
        if (segment.start == segment.end) {
            continue;
        }
        dc.MoveTo(RoundToInt(segment.start.x) - origin.x, RoundToInt(segment.start.y) - origin.y);
        dc.LineTo(RoundToInt(segment.end.x) - origin.x, RoundToInt(segment.end.y) - origin.y);
    }
}
