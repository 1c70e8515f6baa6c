#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "objects/IntBoundingBox2D.h"
#include "platform/gfx/MathTypes.h"

struct LibraryPlacement;

// Where a library entry dropped on an object of the 3D view goes: the hit
// point on the object's face pushed out along the face, turned to face out
// of walls, stood on floors, stacked on or set beside the object; and where
// a shadow picture goes under or behind a model. Lengths are centimetres,
// angles radians; y is height and the plan point of (x, y, z) is (x, -z).
namespace drop_placement {

// How the 3D view places a dropped model: at the hit point, on top of the
// object hit, or beside it.
enum PlacementMode : int { kPaste = 0, kStack = 1, kSnap = 2 };

// What the rules need of the object under the drop.
struct TargetFrame {
    gfx::Vector3 position;
    float heading = 0.0f;
    // The mesh scale along x, y and z.
    std::array<float, 3> scale = {1.0f, 1.0f, 1.0f};
    float width = 0.0f;
    float depth = 0.0f;
    float height = 0.0f;
};

// The hit point inside face (p, q, r) at barycentric (u, v), in the
// object's own axes; scale is the object's, or null for a photo whose quad
// is not scaled.
[[nodiscard]] gfx::Vector3 LocalHitPoint(const gfx::Vector3& p, const gfx::Vector3& q,
                                         const gfx::Vector3& r, float u, float v,
                                         const std::array<float, 3>* scale);

// A plan vector (x, z) turned by the heading, as the world matrix turns it.
[[nodiscard]] std::array<float, 2> RotateByHeading(float x, float z, float heading);

// The hit point in the world, pushed out along the face's normal: a photo
// by 0.1, a model by half its depth, so that it stands in front of the face.
[[nodiscard]] gfx::Vector3 DropPointToWorld(const TargetFrame& target, const gfx::Vector3& local,
                                            const gfx::Vector3& normal,
                                            const LibraryPlacement& placed);

// On a wall face: the heading faces out of the face, and a deep model that
// is no wall lamp stands on floorLevelBelow (the highest floor level not
// above the point). On a ceiling's underside the entry hangs below it.
// Other faces leave the point. The heading, 0 unless on a wall face.
float AdjustDropOnSurface(const gfx::Vector3& normal, gfx::Vector3& point,
                          const LibraryPlacement& placed, float floorLevelBelow);

// On top of the target: a wall, floor or ceiling (targetType 1, 5, 6) at
// the centre of its plan box, on its top or under a ceiling; another object
// at its position raised by its height. level is the target's level height.
[[nodiscard]] gfx::Vector3 DropOnTopOfTarget(int targetType, const TargetFrame& target,
                                             const CIntBoundingBox2D& planBox, float level,
                                             const LibraryPlacement& placed);

// Beside the target at the same height, on the side of the hit (localX),
// backs flush, gap apart.
[[nodiscard]] gfx::Vector3 DropBesideTarget(const TargetFrame& target, float localX,
                                            const LibraryPlacement& placed, float gap);

// Only the plan's visible quadrant takes a snapped model.
[[nodiscard]] bool IsInsidePlanQuadrant(const gfx::Vector3& point);

// A photo dropped on a horizontal face lies on it: 0.1 above a floor or top
// facing up, 0.1 below a ceiling facing down. The photo's new height and
// elevation; nothing for other faces.
struct FlatPhoto {
    float y = 0.0f;
    float elevation = 0.0f;
};
[[nodiscard]] std::optional<FlatPhoto> LayPhotoFlat(const gfx::Vector3& normal, float targetY,
                                                    float targetHeight);

// A catalogue text of posters, calligraphy, hung paintings or hung mirrors.
[[nodiscard]] bool IsHangingPicture(std::string_view text);
[[nodiscard]] bool IsWallLamp(std::string_view text);

// What a model gives its shadow picture: where the picture is placed, where
// the model moves to, the picture's size and its tilt.
struct ModelShape {
    gfx::Vector3 position;
    float heading = 0.0f;
    float roll = 0.0f;
    float width = 0.0f;
    float depth = 0.0f;
    float height = 0.0f;
};
struct ShadowPictureLayout {
    gfx::Vector3 drop;
    gfx::Vector3 modelPosition;
    float width = 0.0f;
    float height = 0.0f;
    float heading = 0.0f;
    float elevation = 0.0f;
    float roll = 0.0f;
};
// A hanging model gets an upright shadow behind it, a little lower, and
// moves off the wall; any other a flat shadow under its front, and rises.
[[nodiscard]] ShadowPictureLayout LayoutShadowPicture(const ModelShape& model, bool hanging);

// The cursors a library entry dragged over the 3D view shows: placed on the
// object under the pointer, not taken there (a lamp refuses a drop, a 3D
// text gives no place), or placed on the ground.
inline constexpr int kPlaceOnObjectCursor = 589;
inline constexpr int kNotTakenCursor = 592;
inline constexpr int kPlaceOnGroundCursor = 593;
// The cursor over an object of the picked type (-1: nothing under the
// pointer), lamp when its library folder names a lamp.
[[nodiscard]] int GetPlacingCursor(int pickedType, bool lamp);

// The scale that gives a mesh extent the size; 1 for a mesh without extent.
[[nodiscard]] float ScaleForSize(float size, float extent);

}  // namespace drop_placement
