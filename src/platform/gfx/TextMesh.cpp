#include "platform/gfx/TextMesh.h"

#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <span>
#include <vector>

#include "platform/draw/GlyphOutlines.h"
#include "platform/gfx/MeshTypes.h"
#include "platform/gfx/VectorMath.h"

namespace gfx {

namespace {

struct TextVertex {
    Vector3 position;
    Vector3 normal;
};

static_assert(sizeof(TextVertex) == 24);

// Runs the tessellator over one glyph's outlines. Filling gives the
// triangles of the glyph's face; the boundary mode gives the outline of the
// filled region as the tessellator sees it (overlapping strokes merged,
// crossings cut), shapes turning anticlockwise and holes clockwise, with
// the same corners the triangles have, so that the sides meet the faces.
class GlyphTessellation {
public:
    using Triangle = std::array<draw::OutlinePoint, 3>;
    using Loop = std::vector<draw::OutlinePoint>;

    GlyphTessellation(const draw::GlyphOutline& glyph, bool boundaryOnly)
        : m_boundaryOnly(boundaryOnly) {
        GLUtesselator* tess = gluNewTess();
        if (tess == nullptr) {
            m_failed = true;
            return;
        }
        // Non-zero winding fills shapes whatever way round the font turns
        // them, and holes stay open as they turn the other way.
        gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
        gluTessProperty(tess, GLU_TESS_BOUNDARY_ONLY, boundaryOnly ? GL_TRUE : GL_FALSE);
        gluTessNormal(tess, 0.0, 0.0, 1.0);
        gluTessCallback(tess, GLU_TESS_BEGIN_DATA, reinterpret_cast<_GLUfuncptr>(&OnBegin));
        gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<_GLUfuncptr>(&OnVertex));
        gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<_GLUfuncptr>(&OnCombine));
        gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<_GLUfuncptr>(&OnError));
        if (!boundaryOnly) {
            // An edge-flag callback makes the tessellator hand out plain
            // triangles only, never fans or strips.
            gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA,
                            reinterpret_cast<_GLUfuncptr>(&OnEdgeFlag));
        }
        gluTessBeginPolygon(tess, this);
        for (const std::vector<draw::OutlinePoint>& contour : glyph.contours) {
            gluTessBeginContour(tess);
            for (const draw::OutlinePoint& point : contour) {
                std::array<GLdouble, 3>& stored =
                    m_points.emplace_back(std::array<GLdouble, 3>{point.x, point.y, 0.0});
                gluTessVertex(tess, stored.data(), stored.data());
            }
            gluTessEndContour(tess);
        }
        gluTessEndPolygon(tess);
        gluDeleteTess(tess);
    }

    [[nodiscard]] bool Failed() const { return m_failed; }
    [[nodiscard]] const std::vector<Triangle>& Triangles() const { return m_triangles; }
    [[nodiscard]] const std::vector<Loop>& Loops() const { return m_loops; }

private:
    static void OnBegin(GLenum /*type*/, void* self) {
        auto* tessellation = static_cast<GlyphTessellation*>(self);
        if (tessellation->m_boundaryOnly) {
            tessellation->m_loops.emplace_back();
        }
    }

    static void OnVertex(void* vertex, void* self) {
        auto* tessellation = static_cast<GlyphTessellation*>(self);
        const auto* p = static_cast<const GLdouble*>(vertex);
        const draw::OutlinePoint point{p[0], p[1]};
        if (tessellation->m_boundaryOnly) {
            if (!tessellation->m_loops.empty()) {
                tessellation->m_loops.back().push_back(point);
            }
            return;
        }
        tessellation->m_corners[tessellation->m_cornerCount++] = point;
        if (tessellation->m_cornerCount == 3) {
            tessellation->m_triangles.push_back(tessellation->m_corners);
            tessellation->m_cornerCount = 0;
        }
    }

    static void OnCombine(GLdouble coords[3], void* /*data*/[4], GLfloat /*weight*/[4], void** out,
                          void* self) {
        auto* tessellation = static_cast<GlyphTessellation*>(self);
        std::array<GLdouble, 3>& stored =
            tessellation->m_points.emplace_back(std::array<GLdouble, 3>{coords[0], coords[1], 0.0});
        *out = stored.data();
    }

    static void OnEdgeFlag(GLboolean /*flag*/, void* /*self*/) {}

    static void OnError(GLenum /*error*/, void* self) {
        static_cast<GlyphTessellation*>(self)->m_failed = true;
    }

    bool m_boundaryOnly;
    // Addresses handed to the tessellator must stay put while it runs.
    std::deque<std::array<GLdouble, 3>> m_points;
    std::vector<Triangle> m_triangles;
    std::vector<Loop> m_loops;
    Triangle m_corners{};
    int m_cornerCount = 0;
    bool m_failed = false;
};

class TextMeshBuilder {
public:
    explicit TextMeshBuilder(float extrusion) : m_extrusion(extrusion) {}

