#include "FurniturePlan.h"

#include <algorithm>
#include <array>
#include <set>

#include "Furniture.h"
#include "platform/gfx/VectorMath.h"

namespace {

// Faces whose normal leans less than this from straight up count as tops.
constexpr float kUpwardNormalY = 0.99f;

}  // namespace

std::vector<OutlineRecord> FurnitureEdgeRecords(const FurniturePiece& piece,
                                                const std::vector<OutlineRecord>& quadSides) {
    std::vector<OutlineRecord> records = quadSides;
    const gfx::Vector3 midHeight{0.0f, piece.height / 2.0f, 0.0f};
    for (OutlineRecord& record : records) {
        record.pointA = record.pointA - midHeight;
        record.pointB = record.pointB - midHeight;
    }
    return records;
}

DxfDrawing FurniturePlanSymbol(const FurniturePiece& piece,
                               const std::vector<OutlineRecord>& quadSides) {
    DxfDrawing drawing;
    drawing.minX = -piece.width / 2.0;
    drawing.maxX = piece.width / 2.0;
    drawing.minY = -piece.depth / 2.0;
    drawing.maxY = piece.depth / 2.0;
    // A side shared by two tops at the same height is drawn once.
    std::set<std::array<float, 4>> drawn;
    for (const OutlineRecord& side : quadSides) {
        if (side.facing.y < kUpwardNormalY) {
            continue;
        }
        std::array<float, 4> line = {side.pointA.x, side.pointA.z, side.pointB.x, side.pointB.z};
        if (std::pair(line[0], line[1]) > std::pair(line[2], line[3])) {
            line = {line[2], line[3], line[0], line[1]};
        }
        if (drawn.insert(line).second) {
            drawing.AddLine(line[0], line[1], line[2], line[3]);
        }
    }
    return drawing;
}
