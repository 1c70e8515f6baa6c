#include "platform/gfx/MeshAdjacency.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <numeric>
#include <unordered_map>

#include "platform/gfx/Mesh.h"

namespace gfx {
namespace {

class DisjointSets {
public:
    explicit DisjointSets(size_t count) : m_parent(count) {
        std::iota(m_parent.begin(), m_parent.end(), 0u);
    }
    uint32_t Find(uint32_t item) {
        while (m_parent[item] != item) {
            m_parent[item] = m_parent[m_parent[item]];
            item = m_parent[item];
        }
        return item;
    }
    void Join(uint32_t a, uint32_t b) {
        a = Find(a);
        b = Find(b);
        m_parent[std::max(a, b)] = std::min(a, b);
    }

private:
    std::vector<uint32_t> m_parent;
};

// The exact position as sortable bits; -0 and +0 are one coordinate.
std::array<uint32_t, 3> PositionBits(const Vector3& p) {
    auto bits = [](float c) { return std::bit_cast<uint32_t>(c == 0.0f ? 0.0f : c); };
    return {bits(p.x), bits(p.y), bits(p.z)};
}

void JoinEqualPositions(const Mesh& mesh, DisjointSets& points) {
    std::vector<std::pair<std::array<uint32_t, 3>, uint32_t>> sorted;
    sorted.reserve(mesh.GetNumVertices());
    for (uint32_t v = 0; v < mesh.GetNumVertices(); ++v) {
        sorted.emplace_back(PositionBits(mesh.GetPosition(v)), v);
    }
    std::ranges::sort(sorted);
    for (size_t i = 1; i < sorted.size(); ++i) {
        if (sorted[i].first == sorted[i - 1].first) {
            points.Join(sorted[i].second, sorted[i - 1].second);
        }
    }
}

using Cell = std::array<int64_t, 3>;

struct CellHash {
    size_t operator()(const Cell& cell) const {
        size_t hash = 0;
        for (int64_t c : cell) {
            hash = hash * 1000003u ^ std::hash<int64_t>()(c);
        }
        return hash;
    }
};

// Vertices within epsilon lie in the same or a neighbouring cell of a grid
// of epsilon-sized cells, so each is compared with those of 27 cells only.
void JoinNearPositions(const Mesh& mesh, float epsilon, DisjointSets& points) {
    std::unordered_map<Cell, std::vector<uint32_t>, CellHash> grid;
    auto within = [epsilon](const Vector3& a, const Vector3& b) {
        return std::abs(a.x - b.x) <= epsilon && std::abs(a.y - b.y) <= epsilon &&
               std::abs(a.z - b.z) <= epsilon;
    };
    for (uint32_t v = 0; v < mesh.GetNumVertices(); ++v) {
        const Vector3 p = mesh.GetPosition(v);
        Cell cell;
        bool onGrid = true;
        const float coordinates[3] = {p.x, p.y, p.z};
        for (int axis = 0; axis < 3; ++axis) {
            const double c = std::floor(double{coordinates[axis]} / epsilon);
            onGrid = onGrid && std::abs(c) < 0x1p62;
            cell[axis] = onGrid ? static_cast<int64_t>(c) : 0;
        }
        if (!onGrid) {
            continue;  // beyond any grid (or not a number): a point of its own
        }
        for (int64_t dx = -1; dx <= 1; ++dx) {
            for (int64_t dy = -1; dy <= 1; ++dy) {
                for (int64_t dz = -1; dz <= 1; ++dz) {
                    const auto found = grid.find({cell[0] + dx, cell[1] + dy, cell[2] + dz});
                    if (found == grid.end()) {
                        continue;
                    }
                    for (uint32_t other : found->second) {
                        if (within(p, mesh.GetPosition(other))) {
                            points.Join(v, other);
                        }
                    }
                }
            }
        }
        grid[cell].push_back(v);
    }
}

struct EdgeUse {
    uint64_t points;    // the lower point number in the high half
    uint32_t faceEdge;  // face * 3 + edge
    bool rising;        // runs from the lower point to the higher
};

}  // namespace

Result GenerateAdjacency(const Mesh& mesh, float epsilon, std::vector<uint32_t>* adjacency) {
    if (adjacency == nullptr || !(epsilon >= 0.0f) || !mesh.IndicesInRange()) {
        return kErrInvalidCall;
    }
    DisjointSets points(mesh.GetNumVertices());
    if (epsilon == 0.0f) {
        JoinEqualPositions(mesh, points);
    } else {
        JoinNearPositions(mesh, epsilon, points);
    }

    std::vector<EdgeUse> uses;
    uses.reserve(size_t{mesh.GetNumFaces()} * 3);
    for (uint32_t face = 0; face < mesh.GetNumFaces(); ++face) {
        const std::array<uint32_t, 3> corners = mesh.GetFace(face);
        for (uint32_t edge = 0; edge < 3; ++edge) {
            const uint32_t a = points.Find(corners[edge]);
            const uint32_t b = points.Find(corners[(edge + 1) % 3]);
            if (a != b) {
                const uint64_t key = (uint64_t{std::min(a, b)} << 32) | std::max(a, b);
                uses.push_back({key, face * 3 + edge, a < b});
            }
        }
    }
    std::ranges::sort(uses, [](const EdgeUse& x, const EdgeUse& y) {
        return x.points != y.points ? x.points < y.points : x.faceEdge < y.faceEdge;
    });

    adjacency->assign(size_t{mesh.GetNumFaces()} * 3, kNoNeighbour);
    std::vector<bool> paired(uses.size());
    for (size_t first = 0; first < uses.size();) {
        size_t end = first;
        while (end < uses.size() && uses[end].points == uses[first].points) {
            ++end;
        }
        for (size_t i = first; i < end; ++i) {
            if (paired[i]) {
                continue;
            }
            const uint32_t face = uses[i].faceEdge / 3;
            size_t partner = end;
            for (size_t j = i + 1; j < end; ++j) {
                if (paired[j] || uses[j].faceEdge / 3 == face) {
                    continue;
                }
                if (uses[j].rising != uses[i].rising) {
                    partner = j;
                    break;
                }
                if (partner == end) {
                    partner = j;
                }
            }
            if (partner != end) {
                paired[i] = paired[partner] = true;
                (*adjacency)[uses[i].faceEdge] = uses[partner].faceEdge / 3;
                (*adjacency)[uses[partner].faceEdge] = face;
            }
        }
        first = end;
    }
    return kOk;
}

}  // namespace gfx
