#include "platform/gfx/Mesh.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <numeric>

#include "platform/gfx/Device.h"
#include "platform/gfx/IndexBuffer.h"
#include "platform/gfx/VectorMath.h"
#include "platform/gfx/VertexBuffer.h"
#include "platform/gfx/VertexConversion.h"

namespace gfx {
namespace {

constexpr uint32_t kMeshFvfBits =
    kFvfXyz | kFvfNormal | kFvfDiffuse | kFvfSpecular | kFvfTexCountMask;
constexpr uint32_t kUnnumbered = 0xFFFFFFFF;

// The vertex layout of a mesh format, or an invalid one: meshes take
// untransformed positions and the plain components only.
VertexLayout MeshLayout(uint32_t fvf) {
    if ((fvf & kFvfXyz) == 0 || (fvf & ~kMeshFvfBits) != 0) {
        return {};
    }
    return VertexLayout::FromFvf(fvf);
}

// Revisions never repeat, not even across meshes.
uint64_t NextRevision() {
    static uint64_t last = 0;
    return ++last;
}

Result Refuse(std::string* error, std::string message) {
    if (error != nullptr) {
        *error = std::move(message);
    }
    return kErrInvalidCall;
}

Result Upload(GpuBuffer& buffer, const void* data, size_t size) {
    void* target = nullptr;
    const Result result = buffer.Lock(0, 0, &target, 0);
    if (Failed(result)) {
        return result;
    }
    std::memcpy(target, data, size);
    return buffer.Unlock();
}

}  // namespace

void Mesh::ReleaseResource::operator()(Resource* resource) const {
    resource->Release();
}

Result Mesh::Create(uint32_t faceCount, uint32_t vertexCount, uint32_t options, uint32_t fvf,
                    Device* device, std::unique_ptr<Mesh>* mesh, std::string* error) {
    if (mesh == nullptr) {
        return kErrInvalidCall;
    }
    mesh->reset();
    const VertexLayout layout = MeshLayout(fvf);
    if (!layout.valid) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%X", fvf);
        return Refuse(error, std::string("網格不支援此頂點格式（") + hex + "）。");
    }
    if (faceCount == 0 || vertexCount == 0) {
        return Refuse(error, "網格至少要有一個面和一個頂點。");
    }
    if ((options & kMesh32Bit) == 0 && vertexCount > kMax16BitVertices) {
        return Refuse(error, "網格有 " + std::to_string(vertexCount) +
                                 " 個頂點，超過 16 位元索引的上限 65535 個。");
    }
    if (uint64_t{faceCount} * 3 > UINT32_MAX) {
        return Refuse(error, "網格的面太多。");
    }
    mesh->reset(new Mesh(faceCount, vertexCount, options, fvf, layout, device));
    return kOk;
}

Mesh::Mesh(uint32_t faceCount, uint32_t vertexCount, uint32_t options, uint32_t fvf,
           const VertexLayout& layout, Device* device)
    : m_options(options),
      m_fvf(fvf),
      m_layout(layout),
      m_device(device),
      m_vertexCount(vertexCount),
      m_vertices(size_t{vertexCount} * layout.size),
      m_attributes(faceCount),
      m_revision(NextRevision()) {
    if (Has32BitIndices()) {
        m_indices32.resize(size_t{faceCount} * 3);
    } else {
        m_indices16.resize(size_t{faceCount} * 3);
    }
}

Mesh::~Mesh() = default;

Result Mesh::Clone(uint32_t options, uint32_t fvf, Device* device, std::unique_ptr<Mesh>* clone,
                   std::string* error) const {
    if (!IndicesInRange()) {
        return Refuse(error, "網格的索引超出頂點範圍。");
    }
    std::unique_ptr<Mesh> copy;
    const Result result = Create(GetNumFaces(), m_vertexCount, options, fvf, device, &copy, error);
    if (Failed(result)) {
        return result;
    }
    for (uint32_t v = 0; v < m_vertexCount; ++v) {
        ConvertVertex(&m_vertices[size_t{v} * m_layout.size], m_layout,
                      &copy->m_vertices[size_t{v} * copy->m_layout.size], copy->m_layout);
    }
    for (size_t i = 0; i < size_t{GetNumFaces()} * 3; ++i) {
        copy->SetIndex(i, GetIndex(i));
    }
    copy->m_attributes = m_attributes;
    copy->m_attributeTable = m_attributeTable;
    *clone = std::move(copy);
    return kOk;
}

