#include "objects/WallObject.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "foundation/PathUtils.h"
#include "objects/CatalogDatabase.h"
#include "objects/CostItemRecord.h"
#include "platform/gfx/VectorMath.h"

namespace {

constexpr double kPingPerSquareCentimetre = 0.0001 * 0.3025;

// Tiles needed to cover `length` with tiles of `tile`; none for a tile
// without size, so that an unset catalogue size counts nothing.
double TilesAlong(double length, double tile) {
    return tile > 0.0 ? std::ceil(length / tile) : 0.0;
}

int32_t ToTileCount(double tiles) {
    if (!(tiles > 0.0)) {
        return 0;
    }
    return static_cast<int32_t>(std::min(tiles, double{std::numeric_limits<int32_t>::max()}));
}

}  // namespace

void CWallObject::GetFaceInfo(int part, CostItemRecord* item) const {
    if (item == nullptr) {
        return;
    }
    *item = CostItemRecord();
    // A face line counts tiles, not items.
    item->count = 0;

    double area = 0.0;
    gfx::Vector3 min{};
    gfx::Vector3 max{};
    bool any = false;
    const std::size_t triangles = std::min(m_meshAttributes.size(), m_meshIndices.size() / 3);
    for (std::size_t t = 0; t < triangles; ++t) {
        if (m_meshAttributes[t] != static_cast<uint32_t>(part)) {
            continue;
        }
        const uint16_t* index = &m_meshIndices[3 * t];
        if (std::max({index[0], index[1], index[2]}) >= m_meshVertices.size()) {
            continue;
        }
        gfx::Vector3 corners[3];
        for (int k = 0; k < 3; ++k) {
            const MeshVertex& v = m_meshVertices[index[k]];
            corners[k] = {v.x, v.y, v.z};
            if (!any) {
                min = max = corners[k];
                any = true;
            }
            min = gfx::Vec3Minimize(min, corners[k]);
            max = gfx::Vec3Maximize(max, corners[k]);
        }
        area +=
            0.5 * gfx::Vec3Length(gfx::Vec3Cross(corners[1] - corners[0], corners[2] - corners[0]));
    }
    item->area = static_cast<float>(area);
    item->areaInPing = static_cast<float>(area * kPingPerSquareCentimetre);

    if (part < 0 || part >= static_cast<int>(m_textureNames.size()) ||
        m_textureNames[part] == kNoTextureName) {
        return;
    }
    item->textured = 1;
    if (std::unique_ptr<CCatalogDatabase> catalogue = CreateCatalogDatabase()) {
        catalogue->LookupTextureCostInfo(GetPathFileName(m_textureNames[part]), *item);
    }
    if (part < static_cast<int>(m_mappingRecords.size()) && m_mappingRecords[part].tileFlag == 1) {
        item->tileWidth = m_mappingRecords[part].tileWidth;
        item->tileHeight = m_mappingRecords[part].tileHeight;
    }
    const double tileWidth = item->tileWidth;
    const double tileHeight = item->tileHeight;
    const double tileArea = tileWidth > 0.0 && tileHeight > 0.0 ? tileWidth * tileHeight : 0.0;
    item->tileCount = ToTileCount(TilesAlong(area, tileArea));

    const int face = GetOwningFace(part);
    if (face >= 0 && face < static_cast<int>(m_splitRecords.size()) &&
        !m_splitRecords[face].empty()) {
        return;
    }
    double length = 0.0;
    double height = 0.0;
    if (max.y != min.y) {
        length = std::hypot(double{max.z} - min.z, double{max.x} - min.x);
        height = double{max.y} - min.y;
    } else {
        length = double{max.x} - min.x;
        height = double{max.z} - min.z;
    }
    item->tileCountByExtent =
        ToTileCount(TilesAlong(height, tileHeight) * TilesAlong(length, tileWidth));
}
