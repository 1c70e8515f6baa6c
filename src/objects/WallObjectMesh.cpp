#include <algorithm>
#include <bit>
#include <cmath>
#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "foundation/GeometryMath.h"
#include "foundation/OperationProgress.h"
#include "foundation/PolygonTriangulation.h"
#include "foundation/Prompt.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/MeshNormals.h"
#include "platform/gfx/MeshTypes.h"

namespace {

constexpr uint32_t kMeshVertexFvf = 0x112;
constexpr std::size_t kMaxMeshIndices = 0xFFFF;
// Below this a coordinate difference counts as none when interpolating.
constexpr float kFlatDifference = 0.00001f;

// The base geometry while it is built; indices stay wide until the vertex
// count is known to fit 16 bits.
struct BaseGeometry {
    std::vector<MeshVertex> vertices;
    std::vector<uint32_t> indices;
    std::vector<uint32_t> attributes;
    std::vector<VertexTextureRecord> records;

    void AddVertex(float x, float y, float z, float u, float v, int part) {
        vertices.push_back(MakeVertex(x, y, z, u, v));
        records.push_back({part, u, v});
    }
};

// Where a coordinate lies between the smallest and the largest; 0 across a
// zero extent, so a degenerate outline gets no NaN coordinates.
float Fraction(float value, float min, float extent) {
    return extent != 0.0f ? (value - min) / extent : 0.0f;
}

// Equal coordinates give equal keys; 0 and -0 are equal too.
uint64_t PlanPointKey(float x, float z) {
    return static_cast<uint64_t>(std::bit_cast<uint32_t>(x + 0.0f)) << 32 |
           std::bit_cast<uint32_t>(z + 0.0f);
}

// Face 0. Corners at exactly the same plan point share one vertex.
void AddTopCap(BaseGeometry& g, const std::vector<CVector2F>& outline, float height, bool ceiling,
               const std::function<bool()>& keepGoing) {
    std::vector<CVector2F> triangles;
    // Whatever the ear clipping found before giving up is used.
    TriangulatePolygon(outline, triangles, !ceiling, keepGoing);

    float minX = 0.0f;
    float maxX = 0.0f;
    float minZ = 0.0f;
    float maxZ = 0.0f;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const float x = outline[i].x;
        const float z = -outline[i].y;
        minX = i == 0 ? x : std::min(minX, x);
        maxX = i == 0 ? x : std::max(maxX, x);
        minZ = i == 0 ? z : std::min(minZ, z);
        maxZ = i == 0 ? z : std::max(maxZ, z);
    }
    const float width = maxX - minX;
    const float depth = maxZ - minZ;

    std::unordered_map<uint64_t, uint32_t> vertexAt;
    for (const CVector2F& point : triangles) {
        const float x = point.x;
        const float z = -point.y;
        const auto index = static_cast<uint32_t>(g.vertices.size());
        // A NaN coordinate equals nothing, so such a corner shares no vertex.
        if (!std::isnan(x) && !std::isnan(z)) {
            const auto [at, added] = vertexAt.try_emplace(PlanPointKey(x, z), index);
            if (!added) {
                g.indices.push_back(at->second);
                continue;
            }
        }
        g.indices.push_back(index);
        g.AddVertex(x, height, z, Fraction(x, minX, width), 1.0f - Fraction(z, minZ, depth), 0);
    }
    g.attributes.assign(triangles.size() / 3, 0);
}

// Face 1: the top cap copied to height 0, seen from below.
void AddBottomCap(BaseGeometry& g) {
    const auto top = static_cast<uint32_t>(g.vertices.size());
    for (uint32_t i = 0; i < top; ++i) {
        const MeshVertex v = g.vertices[i];
        g.AddVertex(v.x, 0.0f, v.z, v.u, 1.0f - v.v, 1);
    }
    const std::size_t topIndices = g.indices.size();
    for (std::size_t i = 0; i + 2 < topIndices; i += 3) {
        g.indices.push_back(top + g.indices[i]);
        g.indices.push_back(top + g.indices[i + 2]);
        g.indices.push_back(top + g.indices[i + 1]);
        g.attributes.push_back(1);
    }
}

// Face 2 + k for the edge from P[k] to P[k + 1]: its own four vertices, the
// texture running from u = 1 at the edge's start to 0 at its end.
void AddSides(BaseGeometry& g, const std::vector<CVector2F>& outline, float height) {
    const std::size_t n = outline.size();
    for (std::size_t k = 0; k < n; ++k) {
        const CVector2F& from = outline[k];
        const CVector2F& to = outline[(k + 1) % n];
        const int face = static_cast<int>(k) + 2;
        const auto v = static_cast<uint32_t>(g.vertices.size());
        g.AddVertex(from.x, height, -from.y, 1.0f, 0.0f, face);
        g.AddVertex(from.x, 0.0f, -from.y, 1.0f, 1.0f, face);
        g.AddVertex(to.x, height, -to.y, 0.0f, 0.0f, face);
        g.AddVertex(to.x, 0.0f, -to.y, 0.0f, 1.0f, face);
        g.indices.insert(g.indices.end(), {v, v + 1, v + 3, v + 2, v, v + 3});
        g.attributes.insert(g.attributes.end(), 2, static_cast<uint32_t>(face));
    }
}

