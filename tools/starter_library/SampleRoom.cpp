#include "SampleRoom.h"

#include <algorithm>
#include <cmath>

double TwiceSignedArea(const std::vector<CVector2D>& outline) {
    double sum = 0;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const CVector2D& a = outline[i];
        const CVector2D& b = outline[(i + 1) % outline.size()];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum;
}

std::vector<CVector2D> SceneOutline(std::vector<CVector2D> plan) {
    for (CVector2D& point : plan) {
        point.y = -point.y;
    }
    if (TwiceSignedArea(plan) > 0) {
        std::reverse(plan.begin() + 1, plan.end());
    }
    return plan;
}

std::vector<CVector2D> RoomOutline(const SampleDesign& design) {
    std::vector<CVector2D> points;
    for (const auto& [x, y] : design.outline) {
        points.push_back({x, y});
    }
    return points;
}

std::vector<std::vector<CVector2D>> WallFootprints(const std::vector<CVector2D>& room) {
    const double outwards = TwiceSignedArea(room) > 0 ? 1.0 : -1.0;
    std::vector<std::vector<CVector2D>> walls;
    for (std::size_t i = 0; i < room.size(); ++i) {
        const CVector2D& a = room[i];
        const CVector2D& b = room[(i + 1) % room.size()];
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        const double ux = (b.x - a.x) / length;
        const double uy = (b.y - a.y) / length;
        const double nx = uy * outwards * kSampleWallThickness;
        const double ny = -ux * outwards * kSampleWallThickness;
        const CVector2D start{a.x - ux * kSampleWallThickness, a.y - uy * kSampleWallThickness};
        const CVector2D end{b.x + ux * kSampleWallThickness, b.y + uy * kSampleWallThickness};
        walls.push_back({start, end, {end.x + nx, end.y + ny}, {start.x + nx, start.y + ny}});
    }
    return walls;
}

void RoomExtent(const SampleDesign& design, gfx::Vector3* centre, float* size) {
    float minX = design.outline.front().first, maxX = minX;
    float minZ = -design.outline.front().second, maxZ = minZ;
    for (const auto& [x, y] : design.outline) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minZ = std::min(minZ, -y);
        maxZ = std::max(maxZ, -y);
    }
    *centre = {(minX + maxX) / 2.0f, 0.0f, (minZ + maxZ) / 2.0f};
    *size = std::max(maxX - minX, maxZ - minZ);
}
