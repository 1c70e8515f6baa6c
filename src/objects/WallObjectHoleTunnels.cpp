#include <cmath>
#include <memory>
#include <vector>

#include "objects/HoleTunnelGeometry.h"
#include "objects/WallObject.h"
#include "platform/gfx/MeshTypes.h"

namespace {

struct MatchedOutlines {
    std::vector<TunnelPoint> nearOutline;
    std::vector<TunnelPoint> farOutline;
};

// The hole's outline on its face and its twin's across the wall, point by
// point; both empty without a twin.
MatchedOutlines MatchTwinOutlines(const CWallObject& wall, const WallFaceItem& item) {
    const WallFaceItem* twin = wall.FindTwinItem(item);
    if (twin == nullptr) {
        return {};
    }
    MatchedOutlines outlines;
    outlines.nearOutline = wall.FaceLocalToMesh(item.face, CWallObject::GetItemPolygon(item));
    if (outlines.nearOutline.empty()) {
        return {};
    }
    outlines.farOutline =
        MatchFarOutline(wall.FaceLocalToMesh(twin->face, CWallObject::GetItemPolygon(*twin)),
                        outlines.nearOutline.front(), item.kind == WallFaceItem::kCircle);
    return outlines;
}

}  // namespace

void CWallObject::BuildHoleTunnels(int face) {
    if (face < 0 || face >= static_cast<int>(m_splitRecords.size())) {
        return;
    }
    for (const std::unique_ptr<WallFaceItem>& item : m_faceItems) {
        if (item->face != face || item->cutOut != 1 || item->applied != 0 ||
            item->twinCreated != 0) {
            continue;
        }
        const MatchedOutlines outlines = MatchTwinOutlines(*this, *item);
        const bool round = item->kind == WallFaceItem::kCircle;
        const std::vector<TunnelQuad> quads =
            MakeTunnelQuads(outlines.nearOutline, outlines.farOutline, round);
        if (quads.empty()) {
            continue;
        }
        const int firstPart = m_materialCount;
        const int partCount = round ? 1 : static_cast<int>(quads.size());
        ResizePartArrays(firstPart + partCount);
        std::vector<int> parts;
        for (int k = 0; k < partCount; ++k) {
            parts.push_back(firstPart + k);
        }
        // Indices of vertices past what 16 bits number are never stored:
        // the vertices alone go in, and the mesh rebuild refuses the face.
        const bool indexable = m_meshVertices.size() + 4 * quads.size() <= gfx::kMax16BitVertices;
        for (std::size_t k = 0; k < quads.size(); ++k) {
            const TunnelQuad& quad = quads[k];
            const int part = round ? firstPart : firstPart + static_cast<int>(k);
            const auto base = static_cast<int>(m_meshVertices.size());
            if (!round || k == 0) {
                m_cutVertexRanges[static_cast<std::size_t>(part)].first = base;
            }
            const auto add = [&](const TunnelPoint& p, float u, float v) {
                m_meshVertices.push_back(MakeVertex(p[0], p[1], p[2], u, v));
                m_vertexTextureRecords.push_back({part, u, v});
            };
            add(quad.m, quad.u0, 0.0f);
            add(quad.o, quad.u1, 0.0f);
            add(quad.q, quad.u0, quad.vq);
            add(quad.r, quad.u1, quad.vr);
            m_cutVertexRanges[static_cast<std::size_t>(part)].last = base + 3;
            if (indexable) {
                const auto b = static_cast<uint16_t>(base);
                m_meshIndices.insert(m_meshIndices.end(),
                                     {b, static_cast<uint16_t>(b + 2), static_cast<uint16_t>(b + 1),
                                      static_cast<uint16_t>(b + 2), static_cast<uint16_t>(b + 3),
                                      static_cast<uint16_t>(b + 1)});
                m_meshAttributes.insert(m_meshAttributes.end(), 2, static_cast<uint32_t>(part));
            }
        }
        m_splitRecords[static_cast<std::size_t>(face)].push_back(SplitRecord{1, parts});
        item->recordKind = 1;
        item->parts = parts;
    }
}

float CWallObject::GetHoleThickness(const WallFaceItem& item) const {
    if (item.cutOut != 1) {
        return 0.0f;
    }
    const MatchedOutlines outlines = MatchTwinOutlines(*this, item);
    if (outlines.farOutline.empty()) {
        return 0.0f;
    }
    const TunnelPoint& a = outlines.nearOutline.front();
    const TunnelPoint& b = outlines.farOutline.front();
    const float dx = a[0] - b[0];
    const float dy = a[1] - b[1];
    const float dz = a[2] - b[2];
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}
