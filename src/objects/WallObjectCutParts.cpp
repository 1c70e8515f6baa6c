#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"
#include "platform/gfx/Mesh.h"

namespace {

template <typename T>
void SwapEntries(std::vector<T>& values, int a, int b) {
    const auto i = static_cast<std::size_t>(a);
    const auto j = static_cast<std::size_t>(b);
    if (i < values.size() && j < values.size()) {
        std::swap(values[i], values[j]);
    }
}

void Exchange(std::vector<int>& parts, int a, int b) {
    for (int& part : parts) {
        if (part == a) {
            part = b;
        } else if (part == b) {
            part = a;
        }
    }
}

}  // namespace

std::vector<std::array<float, 3>> CWallObject::FaceLocalToMesh(
    int face, std::span<const CVector2F> points) const {
    std::vector<std::array<float, 3>> lifted;
    lifted.reserve(points.size());
    const CVector2F origin = GetFaceOrigin(face);
    const float heading = GetFaceHeading(face);
    const float c = std::cos(heading);
    const float s = std::sin(heading);
    for (const CVector2F& p : points) {
        if (face == 0) {
            lifted.push_back({origin.x + p.x, m_extent[2], p.y - origin.y});
        } else if (face == 1) {
            lifted.push_back({origin.x + p.x, 0.0f, m_extent[1] - p.y - origin.y});
        } else {
            lifted.push_back({p.x * c + origin.x, p.y, -origin.y - p.x * s});
        }
    }
    return lifted;
}

void CWallObject::ShiftIndicesAfter(int first, int count) {
    for (uint16_t& index : m_meshIndices) {
        if (index > first) {
            index = static_cast<uint16_t>(index - count);
        }
    }
    for (std::vector<VertexRange>* ranges : {&m_refinementVertexRanges, &m_cutVertexRanges}) {
        for (VertexRange& range : *ranges) {
            if (range.first > first) {
                range.first -= count;
                range.last -= count;
            }
        }
    }
    for (std::vector<int>& triangles : m_refinementTriangles) {
        for (int& value : triangles) {
            if (value > first) {
                value -= count;
            }
        }
    }
}

void CWallObject::RemovePartGeometry(int part) {
    std::size_t kept = 0;
    const std::size_t triangles = std::min(m_meshAttributes.size(), m_meshIndices.size() / 3);
    for (std::size_t t = 0; t < triangles; ++t) {
        if (m_meshAttributes[t] == static_cast<uint32_t>(part)) {
            continue;
        }
        m_meshAttributes[kept] = m_meshAttributes[t];
        std::copy_n(m_meshIndices.begin() + static_cast<long>(3 * t), 3,
                    m_meshIndices.begin() + static_cast<long>(3 * kept));
        ++kept;
    }
    m_meshAttributes.resize(kept);
    m_meshIndices.resize(3 * kept);
    if (part < 0 || part >= m_materialCount ||
        static_cast<std::size_t>(part) >= m_cutVertexRanges.size()) {
        return;
    }
    VertexRange& range = m_cutVertexRanges[static_cast<std::size_t>(part)];
    if (range.first == 0 && range.last == 0) {
        return;
    }
    const int first = range.first;
    const int last = std::min(range.last, static_cast<int>(m_meshVertices.size()) - 1);
    range = {};
    if (first < 0 || last < first) {
        return;
    }
    m_meshVertices.erase(m_meshVertices.begin() + first, m_meshVertices.begin() + last + 1);
    if (static_cast<std::size_t>(last) < m_vertexTextureRecords.size()) {
        m_vertexTextureRecords.erase(m_vertexTextureRecords.begin() + first,
                                     m_vertexTextureRecords.begin() + last + 1);
    }
    ShiftIndicesAfter(first, last - first + 1);
}

void CWallObject::SwapParts(int a, int b, int withOpenings) {
    if (a < 0 || b < 0 || a >= m_materialCount || b >= m_materialCount || a == b) {
        return;
    }
    const auto ua = static_cast<uint32_t>(a);
    const auto ub = static_cast<uint32_t>(b);
    for (uint32_t& attribute : m_meshAttributes) {
        attribute = attribute == ua ? ub : (attribute == ub ? ua : attribute);
    }
    for (VertexTextureRecord& record : m_vertexTextureRecords) {
        record.part = record.part == a ? b : (record.part == b ? a : record.part);
    }
    SwapEntries(m_materials, a, b);
    SwapEntries(m_sourceMaterials, a, b);
    SwapEntries(m_textures, a, b);
    SwapEntries(m_sourceTextures, a, b);
    SwapEntries(m_textureNames, a, b);
    SwapEntries(m_sourceTextureNames, a, b);
    SwapEntries(m_bumpTextures, a, b);
    SwapEntries(m_mappingRecords, a, b);
    SwapEntries(m_refinementVertexRanges, a, b);
    SwapEntries(m_cutVertexRanges, a, b);
    SwapEntries(m_refineRecords, a, b);
    SwapEntries(m_refinementTriangles, a, b);
    for (std::vector<SplitRecord>& records : m_splitRecords) {
        for (SplitRecord& record : records) {
            Exchange(record.parts, a, b);
        }
    }
    for (std::vector<int>& cells : m_cellParts) {
        Exchange(cells, a, b);
    }
    for (const std::unique_ptr<WallFaceItem>& item : m_faceItems) {
        Exchange(item->parts, a, b);
    }
    if (withOpenings != 0 && m_mesh) {
        for (uint32_t& attribute : m_mesh->EditAttributes()) {
            attribute = attribute == ua ? ub : (attribute == ub ? ua : attribute);
        }
    }
}