Vector3 Mesh::GetPosition(uint32_t vertex) const {
    Vector3 position;
    std::memcpy(&position, &m_vertices[size_t{vertex} * m_layout.size], sizeof position);
    return position;
}

bool Mesh::IndicesInRange() const {
    if (!m_indicesChecked) {
        m_indicesInRange =
            Has32BitIndices()
                ? std::ranges::all_of(m_indices32, [this](uint32_t i) { return i < m_vertexCount; })
                : std::ranges::all_of(m_indices16,
                                      [this](uint16_t i) { return i < m_vertexCount; });
        m_indicesChecked = true;
    }
    return m_indicesInRange;
}

std::span<uint8_t> Mesh::EditVertices() {
    m_revision = NextRevision();
    m_verticesStale = true;
    m_boundsKnown = false;
    return m_vertices;
}

std::span<uint16_t> Mesh::EditIndices16() {
    m_revision = NextRevision();
    m_indicesStale = true;
    m_indicesChecked = false;
    return m_indices16;
}

std::span<uint32_t> Mesh::EditIndices32() {
    m_revision = NextRevision();
    m_indicesStale = true;
    m_indicesChecked = false;
    return m_indices32;
}

std::span<uint32_t> Mesh::EditAttributes() {
    m_revision = NextRevision();
    m_attributeTable.clear();
    return m_attributes;
}

void Mesh::SetIndex(size_t i, uint32_t value) {
    if (Has32BitIndices()) {
        m_indices32[i] = value;
    } else {
        m_indices16[i] = static_cast<uint16_t>(value);
    }
}

Result Mesh::Optimize(uint32_t flags) {
    if (!IndicesInRange()) {
        return kErrInvalidCall;
    }
    m_revision = NextRevision();
    const uint32_t faceCount = GetNumFaces();
    std::vector<uint32_t> order(faceCount);
    std::iota(order.begin(), order.end(), 0u);
    const bool sort = (flags & kMeshOptAttrSort) != 0;
    if (sort) {
        std::ranges::stable_sort(order, {}, [this](uint32_t face) { return m_attributes[face]; });
    }
    std::vector<uint32_t> indices(size_t{faceCount} * 3);
    std::vector<uint32_t> attributes(faceCount);
    for (uint32_t f = 0; f < faceCount; ++f) {
        attributes[f] = m_attributes[order[f]];
        for (size_t k = 0; k < 3; ++k) {
            indices[size_t{f} * 3 + k] = GetIndex(size_t{order[f]} * 3 + k);
        }
    }
    if ((flags & kMeshOptCompact) != 0) {
        std::vector<uint32_t> renumbered(m_vertexCount, kUnnumbered);
        uint32_t next = 0;
        for (uint32_t& index : indices) {
            if (renumbered[index] == kUnnumbered) {
                renumbered[index] = next++;
            }
            index = renumbered[index];
        }
        std::vector<uint8_t> vertices(size_t{next} * m_layout.size);
        for (uint32_t v = 0; v < m_vertexCount; ++v) {
            if (renumbered[v] != kUnnumbered) {
                std::memcpy(&vertices[size_t{renumbered[v]} * m_layout.size],
                            &m_vertices[size_t{v} * m_layout.size], m_layout.size);
            }
        }
        m_vertices = std::move(vertices);
        m_vertexCount = next;
        m_verticesStale = true;
        m_boundsKnown = false;
    }
    for (size_t i = 0; i < indices.size(); ++i) {
        SetIndex(i, indices[i]);
    }
    m_attributes = std::move(attributes);
    m_indicesStale = true;
    if (sort) {
        RebuildAttributeTable();
    } else {
        m_attributeTable.clear();
    }
    return kOk;
}

