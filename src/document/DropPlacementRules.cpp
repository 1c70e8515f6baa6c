#include "document/DropPlacementRules.h"

#include <cmath>

#include "document/DocumentRecords.h"
#include "foundation/GeometryMath.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/gfx/VectorMath.h"

namespace drop_placement {

namespace {

constexpr int kPhotoKind = 4;
constexpr float kPhotoOffset = 0.1f;
constexpr float kFlatPhotoGap = 0.1f;
constexpr float kAxisEpsilon = 0.0001f;
constexpr float kFacingDown = -0.99f;
// Deeper models are furniture that stands on the floor even when dropped
// on a wall; shallower ones (shelves, frames) hang where they were dropped.
constexpr float kStandingDepth = 30.0f;
constexpr float kLyingUp = 4.71238898f;
constexpr float kLyingDown = static_cast<float>(kPi / 2.0);

constexpr float kShadowGrowth = 1.4f;
// A hanging model's shadow sits this share of its height lower; the
// difference of two doubles, kept as computed so positions match.
constexpr double kHangingShadowDrop = 1.0 - 0.8;
constexpr float kHangingShadowInset = 0.1f;
constexpr float kModelShift = 0.2f;
constexpr float kLyingShadowReach = 0.7f;
constexpr float kLyingShadowLift = 0.1f;

bool Contains(std::string_view text, std::string_view word) {
    return text.find(word) != std::string_view::npos;
}

}  // namespace

gfx::Vector3 LocalHitPoint(const gfx::Vector3& p, const gfx::Vector3& q, const gfx::Vector3& r,
                           float u, float v, const std::array<float, 3>* scale) {
    gfx::Vector3 point = p + u * (q - p) + v * (r - p);
    if (scale != nullptr) {
        point.x *= (*scale)[0];
        point.y *= (*scale)[1];
        point.z *= (*scale)[2];
    }
    return point;
}

std::array<float, 2> RotateByHeading(float x, float z, float heading) {
    const float c = std::cos(heading);
    const float s = std::sin(heading);
    return {x * c - z * s, x * s + z * c};
}

gfx::Vector3 DropPointToWorld(const TargetFrame& target, const gfx::Vector3& local,
                              const gfx::Vector3& normal, const LibraryPlacement& placed) {
    const std::array<float, 2> point = RotateByHeading(local.x, local.z, target.heading);
    const std::array<float, 2> out = RotateByHeading(normal.x, normal.z, target.heading);
    const float push = placed.kind == kPhotoKind ? kPhotoOffset : placed.depth / 2.0f;
    return {target.position.x + point[0] + out[0] * push, target.position.y + local.y,
            target.position.z + point[1] + out[1] * push};
}

float AdjustDropOnSurface(const gfx::Vector3& normal, gfx::Vector3& point,
                          const LibraryPlacement& placed, float floorLevelBelow) {
    if (std::fabs(normal.y) < kAxisEpsilon) {
        const auto heading = static_cast<float>(std::atan2(-normal.z, normal.x) + kPi / 2.0);
        if (placed.depth > kStandingDepth && !IsWallLamp(placed.folder) &&
            floorLevelBelow <= point.y) {
            point.y = floorLevelBelow;
        }
        return heading;
    }
    if (std::fabs(normal.x) < kAxisEpsilon && std::fabs(normal.z) < kAxisEpsilon &&
        normal.y < kFacingDown) {
        point.y -= placed.height;
    }
    return 0.0f;
}

gfx::Vector3 DropOnTopOfTarget(int targetType, const TargetFrame& target,
                               const CIntBoundingBox2D& planBox, float level,
                               const LibraryPlacement& placed) {
    if (targetType != kWallObjectType && targetType != kFloorObjectType &&
        targetType != kCeilingObjectType) {
        return {target.position.x, target.position.y + target.height, target.position.z};
    }
    // Whole centimetres, as the plan box holds them.
    const int x = (planBox.minX + planBox.maxX) / 2;
    const int z = (planBox.minY + planBox.maxY) / -2;
    const float y =
        targetType == kCeilingObjectType ? level - placed.height : level + target.height;
    return {static_cast<float>(x), y, static_cast<float>(z)};
}

gfx::Vector3 DropBesideTarget(const TargetFrame& target, float localX,
                              const LibraryPlacement& placed, float gap) {
    float across = placed.width / 2.0f + target.width / 2.0f + gap;
    if (localX < 0.0f) {
        across = -across;
    }
    const float along = target.depth / 2.0f - placed.depth / 2.0f;
    const std::array<float, 2> offset = RotateByHeading(across, along, target.heading);
    return {target.position.x + offset[0], target.position.y, target.position.z + offset[1]};
}

bool IsInsidePlanQuadrant(const gfx::Vector3& point) {
    return point.x >= 0.0f && point.z <= 0.0f;
}

std::optional<FlatPhoto> LayPhotoFlat(const gfx::Vector3& normal, float targetY,
                                      float targetHeight) {
    if (normal.x != 0.0f || normal.z != 0.0f) {
        return std::nullopt;
    }
    if (normal.y >= kFacingDown) {
        return FlatPhoto{targetHeight + targetY + kFlatPhotoGap, kLyingUp};
    }
    return FlatPhoto{targetY - kFlatPhotoGap, kLyingDown};
}

bool IsHangingPicture(std::string_view text) {
    return Contains(text, "海報") || Contains(text, "字畫") || Contains(text, "掛畫") ||
           Contains(text, "掛鏡");
}

bool IsWallLamp(std::string_view text) {
    return Contains(text, "壁燈");
}

ShadowPictureLayout LayoutShadowPicture(const ModelShape& model, bool hanging) {
    ShadowPictureLayout layout;
    const float c = std::cos(model.heading);
    const float s = std::sin(model.heading);
    layout.drop = model.position;
    layout.modelPosition = model.position;
    layout.width = model.width * kShadowGrowth;
    layout.heading = model.heading;
    if (hanging) {
        layout.drop.y = static_cast<float>(static_cast<double>(model.position.y) -
                                           static_cast<double>(model.height) * kHangingShadowDrop);
        const float inset = model.width / 2.0f - kHangingShadowInset;
        layout.drop.z += inset * c;
        layout.drop.x -= inset * s;
        layout.modelPosition.z -= kModelShift * c;
        layout.modelPosition.x += kModelShift * s;
        layout.height = model.height * kShadowGrowth;
        layout.elevation = 0.0f;
        layout.roll = model.roll;
    } else {
        const float reach = model.depth * kLyingShadowReach;
        layout.drop.z -= reach * c;
        layout.drop.x += reach * s;
        layout.drop.y += kLyingShadowLift;
        layout.modelPosition.y += kModelShift;
        layout.height = model.depth * kShadowGrowth;
        layout.elevation = static_cast<float>(-kPi / 2.0);
        layout.roll = 0.0f;
    }
    return layout;
}

float ScaleForSize(float size, float extent) {
    return extent != 0.0f ? size / extent : 1.0f;
}

int GetPlacingCursor(int pickedType, bool lamp) {
    if (pickedType < 0) {
        return kPlaceOnGroundCursor;
    }
    return pickedType == kText3DObjectType || lamp ? kNotTakenCursor : kPlaceOnObjectCursor;
}

}  // namespace drop_placement
