#include <algorithm>
#include <cstddef>
#include <map>
#include <vector>

#include "objects/WallObject.h"

namespace {

// More triangles than this cannot be numbered by a 16-bit mesh anyway.
constexpr std::size_t kMostTriangles = 0xFFFF / 3;

float Along(int mode, const CVector2F& p) {
    return mode == 0 ? p.y : p.x;
}

// The point where the edge from a to b meets the line, exactly on it.
CVector2F Crossing(int mode, float value, const CVector2F& a, const CVector2F& b) {
    const float t = (value - Along(mode, a)) / (Along(mode, b) - Along(mode, a));
    if (mode == 0) {
        return {a.x + (b.x - a.x) * t, value};
    }
    return {value, a.y + (b.y - a.y) * t};
}

int Side(int mode, float value, const CVector2F& p) {
    const float d = Along(mode, p) - value;
    return d > 0.0f ? 1 : (d < 0.0f ? -1 : 0);
}

// The first of the sorted lines that every corner lies at or below; the
// number of lines when none.
int CellIndex(const std::vector<float>& lines, int mode, const CVector2F* corners) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (Along(mode, corners[0]) <= lines[i] && Along(mode, corners[1]) <= lines[i] &&
            Along(mode, corners[2]) <= lines[i]) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(lines.size());
}

}  // namespace

int CWallObject::CutTriangleByLine(int mode, float value, CVector2F* triangle,
                                   std::vector<CVector2F>& out) {
    const int sides[3] = {Side(mode, value, triangle[0]), Side(mode, value, triangle[1]),
                          Side(mode, value, triangle[2])};
    const bool above = sides[0] > 0 || sides[1] > 0 || sides[2] > 0;
    const bool below = sides[0] < 0 || sides[1] < 0 || sides[2] < 0;
    if (!above || !below) {
        return 1;
    }
    // Turn the corners so that the vertex on the line, or the one alone on
    // its side, comes first; the winding stays.
    int lead = 0;
    for (int k = 0; k < 3; ++k) {
        if (sides[k] == 0) {
            lead = k;
            break;
        }
        if (sides[k] != sides[(k + 1) % 3] && sides[k] != sides[(k + 2) % 3]) {
            lead = k;
        }
    }
    const CVector2F a = triangle[lead];
    const CVector2F b = triangle[(lead + 1) % 3];
    const CVector2F c = triangle[(lead + 2) % 3];
    if (sides[lead] == 0) {
        const CVector2F x = Crossing(mode, value, b, c);
        triangle[0] = a;
        triangle[1] = b;
        triangle[2] = x;
        out.insert(out.end(), {a, x, c});
        return 2;
    }
    const CVector2F x = Crossing(mode, value, a, b);
    const CVector2F y = Crossing(mode, value, a, c);
    triangle[0] = a;
    triangle[1] = x;
    triangle[2] = y;
    out.insert(out.end(), {x, b, c, x, c, y});
    return 3;
}

int CWallObject::SplitByLines(const std::vector<WallFaceItem*>& items,
                              std::vector<CVector2F>& triangles, int face,
                              std::vector<int>& cells) const {
    std::vector<float> hy;
    std::vector<float> vx;
    for (const WallFaceItem* item : items) {
        if (item->face != face || item->cutOut != 0) {
            continue;
        }
        if (item->kind == WallFaceItem::kHorizontalSplitLine) {
            hy.push_back(item->firstCorner.y);
        } else if (item->kind == WallFaceItem::kVerticalSplitLine) {
            vx.push_back(item->firstCorner.x);
        }
    }
    cells.clear();
    if (hy.empty() && vx.empty()) {
        return 0;
    }
    if ((hy.size() + 1) * (vx.size() + 1) > kMostTriangles) {
        return -1;
    }
    std::sort(hy.begin(), hy.end());
    std::sort(vx.begin(), vx.end());
    for (const auto& [mode, lines] : {std::pair{0, &hy}, std::pair{1, &vx}}) {
        for (std::size_t t = 0; t + 2 < triangles.size(); t += 3) {
            for (const float value : *lines) {
                std::vector<CVector2F> pieces;
                CVector2F corners[3] = {triangles[t], triangles[t + 1], triangles[t + 2]};
                if (triangles.size() / 3 > kMostTriangles) {
                    return -1;
                }
                if (CutTriangleByLine(mode, value, corners, pieces) > 1) {
                    std::copy(corners, corners + 3, triangles.begin() + static_cast<long>(t));
                    triangles.insert(triangles.end(), pieces.begin(), pieces.end());
                }
            }
        }
    }
    const int rows = static_cast<int>(hy.size()) + 1;
    const int count = rows * (static_cast<int>(vx.size()) + 1);
    std::vector<bool> occupied(static_cast<std::size_t>(count), false);
    for (std::size_t t = 0; t + 2 < triangles.size(); t += 3) {
        const int cell = CellIndex(hy, 0, &triangles[t]) + CellIndex(vx, 1, &triangles[t]) * rows;
        cells.push_back(cell);
        occupied[static_cast<std::size_t>(cell)] = true;
    }
    for (int cell = count - 1; cell >= 0; --cell) {
        if (!occupied[static_cast<std::size_t>(cell)]) {
            return cell;
        }
    }
    return count - 1;
}

void CWallObject::AssignCellParts(int face, const std::vector<int>& cells) {
    std::map<int, int> partOfCell;
    const int first = m_materialCount;
    std::size_t k = 0;
    const std::size_t triangles = std::min(m_meshAttributes.size(), m_meshIndices.size() / 3);
    for (std::size_t t = 0; t < triangles && k < cells.size(); ++t) {
        if (m_meshAttributes[t] != static_cast<uint32_t>(face)) {
            continue;
        }
        const int cell = cells[k++];
        if (cell == 0) {
            continue;
        }
        auto [at, added] =
            partOfCell.try_emplace(cell, first + static_cast<int>(partOfCell.size()));
        if (added) {
            m_cellParts[static_cast<std::size_t>(face)].push_back(at->second);
        }
        m_meshAttributes[t] = static_cast<uint32_t>(at->second);
        for (std::size_t c = 0; c < 3; ++c) {
            const std::size_t vertex = m_meshIndices[3 * t + c];
            if (vertex < m_vertexTextureRecords.size()) {
                m_vertexTextureRecords[vertex].part = at->second;
            }
        }
    }
    m_materialCount = first + static_cast<int>(partOfCell.size());
}