void Mesh::RebuildAttributeTable() {
    m_attributeTable.clear();
    const uint32_t faceCount = GetNumFaces();
    for (uint32_t start = 0; start < faceCount;) {
        uint32_t end = start;
        uint32_t low = UINT32_MAX;
        uint32_t high = 0;
        while (end < faceCount && m_attributes[end] == m_attributes[start]) {
            for (uint32_t index : GetFace(end)) {
                low = std::min(low, index);
                high = std::max(high, index);
            }
            ++end;
        }
        m_attributeTable.push_back({m_attributes[start], start, end - start, low, high - low + 1});
        start = end;
    }
}

Result Mesh::UpdateGpuCopy() {
    if (!m_vertexBuffer || m_vertexBuffer->GetSize() != m_vertices.size()) {
        VertexBuffer* buffer = nullptr;
        const Result result =
            m_device->CreateVertexBuffer(static_cast<uint32_t>(m_vertices.size()), kUsageWriteOnly,
                                         m_fvf, Pool::Managed, &buffer);
        if (Failed(result)) {
            return result;
        }
        m_vertexBuffer.reset(buffer);
        m_verticesStale = true;
    }
    if (!m_indexBuffer) {
        IndexBuffer* buffer = nullptr;
        const uint32_t bytes = Has32BitIndices() ? static_cast<uint32_t>(m_indices32.size() * 4)
                                                 : static_cast<uint32_t>(m_indices16.size() * 2);
        const Result result = m_device->CreateIndexBuffer(
            bytes, kUsageWriteOnly, Has32BitIndices() ? Format::Index32 : Format::Index16,
            Pool::Managed, &buffer);
        if (Failed(result)) {
            return result;
        }
        m_indexBuffer.reset(buffer);
        m_indicesStale = true;
    }
    if (m_verticesStale) {
        const Result result = Upload(*m_vertexBuffer, m_vertices.data(), m_vertices.size());
        if (Failed(result)) {
            return result;
        }
        m_verticesStale = false;
    }
    if (m_indicesStale) {
        const Result result =
            Has32BitIndices() ? Upload(*m_indexBuffer, m_indices32.data(), m_indices32.size() * 4)
                              : Upload(*m_indexBuffer, m_indices16.data(), m_indices16.size() * 2);
        if (Failed(result)) {
            return result;
        }
        m_indicesStale = false;
    }
    return kOk;
}

Result Mesh::DrawSubset(uint32_t attribId) {
    if (m_device == nullptr || !IndicesInRange()) {
        return kErrInvalidCall;
    }
    Result result = UpdateGpuCopy();
    if (Failed(result)) {
        return result;
    }
    m_device->SetFVF(m_fvf);
    m_device->SetStreamSource(0, m_vertexBuffer.get(), 0, m_layout.size);
    m_device->SetIndices(m_indexBuffer.get());
    if (!m_attributeTable.empty()) {
        for (const AttributeRange& range : m_attributeTable) {
            if (range.attribId == attribId) {
                result = DrawFaces(range.faceStart, range.faceCount, range.vertexStart,
                                   range.vertexCount);
                if (Failed(result)) {
                    return result;
                }
            }
        }
        return kOk;
    }
    const uint32_t faceCount = GetNumFaces();
    for (uint32_t start = 0; start < faceCount; ++start) {
        if (m_attributes[start] != attribId) {
            continue;
        }
        uint32_t end = start;
        while (end < faceCount && m_attributes[end] == attribId) {
            ++end;
        }
        result = DrawFaces(start, end - start, 0, m_vertexCount);
        if (Failed(result)) {
            return result;
        }
        start = end;
    }
    return kOk;
}

Result Mesh::DrawFaces(uint32_t faceStart, uint32_t faceCount, uint32_t vertexStart,
                       uint32_t vertexCount) {
    return m_device->DrawIndexedPrimitive(PrimitiveType::TriangleList, 0, vertexStart, vertexCount,
                                          faceStart * 3, faceCount);
}

void Mesh::ComputeBoundingBox(Vector3& min, Vector3& max) const {
    gfx::ComputeBoundingBox(m_vertices.data(), m_vertexCount, m_layout.size, min, max);
}

void Mesh::GetCachedBounds(Vector3& min, Vector3& max) const {
    if (!m_boundsKnown) {
        ComputeBoundingBox(m_boundsMin, m_boundsMax);
        m_boundsKnown = true;
    }
    min = m_boundsMin;
    max = m_boundsMax;
}

}  // namespace gfx