    // A glyph the tessellator cannot take (a damaged outline) is left out
    // whole rather than half made.
    void AddGlyph(const draw::GlyphOutline& glyph) {
        const GlyphTessellation fill(glyph, false);
        const GlyphTessellation boundary(glyph, true);
        if (fill.Failed() || boundary.Failed()) {
            return;
        }
        for (const GlyphTessellation::Triangle& t : fill.Triangles()) {
            AddTriangle(At(t[0], 0.0f), At(t[1], 0.0f), At(t[2], 0.0f), {0.0f, 0.0f, -1.0f});
            AddTriangle(At(t[0], m_extrusion), At(t[1], m_extrusion), At(t[2], m_extrusion),
                        {0.0f, 0.0f, 1.0f});
        }
        for (const GlyphTessellation::Loop& loop : boundary.Loops()) {
            for (std::size_t i = 0; i < loop.size(); ++i) {
                AddSide(loop[i], loop[(i + 1) % loop.size()]);
            }
        }
    }

    const std::vector<TextVertex>& Vertices() const { return m_vertices; }
    const std::vector<uint32_t>& Indices() const { return m_indices; }

private:
    static Vector3 At(const draw::OutlinePoint& p, float z) {
        return {static_cast<float>(p.x), static_cast<float>(p.y), z};
    }

    // One face whose front side looks along normal.
    void AddTriangle(const Vector3& a, Vector3 b, Vector3 c, const Vector3& normal) {
        if (Vec3Dot(Vec3Cross(b - a, c - a), normal) < 0.0f) {
            std::swap(b, c);
        }
        for (const Vector3& corner : {a, b, c}) {
            m_indices.push_back(VertexIndex(corner, normal));
        }
    }

    // Corners with the same position and normal share one vertex.
    uint32_t VertexIndex(const Vector3& position, const Vector3& normal) {
        const std::array<float, 6> key = {position.x, position.y, position.z,
                                          normal.x,   normal.y,   normal.z};
        const auto [found, added] =
            m_vertexIndex.try_emplace(key, static_cast<uint32_t>(m_vertices.size()));
        if (added) {
            m_vertices.push_back({position, normal});
        }
        return found->second;
    }

    // The quad that the boundary edge from a to b sweeps along z; the
    // filled region lies to the left of the edge, so outwards is right.
    void AddSide(const draw::OutlinePoint& a, const draw::OutlinePoint& b) {
        const Vector3 along = {static_cast<float>(b.x - a.x), static_cast<float>(b.y - a.y), 0.0f};
        if (along.x == 0.0f && along.y == 0.0f) {
            return;
        }
        const Vector3 normal = Vec3Normalize({along.y, -along.x, 0.0f});
        const Vector3 a0 = At(a, 0.0f);
        const Vector3 b0 = At(b, 0.0f);
        const Vector3 a1 = At(a, m_extrusion);
        const Vector3 b1 = At(b, m_extrusion);
        AddTriangle(a0, b0, b1, normal);
        AddTriangle(a0, b1, a1, normal);
    }

    float m_extrusion;
    std::vector<TextVertex> m_vertices;
    std::vector<uint32_t> m_indices;
    std::map<std::array<float, 6>, uint32_t> m_vertexIndex;
};

}  // namespace

Result CreateTextMesh(Device* device, const draw::Font& font, std::string_view utf8,
                      float deviation, float extrusion, std::unique_ptr<Mesh>* mesh) {
    mesh->reset();
    TextMeshBuilder builder(extrusion);
    for (const draw::GlyphOutline& glyph : draw::OutlineText(font, utf8, deviation)) {
        builder.AddGlyph(glyph);
    }
    const std::vector<TextVertex>& vertices = builder.Vertices();
    const std::vector<uint32_t>& corners = builder.Indices();
    if (corners.empty()) {
        return kErrInvalidCall;
    }
    const auto vertexCount = static_cast<uint32_t>(vertices.size());
    const uint32_t options = kMeshManaged | (vertexCount > kMax16BitVertices ? kMesh32Bit : 0u);
    std::unique_ptr<Mesh> made;
    const Result created = Mesh::Create(static_cast<uint32_t>(corners.size() / 3), vertexCount,
                                        options, kFvfXyz | kFvfNormal, device, &made);
    if (Failed(created)) {
        return created;
    }
    const std::span<TextVertex> target = made->EditVerticesAs<TextVertex>();
    std::copy(vertices.begin(), vertices.end(), target.begin());
    if (made->Has32BitIndices()) {
        std::copy(corners.begin(), corners.end(), made->EditIndices32().begin());
    } else {
        const std::span<uint16_t> indices = made->EditIndices16();
        for (std::size_t i = 0; i < corners.size(); ++i) {
            indices[i] = static_cast<uint16_t>(corners[i]);
        }
    }
    *mesh = std::move(made);
    return kOk;
}

}  // namespace gfx
