#include "objects/ShadowVolume.h"

#include <array>
#include <cstring>
#include <new>
#include <stdexcept>

#include "objects/ShadowEdgeList.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/VectorMath.h"

namespace {

gfx::Vector3 ReadVector(const uint8_t* vertex, int offset) {
    gfx::Vector3 v;
    std::memcpy(&v, vertex + offset, sizeof(v));
    return v;
}

}  // namespace

void CShadowVolume::Reserve(size_t faces) {
    m_vertices.clear();
    if (faces == m_capacity) {
        return;
    }
    std::vector<gfx::Vector3>().swap(m_vertices);
    m_capacity = 0;
    try {
        m_vertices.reserve(faces * kVerticesPerFace);
        m_capacity = faces;
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
}

void CShadowVolume::ToggleEdge(CShadowEdgeList& edges, uint32_t a, uint32_t b) {
    const int64_t entry = edges.Find(a, b);
    if (entry >= 0) {
        edges.RemoveAt(static_cast<uint32_t>(entry));
    } else {
        edges.Append(a, b);
    }
}

gfx::Result CShadowVolume::Build(const gfx::Mesh& mesh, const gfx::Vector3& light,
                                 int directional) {
    const gfx::VertexLayout& layout = mesh.GetLayout();
    if (layout.normalOffset < 0 || !mesh.IndicesInRange()) {
        return gfx::kErrInvalidCall;
    }
    const uint32_t faces = mesh.GetNumFaces();
    const uint8_t* vertices = mesh.Vertices().data();
    const size_t stride = layout.size;
    auto position = [&](uint32_t v) { return ReadVector(vertices + v * stride, 0); };

    try {
        CShadowEdgeList edges(faces);
        for (uint32_t face = 0; face < faces; ++face) {
            const std::array<uint32_t, 3> i = mesh.GetFace(face);
            const gfx::Vector3 n = ReadVector(vertices + i[0] * stride, layout.normalOffset);
            const float d = n.x * light.x + n.y * light.y + n.z * light.z;
            if (d >= 0.0f) {
                ToggleEdge(edges, i[0], i[1]);
                ToggleEdge(edges, i[1], i[2]);
                ToggleEdge(edges, i[2], i[0]);
            }
        }

        const std::vector<CShadowEdgeList::Edge>& list = edges.Edges();
        if (m_vertices.size() + list.size() * 6 > m_capacity * kVerticesPerFace) {
            return gfx::kErrOutOfMemory;
        }
        const gfx::Vector3 away = gfx::Vec3Normalize(light);
        for (const CShadowEdgeList::Edge& edge : list) {
            const gfx::Vector3 p1 = position(edge.a);
            const gfx::Vector3 p2 = position(edge.b);
            const gfx::Vector3 u1 = directional != 0 ? away : gfx::Vec3Normalize(p1 - light);
            const gfx::Vector3 u2 = directional != 0 ? away : gfx::Vec3Normalize(p2 - light);
            const gfx::Vector3 q1 = p1 + u1 * kExtrusionLength;
            const gfx::Vector3 q2 = p2 + u2 * kExtrusionLength;
            m_vertices.insert(m_vertices.end(), {p1, p2, q1, p2, q2, q1});
        }
    } catch (const std::bad_alloc&) {
        return gfx::kErrOutOfMemory;
    }
    return gfx::kOk;
}

gfx::Result CShadowVolume::Render(gfx::Device& device) const {
    if (m_vertices.empty()) {
        return gfx::kOk;
    }
    device.SetFVF(gfx::kFvfXyz);
    return device.DrawPrimitiveUP(gfx::PrimitiveType::TriangleList,
                                  static_cast<uint32_t>(m_vertices.size() / 3), m_vertices.data(),
                                  sizeof(gfx::Vector3));
}
