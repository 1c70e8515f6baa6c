#include "TriangleSoup.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

#include "platform/gfx/VectorMath.h"

void TriangleSoup::Add(gfx::Vector3 a, gfx::Vector3 b, gfx::Vector3 c) {
    gfx::Vector3 normal = gfx::Vec3Cross(b - a, c - a);
    if (gfx::Vec3LengthSq(normal) == 0) {
        return;
    }
    const gfx::Vector3 centroid = (a + b + c) / 3.0f;
    if (gfx::Vec3Dot(normal, centroid - m_centre) < 0) {
        std::swap(b, c);
        normal = -normal;
    }
    normal = gfx::Vec3Normalize(normal);
    for (const gfx::Vector3& p : {a, b, c}) {
        m_vertices.push_back({p, normal});
    }
    m_attributes.push_back(m_material);
}

void TriangleSoup::AddQuad(const gfx::Vector3& a, const gfx::Vector3& b, const gfx::Vector3& c,
                           const gfx::Vector3& d) {
    const std::size_t before = m_vertices.size();
    Add(a, b, c);
    Add(a, c, d);
    if (m_vertices.size() == before) {
        return;
    }
    const gfx::Vector3 normal = m_vertices.back().normal;
    for (const auto& [from, to] :
         {std::pair{a, b}, std::pair{b, c}, std::pair{c, d}, std::pair{d, a}}) {
        m_quadSides.push_back({from, to, normal});
    }
}

void TriangleSoup::AddBox(const gfx::Vector3& min, const gfx::Vector3& max) {
    SetCentre((min + max) / 2.0f);
    auto corner = [&](int i) {
        return gfx::Vector3{(i & 1) != 0 ? max.x : min.x, (i & 2) != 0 ? max.y : min.y,
                            (i & 4) != 0 ? max.z : min.z};
    };
    AddQuad(corner(0), corner(1), corner(3), corner(2));  // z = min
    AddQuad(corner(4), corner(5), corner(7), corner(6));  // z = max
    AddQuad(corner(0), corner(1), corner(5), corner(4));  // y = min
    AddQuad(corner(2), corner(3), corner(7), corner(6));  // y = max
    AddQuad(corner(0), corner(2), corner(6), corner(4));  // x = min
    AddQuad(corner(1), corner(3), corner(7), corner(5));  // x = max
}

std::unique_ptr<gfx::Mesh> TriangleSoup::Build() const {
    const auto vertexCount = static_cast<uint32_t>(m_vertices.size());
    std::unique_ptr<gfx::Mesh> mesh;
    std::string error;
    if (gfx::Mesh::Create(vertexCount / 3, vertexCount, 0, kFvf, nullptr, &mesh, &error) < 0) {
        throw std::runtime_error(error);
    }
    std::ranges::copy(m_vertices, mesh->EditVerticesAs<Vertex>().begin());
    std::span<uint16_t> indices = mesh->EditIndices16();
    for (uint32_t i = 0; i < vertexCount; ++i) {
        indices[i] = static_cast<uint16_t>(i);
    }
    std::ranges::copy(m_attributes, mesh->EditAttributes().begin());
    return mesh;
}
