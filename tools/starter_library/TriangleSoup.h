#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "objects/OutlineRecord.h"
#include "platform/gfx/MathTypes.h"
#include "platform/gfx/Mesh.h"

// Triangles of convex parts, flat-shaded. Each triangle is turned to face
// away from its part's centre (clockwise seen from outside, the device's
// front face) and gets its own three vertices with the face normal and the
// current material as its attribute.
class TriangleSoup {
public:
    struct Vertex {
        gfx::Vector3 position;
        gfx::Vector3 normal;
    };
    static constexpr uint32_t kFvf = gfx::kFvfXyz | gfx::kFvfNormal;

    void SetCentre(const gfx::Vector3& centre) { m_centre = centre; }
    void SetMaterial(uint32_t material) { m_material = material; }

    // Degenerate triangles are dropped.
    void Add(gfx::Vector3 a, gfx::Vector3 b, gfx::Vector3 c);
    void AddQuad(const gfx::Vector3& a, const gfx::Vector3& b, const gfx::Vector3& c,
                 const gfx::Vector3& d);
    // An axis-aligned box, its own centre as the part's.
    void AddBox(const gfx::Vector3& min, const gfx::Vector3& max);

    // Throws std::runtime_error when the mesh cannot be made.
    std::unique_ptr<gfx::Mesh> Build() const;

    // The four sides of every quad added, each with the quad's outward
    // normal, in the order the quads came.
    const std::vector<OutlineRecord>& QuadSides() const { return m_quadSides; }

private:
    gfx::Vector3 m_centre;
    uint32_t m_material = 0;
    std::vector<Vertex> m_vertices;
    std::vector<uint32_t> m_attributes;
    std::vector<OutlineRecord> m_quadSides;
};
