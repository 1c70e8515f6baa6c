#pragma once

// A triangle mesh: vertices of one vertex format, three indices per face and
// an attribute id per face, kept in ordinary memory so that every rule works
// without a device. Drawing goes through a vertex and an index buffer of the
// mesh's device, made on the first draw and brought up to date after edits.
//
// A subset is the set of faces of one attribute id. An attribute sort
// (Optimize) makes each subset one run of faces and records the runs in the
// attribute table; DrawSubset uses the table when there is one and otherwise
// finds the runs itself, so a mesh filled face by face draws right too.
//
// The device must outlive every draw; the mesh itself may outlive it.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/gfx/DeviceTypes.h"
#include "platform/gfx/MathTypes.h"
#include "platform/gfx/MeshTypes.h"
#include "platform/gfx/VertexLayout.h"

namespace gfx {

class Device;
class IndexBuffer;
class Resource;
class VertexBuffer;

class Mesh {
public:
    // A mesh of zeroed vertices, indices and attributes. Refused with
    // kErrInvalidCall and a message in *error for a vertex format a mesh
    // cannot have (it takes a position, then any of normal, diffuse, specular
    // and texture coordinate sets), for no faces or no vertices, and for more
    // than kMax16BitVertices vertices without kMesh32Bit. The device may be
    // null for a mesh that is never drawn.
    static Result Create(uint32_t faceCount, uint32_t vertexCount, uint32_t options, uint32_t fvf,
                         Device* device, std::unique_ptr<Mesh>* mesh, std::string* error = nullptr);

    ~Mesh();
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    // A copy with other options, vertex format and device: vertices are
    // converted by ConvertVertex; faces, attributes and the attribute table
    // are kept. Refused like Create, and for indices out of range.
    Result Clone(uint32_t options, uint32_t fvf, Device* device, std::unique_ptr<Mesh>* clone,
                 std::string* error = nullptr) const;

    [[nodiscard]] uint32_t GetOptions() const { return m_options; }
    [[nodiscard]] uint32_t GetFvf() const { return m_fvf; }
    [[nodiscard]] const VertexLayout& GetLayout() const { return m_layout; }
    [[nodiscard]] uint32_t GetVertexSize() const { return m_layout.size; }
    [[nodiscard]] uint32_t GetNumVertices() const { return m_vertexCount; }
    [[nodiscard]] uint32_t GetNumFaces() const {
        return static_cast<uint32_t>(m_attributes.size());
    }
    [[nodiscard]] bool Has32BitIndices() const { return (m_options & kMesh32Bit) != 0; }
    [[nodiscard]] Device* GetDevice() const { return m_device; }
    // Changes whenever faces or vertices are handed out for writing or
    // reordered; no other mesh ever had the same number, so a copy made
    // from the mesh is known to be current while the number stays.
    [[nodiscard]] uint64_t GetRevision() const { return m_revision; }

    // Reading. The index span of the other width is empty.
    [[nodiscard]] std::span<const uint8_t> Vertices() const { return m_vertices; }
    [[nodiscard]] std::span<const uint16_t> Indices16() const { return m_indices16; }
    [[nodiscard]] std::span<const uint32_t> Indices32() const { return m_indices32; }
    [[nodiscard]] std::span<const uint32_t> Attributes() const { return m_attributes; }
    // Empty unless Vertex has the size of the mesh's vertices.
    template <typename Vertex>
    [[nodiscard]] std::span<const Vertex> VerticesAs() const;

    // Index i of either width; i below three times the face count.
    [[nodiscard]] uint32_t GetIndex(size_t i) const {
        return Has32BitIndices() ? m_indices32[i] : m_indices16[i];
    }
    [[nodiscard]] std::array<uint32_t, 3> GetFace(uint32_t face) const {
        return {GetIndex(size_t{face} * 3), GetIndex(size_t{face} * 3 + 1),
                GetIndex(size_t{face} * 3 + 2)};
    }
    [[nodiscard]] Vector3 GetPosition(uint32_t vertex) const;
    // Whether every index names a vertex of the mesh. The operations that
    // follow indices refuse a mesh where one does not.
    [[nodiscard]] bool IndicesInRange() const;

    // Writing, like a lock for writing: what is handed out is sent to the
    // GPU again before the next draw. Editing the attributes drops the
    // attribute table, which would no longer describe the faces.
    std::span<uint8_t> EditVertices();
    std::span<uint16_t> EditIndices16();
    std::span<uint32_t> EditIndices32();
    std::span<uint32_t> EditAttributes();
    template <typename Vertex>
    std::span<Vertex> EditVerticesAs();

    [[nodiscard]] const std::vector<AttributeRange>& GetAttributeTable() const {
        return m_attributeTable;
    }

    // kMeshOptAttrSort sorts the faces by attribute id, keeping the order of
    // equal ones, and rebuilds the attribute table: one entry per id, rising.
    // kMeshOptCompact removes the vertices no face uses and numbers the rest
    // in the order the faces first use them, so that the vertices only one
    // subset uses form a run. Without the sort the table is dropped.
    Result Optimize(uint32_t flags);

    // Binds the mesh's buffers and vertex format on its device and draws the
    // faces of attribId (an id no face has draws nothing). Fails without a
    // device.
    Result DrawSubset(uint32_t attribId);

    // The box of the positions.
    void ComputeBoundingBox(Vector3& min, Vector3& max) const;
    // The same box, kept until the vertices are next handed out for writing,
    // so that a pick can pass over a mesh its ray misses. A span from
    // EditVertices must not be written after this is asked.
    void GetCachedBounds(Vector3& min, Vector3& max) const;

private:
    struct ReleaseResource {
        void operator()(Resource* resource) const;
    };

    Mesh(uint32_t faceCount, uint32_t vertexCount, uint32_t options, uint32_t fvf,
         const VertexLayout& layout, Device* device);

    void SetIndex(size_t i, uint32_t value);
    void RebuildAttributeTable();
    Result UpdateGpuCopy();
    Result DrawFaces(uint32_t faceStart, uint32_t faceCount, uint32_t vertexStart,
                     uint32_t vertexCount);

    uint32_t m_options;
    uint32_t m_fvf;
    VertexLayout m_layout;
    Device* m_device;
    uint32_t m_vertexCount;

    std::vector<uint8_t> m_vertices;
    std::vector<uint16_t> m_indices16;
    std::vector<uint32_t> m_indices32;
    std::vector<uint32_t> m_attributes;
    std::vector<AttributeRange> m_attributeTable;
    uint64_t m_revision;
    mutable bool m_indicesChecked = false;
    mutable bool m_indicesInRange = false;
    mutable bool m_boundsKnown = false;
    mutable Vector3 m_boundsMin{};
    mutable Vector3 m_boundsMax{};

    std::unique_ptr<VertexBuffer, ReleaseResource> m_vertexBuffer;
    std::unique_ptr<IndexBuffer, ReleaseResource> m_indexBuffer;
    bool m_verticesStale = true;
    bool m_indicesStale = true;
};

template <typename Vertex>
std::span<const Vertex> Mesh::VerticesAs() const {
    if (sizeof(Vertex) != m_layout.size) {
        return {};
    }
    return {reinterpret_cast<const Vertex*>(m_vertices.data()), m_vertexCount};
}

template <typename Vertex>
std::span<Vertex> Mesh::EditVerticesAs() {
    if (sizeof(Vertex) != m_layout.size) {
        return {};
    }
    const std::span<uint8_t> bytes = EditVertices();
    return {reinterpret_cast<Vertex*>(bytes.data()), m_vertexCount};
}

}  // namespace gfx