void CWallObject::CompactPartsAndRemap(const std::vector<int>& parts, std::vector<int>& other) {
    std::vector<bool> marked(static_cast<std::size_t>(std::max(m_materialCount, 0)), false);
    for (const int part : parts) {
        if (part >= 0 && part < m_materialCount) {
            marked[static_cast<std::size_t>(part)] = true;
        }
    }
    int i = 0;
    for (;;) {
        while (i < m_materialCount && !marked[static_cast<std::size_t>(i)]) {
            ++i;
        }
        int j = i + 1;
        while (j < m_materialCount && marked[static_cast<std::size_t>(j)]) {
            ++j;
        }
        if (j >= m_materialCount) {
            break;
        }
        SwapParts(j, i, 0);
        Exchange(other, i, j);
        std::vector<bool>::swap(marked[static_cast<std::size_t>(i)],
                                marked[static_cast<std::size_t>(j)]);
    }
    if (i > 0 && i < m_materialCount) {
        m_materialCount = i;
    }
}

void CWallObject::CompactParts(const std::vector<int>& parts) {
    std::vector<int> none;
    CompactPartsAndRemap(parts, none);
}

void CWallObject::BuildFaceGeometry(int face, const std::vector<CVector2F>& triangles,
                                    const std::vector<std::vector<CVector2F>>& areas,
                                    const std::vector<int>& removed,
                                    const std::vector<WallFaceItem*>& items) {
    const auto f = static_cast<std::size_t>(face);
    RemovePartGeometry(face);
    std::vector<SplitRecord>& records = m_splitRecords[f];
    for (auto record = records.begin(); record != records.end();) {
        const bool gone = std::any_of(record->parts.begin(), record->parts.end(), [&](int part) {
            return std::find(removed.begin(), removed.end(), part) != removed.end();
        });
        if (!gone) {
            ++record;
            continue;
        }
        for (const int part : record->parts) {
            RemovePartGeometry(part);
        }
        record = records.erase(record);
    }
    CompactParts(removed);
    ResizePartArrays(m_materialCount);

    const bool ceiling = GetType() == kCeilingObjectType;
    auto addTriangles = [&](const std::vector<CVector2F>& points, int part) {
        const std::vector<std::array<float, 3>> lifted = FaceLocalToMesh(face, points);
        VertexRange& range = m_cutVertexRanges[static_cast<std::size_t>(part)];
        range.first = static_cast<int>(m_meshVertices.size());
        for (std::size_t t = 0; t + 2 < lifted.size(); t += 3) {
            const auto b = static_cast<uint16_t>(m_meshVertices.size());
            for (std::size_t k = 0; k < 3; ++k) {
                float u = 0.0f;
                float v = 0.0f;
                InterpolateFaceUV(face, lifted[t + k].data(), &u, &v);
                m_meshVertices.push_back(
                    MakeVertex(lifted[t + k][0], lifted[t + k][1], lifted[t + k][2], u, v));
                m_vertexTextureRecords.push_back({part, u, v});
            }
            if (ceiling) {
                m_meshIndices.insert(m_meshIndices.end(), {b, static_cast<uint16_t>(b + 2),
                                                           static_cast<uint16_t>(b + 1)});
            } else {
                m_meshIndices.insert(m_meshIndices.end(), {b, static_cast<uint16_t>(b + 1),
                                                           static_cast<uint16_t>(b + 2)});
            }
            m_meshAttributes.push_back(static_cast<uint32_t>(part));
        }
        range.last = static_cast<int>(m_meshVertices.size()) - 1;
    };
    addTriangles(triangles, face);

    const int firstArea = m_materialCount;
    ResizePartArrays(m_materialCount + static_cast<int>(areas.size()));
    std::size_t area = 0;
    for (WallFaceItem* item : items) {
        if (area >= areas.size()) {
            break;
        }
        if (item->face != face || !item->IsSplitArea() || item->applied != 0) {
            continue;
        }
        const int part = firstArea + static_cast<int>(area);
        addTriangles(areas[area], part);
        m_splitRecords[f].push_back({0, {part}});
        item->recordKind = 0;
        item->parts = {part};
        m_mappingRecords[static_cast<std::size_t>(part)] = m_mappingRecords[f];
        ++area;
    }
}
