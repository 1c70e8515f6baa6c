#include "objects/WallObject.h"

#include <algorithm>
#include <cmath>

#include "foundation/MaterialPresets.h"
#include "objects/DocumentServices.h"
#include "objects/ObjectTypeCodes.h"

namespace {

// Side face f of an outline of n points runs from P[(f - 2) mod n] to
// P[(f - 1) mod n].
const CVector2F& EdgeStart(const std::vector<CVector2F>& outline, int face) {
    return outline[static_cast<std::size_t>(face - 2) % outline.size()];
}

const CVector2F& EdgeEnd(const std::vector<CVector2F>& outline, int face) {
    return outline[static_cast<std::size_t>(face - 1) % outline.size()];
}

bool Contains(const std::vector<int>& parts, int part) {
    return std::find(parts.begin(), parts.end(), part) != parts.end();
}

}  // namespace

CWallObject::CWallObject() {
    m_type = kWallObjectType;
    m_color = GetDocumentServices().GetPlanColor(PlanColorSetting::Wall);
}

// Every per-part array is copied whole: the copy's mesh holds the same
// vertices, so the refinement and cut records stay valid and the copy can be
// un-refined and re-cut like its source. Parts a file cut that are not cut
// here go along, so that the copy writes them back too.
CWallObject::CWallObject(const CWallObject& other)
    : C3DObject(other),
      m_refinementTriangles(other.m_refinementTriangles),
      m_refinementVertexRanges(other.m_refinementVertexRanges),
      m_cutVertexRanges(other.m_cutVertexRanges),
      m_allocatedPartCount(other.m_allocatedPartCount),
      m_baseVertices(other.m_baseVertices),
      m_meshVertices(other.m_meshVertices),
      m_baseIndices(other.m_baseIndices),
      m_meshIndices(other.m_meshIndices),
      m_baseAttributes(other.m_baseAttributes),
      m_meshAttributes(other.m_meshAttributes),
      m_vertexTextureRecords(other.m_vertexTextureRecords),
      m_fillMode(other.m_fillMode),
      m_hatchStyle(other.m_hatchStyle),
      m_hatchColour(other.m_hatchColour),
      m_fillColour(other.m_fillColour),
      m_mirror(other.m_mirror),
      m_reflective(other.m_reflective),
      m_outline(other.m_outline),
      m_refineRecords(other.m_refineRecords),
      m_splitRecords(other.m_splitRecords),
      m_cellParts(other.m_cellParts),
      m_storedSpecularPower(other.m_storedSpecularPower),
      m_storedMaterials(other.m_storedMaterials),
      m_storedPartCentres(other.m_storedPartCentres) {
    m_mesh = CloneMesh(other.m_mesh.get());
    SetSecondMesh(CloneMesh(other.m_secondMesh.get()));
    for (const std::unique_ptr<WallFaceItem>& item : other.m_faceItems) {
        auto copy = std::make_unique<WallFaceItem>(*item);
        copy->applied = 0;
        copy->deleted = 0;
        copy->model1 = nullptr;
        copy->model2 = nullptr;
        m_faceItems.push_back(std::move(copy));
    }
}

CWallObject::~CWallObject() = default;

std::unique_ptr<CDesignObject> CWallObject::Clone() const {
    return std::make_unique<CWallObject>(*this);
}

void CWallObject::SetOutline(const std::vector<CVector2D>& points) {
    if (points.empty()) {
        return;
    }
    const CVector2D& first = points.front();
    for (const CVector2D& p : points) {
        m_outline.emplace_back(static_cast<float>(p.x - first.x),
                               static_cast<float>(-(p.y - first.y)));
    }
}

void CWallObject::ResizePartArrays(int count) {
    m_materialCount = count;
    if (m_allocatedPartCount == count) {
        return;
    }
    const auto size = static_cast<std::size_t>(count);
    m_materials.resize(size, *GetDefaultMaterial());
    m_sourceMaterials.resize(size, *GetDefaultMaterial());
    m_textureNames.resize(size, kNoTextureName);
    m_sourceTextureNames.resize(size, kNoTextureName);
    m_textures.resize(size, nullptr);
    m_sourceTextures.resize(size, nullptr);
    m_bumpTextures.resize(size);
    m_mappingRecords.resize(size);
    m_refinementVertexRanges.resize(size);
    m_cutVertexRanges.resize(size);
    m_refineRecords.resize(size);
    m_refinementTriangles.resize(size);
    m_allocatedPartCount = count;
}