float Distance(const MeshVertex& a, const MeshVertex& b) {
    const float dx = a.x - b.x;
    const float dy = a.y - b.y;
    const float dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// The circumference of the round hole whose inner surface is part; none
// when part belongs to no round hole.
std::optional<float> RoundHoleCircumference(const std::list<std::unique_ptr<WallFaceItem>>& items,
                                            int part) {
    for (const std::unique_ptr<WallFaceItem>& item : items) {
        if (item->kind == WallFaceItem::kCircle && item->recordKind == 1 &&
            std::find(item->parts.begin(), item->parts.end(), part) != item->parts.end()) {
            const float radius = (item->secondCorner - item->firstCorner).GetLength();
            return static_cast<float>(kTwoPi) * radius;
        }
    }
    return std::nullopt;
}

}  // namespace

int CWallObject::BuildMesh(int full, float height, const std::function<bool()>& keepGoing) {
    const int faces = BuildCapsAndSides(full, height, keepGoing);
    m_basePartCount = faces;
    m_meshVertices = m_baseVertices;
    m_meshIndices = m_baseIndices;
    m_meshAttributes = m_baseAttributes;
    if (RebuildD3DMesh() == 0) {
        return 0;
    }
    std::unique_ptr<gfx::Mesh> plain;
    if (gfx::Failed(m_mesh->Clone(m_mesh->GetOptions(), kMeshVertexFvf, m_device, &plain))) {
        plain.reset();
    }
    SetSecondMesh(std::move(plain));

    // The material and part counts follow the arrays, so a failed build
    // leaves no count that promises parts which do not exist.
    ResizeMaterials(faces);
    m_refinementTriangles.assign(static_cast<std::size_t>(faces), {});
    m_refinementVertexRanges.assign(static_cast<std::size_t>(faces), {});
    m_cutVertexRanges.assign(static_cast<std::size_t>(faces), {});
    m_splitRecords.assign(static_cast<std::size_t>(faces), {});
    m_cellParts.assign(static_cast<std::size_t>(faces), {});
    m_refineRecords.assign(static_cast<std::size_t>(faces), {});
    m_allocatedPartCount = faces;
    ComputeExtents();
    return 1;
}

int CWallObject::BuildCapsAndSides(int full, float height, const std::function<bool()>& keepGoing) {
    BaseGeometry g;
    AddTopCap(g, m_outline, height, GetType() == kCeilingObjectType, keepGoing);
    int faces = 1;
    if (full != 0) {
        AddBottomCap(g);
        AddSides(g, m_outline, height);
        faces = static_cast<int>(m_outline.size()) + 2;
    }
    m_baseVertices = std::move(g.vertices);
    m_baseAttributes = std::move(g.attributes);
    m_vertexTextureRecords = std::move(g.records);
    m_baseIndices.clear();
    // Indices of more vertices than 16 bits can number are not narrowed;
    // the mesh rebuild refuses such a mesh.
    if (m_baseVertices.size() <= gfx::kMax16BitVertices) {
        m_baseIndices.reserve(g.indices.size());
        for (uint32_t index : g.indices) {
            m_baseIndices.push_back(static_cast<uint16_t>(index));
        }
    }
    return faces;
}

int CWallObject::RebuildD3DMesh() {
    if (m_meshIndices.size() > kMaxMeshIndices || m_meshVertices.size() > gfx::kMax16BitVertices) {
        ShowMessage("模型的點或面太多無法產生", PromptButtons::Ok);
        return 0;
    }
    const std::size_t faces = std::min(m_meshIndices.size() / 3, m_meshAttributes.size());
    const bool indicesInRange =
        std::all_of(m_meshIndices.begin(), m_meshIndices.end(),
                    [this](uint16_t index) { return index < m_meshVertices.size(); });
    std::unique_ptr<gfx::Mesh> mesh;
    if (!indicesInRange ||
        gfx::Failed(gfx::Mesh::Create(static_cast<uint32_t>(faces),
                                      static_cast<uint32_t>(m_meshVertices.size()),
                                      gfx::kMeshManaged, kMeshVertexFvf, m_device, &mesh))) {
        ShowMessage("模型重建失敗", PromptButtons::Ok);
        return 0;
    }
    std::copy(m_meshVertices.begin(), m_meshVertices.end(),
              mesh->EditVerticesAs<MeshVertex>().begin());
    std::copy_n(m_meshIndices.begin(), faces * 3, mesh->EditIndices16().begin());
    std::copy_n(m_meshAttributes.begin(), faces, mesh->EditAttributes().begin());
    gfx::ComputeNormals(*mesh);
    m_mesh = std::move(mesh);
    return 1;
}

