#include "view3d/OverlayPrism.h"

#include <cstddef>

namespace {

struct Corner {
    float y, z;
};

// Counter-clockwise from (1, 0) as seen from +x.
constexpr Corner kOctagon[8] = {{1.0f, 0.0f},      {0.707f, 0.707f}, {0.0f, 1.0f},
                                {-0.707f, 0.707f}, {-1.0f, 0.0f},    {-0.707f, -0.707f},
                                {0.0f, -1.0f},     {0.707f, -0.707f}};

class PrismWriter {
public:
    explicit PrismWriter(std::array<OverlayVertex, kOverlayPrismVertexCount>& vertices)
        : m_vertices(vertices) {}

    void Add(float x, const Corner& c, float nx, float ny, float nz) {
        m_vertices[m_next++] = OverlayVertex{x, c.y, c.z, nx, ny, nz, 0.0f, 0.0f};
    }

    // Two triangles ((0, A), (1, A), (0, B)) and ((1, A), (1, B), (0, B)).
    void Side(int a, int b, float ny, float nz) {
        Add(0.0f, kOctagon[a], 0.0f, ny, nz);
        Add(1.0f, kOctagon[a], 0.0f, ny, nz);
        Add(0.0f, kOctagon[b], 0.0f, ny, nz);
        Add(1.0f, kOctagon[a], 0.0f, ny, nz);
        Add(1.0f, kOctagon[b], 0.0f, ny, nz);
        Add(0.0f, kOctagon[b], 0.0f, ny, nz);
    }

private:
    std::array<OverlayVertex, kOverlayPrismVertexCount>& m_vertices;
    std::size_t m_next = 0;
};

}  // namespace

std::array<OverlayVertex, kOverlayPrismVertexCount> BuildOverlayPrism() {
    std::array<OverlayVertex, kOverlayPrismVertexCount> vertices{};
    PrismWriter writer(vertices);

    // Both caps fan out from corner 0; the cap at x = 0 runs the other way round.
    for (int k = 1; k <= 6; ++k) {
        writer.Add(0.0f, kOctagon[0], -1.0f, 0.0f, 0.0f);
        writer.Add(0.0f, kOctagon[k + 1], -1.0f, 0.0f, 0.0f);
        writer.Add(0.0f, kOctagon[k], -1.0f, 0.0f, 0.0f);
    }
    for (int k = 1; k <= 6; ++k) {
        writer.Add(1.0f, kOctagon[0], 1.0f, 0.0f, 0.0f);
        writer.Add(1.0f, kOctagon[k], 1.0f, 0.0f, 0.0f);
        writer.Add(1.0f, kOctagon[k + 1], 1.0f, 0.0f, 0.0f);
    }

    // The sides in four pairs, each pair sharing one normal.
    writer.Side(0, 7, 1.0f, -1.0f);
    writer.Side(7, 6, 1.0f, -1.0f);
    writer.Side(6, 5, -1.0f, -1.0f);
    writer.Side(5, 4, -1.0f, -1.0f);
    writer.Side(4, 3, -1.0f, 1.0f);
    writer.Side(3, 2, -1.0f, 1.0f);
    writer.Side(2, 1, 1.0f, 1.0f);
    writer.Side(1, 0, 1.0f, 1.0f);
    return vertices;
}