int CWallObject::GetOwningFace(int part) const {
    if (part < m_basePartCount) {
        return part;
    }
    int owner = part;
    const std::size_t faces = std::min(
        {static_cast<std::size_t>(m_basePartCount), m_splitRecords.size(), m_cellParts.size()});
    for (std::size_t face = 0; face < faces; ++face) {
        const bool split =
            std::any_of(m_splitRecords[face].begin(), m_splitRecords[face].end(),
                        [part](const SplitRecord& record) { return Contains(record.parts, part); });
        if (split || Contains(m_cellParts[face], part)) {
            owner = static_cast<int>(face);
        }
    }
    return owner;
}

CVector2F CWallObject::GetFaceOrigin(int part) const {
    if (m_outline.empty()) {
        return {};
    }
    const int face = GetOwningFace(part);
    if (face >= 2) {
        return EdgeEnd(m_outline, face);
    }
    return {m_boxMin.x, -m_boxMin.z};
}

CVector2F CWallObject::GetFaceSize(int part) const {
    if (m_outline.empty()) {
        return {};
    }
    const int face = GetOwningFace(part);
    if (face >= 2) {
        return {(EdgeEnd(m_outline, face) - EdgeStart(m_outline, face)).GetLength(),
                m_boxMax.y - m_boxMin.y};
    }
    return {m_realSize[0], m_realSize[1]};
}

float CWallObject::GetFaceHeading(int part) const {
    if (m_outline.empty()) {
        return 0.0f;
    }
    const int face = GetOwningFace(part);
    if (face < 2) {
        return 0.0f;
    }
    return (EdgeStart(m_outline, face) - EdgeEnd(m_outline, face)).GetPolarAngle();
}

int CWallObject::GetFaceMaterialIndex(int triangle) const {
    if (triangle < 0 || static_cast<std::size_t>(triangle) >= m_meshAttributes.size()) {
        return -1;
    }
    return static_cast<int>(m_meshAttributes[static_cast<std::size_t>(triangle)]);
}

std::array<float, 3> CWallObject::GetPartCentre(int part) const {
    bool any = false;
    std::array<float, 3> low{};
    std::array<float, 3> high{};
    const std::size_t triangles = std::min(m_meshAttributes.size(), m_meshIndices.size() / 3);
    for (std::size_t t = 0; t < triangles; ++t) {
        if (m_meshAttributes[t] != static_cast<uint32_t>(part)) {
            continue;
        }
        for (std::size_t k = 0; k < 3; ++k) {
            const std::size_t index = m_meshIndices[t * 3 + k];
            if (index >= m_meshVertices.size()) {
                continue;
            }
            const MeshVertex& v = m_meshVertices[index];
            const std::array<float, 3> p = {v.x, v.y, v.z};
            for (std::size_t axis = 0; axis < 3; ++axis) {
                low[axis] = any ? std::min(low[axis], p[axis]) : p[axis];
                high[axis] = any ? std::max(high[axis], p[axis]) : p[axis];
            }
            any = true;
        }
    }
    return {(low[0] + high[0]) * 0.5f, (low[1] + high[1]) * 0.5f, (low[2] + high[2]) * 0.5f};
}

int CWallObject::FindPartByCentre(float x, float y, float z) const {
    constexpr float kTolerance = 0.01f;
    for (int part = m_basePartCount; part < m_materialCount; ++part) {
        const std::array<float, 3> centre = GetPartCentre(part);
        if (std::fabs(centre[0] - x) <= kTolerance && std::fabs(centre[1] - y) <= kTolerance &&
            std::fabs(centre[2] - z) <= kTolerance) {
            return part;
        }
    }
    return -1;
}

int CWallObject::HasCutOutItems() const {
    return std::any_of(m_faceItems.begin(), m_faceItems.end(),
                       [](const std::unique_ptr<WallFaceItem>& item) { return item->cutOut == 1; })
               ? 1
               : 0;
}

const gfx::Mesh* CWallObject::GetMirrorSurfaceMesh() const {
    return HasCutOutItems() != 0 ? m_mesh.get() : m_secondMesh.get();
}