void CWallObject::RestoreTextureCoords() {
    if (!m_mesh) {
        return;
    }
    const std::span<MeshVertex> vertices = m_mesh->EditVerticesAs<MeshVertex>();
    const std::size_t count = std::min(vertices.size(), m_vertexTextureRecords.size());
    const std::unique_ptr<IOperationProgress> progress =
        OpenProgressWindow({"設定貼圖座標 ..." + GetName(),
                            static_cast<int>(m_vertexTextureRecords.size()), 1, false});
    for (std::size_t i = 0; i < count; ++i) {
        vertices[i].u = m_vertexTextureRecords[i].u;
        vertices[i].v = m_vertexTextureRecords[i].v;
        progress->StepIt();
    }
}

int CWallObject::GetPartKind(int part) const {
    if (part < 0) {
        return -1;
    }
    if (part < m_basePartCount) {
        return 0;
    }
    for (const std::vector<SplitRecord>& records : m_splitRecords) {
        for (const SplitRecord& record : records) {
            if (std::find(record.parts.begin(), record.parts.end(), part) != record.parts.end()) {
                return record.kind + 1;
            }
        }
    }
    for (const std::vector<int>& cells : m_cellParts) {
        if (std::find(cells.begin(), cells.end(), part) != cells.end()) {
            return 1;
        }
    }
    return -1;
}

void CWallObject::GetPartTextureSize(int part, float* width, float* height) const {
    const int kind = GetPartKind(part);
    if (kind == 0 || kind == 1) {
        const CVector2F size = GetFaceSize(part);
        *width = size.x;
        *height = size.y;
        return;
    }
    if (kind != 2) {
        return;
    }
    // A hole's inner face: its first triangle runs along the hole's edge
    // and across the wall; its last one across the wall at the other end.
    std::vector<std::size_t> triangles;
    const std::size_t count = std::min(m_meshAttributes.size(), m_meshIndices.size() / 3);
    for (std::size_t t = 0; t < count; ++t) {
        if (m_meshAttributes[t] == static_cast<uint32_t>(part)) {
            triangles.push_back(t);
        }
    }
    if (triangles.empty()) {
        return;
    }
    auto corner = [this](std::size_t triangle, std::size_t k) -> const MeshVertex& {
        return m_meshVertices[m_meshIndices[triangle * 3 + k]];
    };
    const std::size_t first = triangles.front();
    const std::size_t last = triangles.back();
    const std::optional<float> circumference = RoundHoleCircumference(m_faceItems, part);
    *width = circumference ? *circumference : Distance(corner(first, 0), corner(first, 2));
    *height = std::max(Distance(corner(first, 0), corner(first, 1)),
                       Distance(corner(last, 1), corner(last, 2)));
}

void CWallObject::InterpolateFaceUV(int part, const float point[3], float* u, float* v) const {
    *u = 0.0f;
    *v = 0.0f;
    const std::size_t count = std::min(m_meshVertices.size(), m_vertexTextureRecords.size());
    std::size_t i = 0;
    while (i < count && m_vertexTextureRecords[i].part != part) {
        ++i;
    }
    const bool cap = GetOwningFace(part) < 2;
    const std::size_t j = i + (cap ? (GetType() == kCeilingObjectType ? 1 : 2) : 3);
    if (j >= count) {
        return;
    }
    const MeshVertex& vi = m_meshVertices[i];
    const MeshVertex& vj = m_meshVertices[j];
    const VertexTextureRecord& ti = m_vertexTextureRecords[i];
    const VertexTextureRecord& tj = m_vertexTextureRecords[j];
    *u = ti.u;
    *v = ti.v;
    if (cap) {
        if (std::fabs(vj.x - vi.x) >= kFlatDifference) {
            *u = ti.u + (point[0] - vi.x) * (tj.u - ti.u) / (vj.x - vi.x);
        }
        if (std::fabs(vj.z - vi.z) >= kFlatDifference) {
            *v = ti.v + (point[2] - vi.z) * (tj.v - ti.v) / (vj.z - vi.z);
        }
        return;
    }
    const float along =
        std::sqrt((point[2] - vi.z) * (point[2] - vi.z) + (point[0] - vi.x) * (point[0] - vi.x));
    const float length = std::sqrt((vj.z - vi.z) * (vj.z - vi.z) + (vj.x - vi.x) * (vj.x - vi.x));
    // An edge of no length has no direction to continue the texture along.
    if (length >= kFlatDifference) {
        *u = ti.u + along * (tj.u - ti.u) / length;
    }
    if (std::fabs(vj.y - vi.y) >= kFlatDifference) {
        *v = ti.v + (point[1] - vi.y) * (tj.v - ti.v) / (vj.y - vi.y);
    }
}
