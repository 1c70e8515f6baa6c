#pragma once

#include <array>

#include "platform/gfx/MathTypes.h"

class C3DObject;

// What a pick through the 3D view needs: the cursor in the window, the
// window size, the device's view and projection, the camera's eye, and
// whether light shapes are shown (lights are pickable only then).
struct ScenePickQuery {
    int x = 0;
    int y = 0;
    int width = 1;
    int height = 1;
    gfx::Matrix view;
    gfx::Matrix projection;
    gfx::Vector3 eye;
    bool showLights = true;
};

// The nearest object under the cursor: its type code, the hit triangle and
// the distance along the pick ray; no object when nothing was hit.
struct ScenePick {
    static constexpr float kNoHit = 1e10f;
    C3DObject* object = nullptr;
    int type = -1;
    int face = -1;
    float distance = kNoHit;
};

namespace pick_rules {

// The types a nearest pick tries, in order: models, walls, floors,
// ceilings, photos, 3D text, then lights.
inline constexpr std::array<int, 7> kNearestPickOrder = {0, 1, 5, 6, 4, 3, 2};
// The types a click looks through for the selected object it picked.
inline constexpr std::array<int, 7> kClickSelectOrder = {0, 1, 3, 5, 6, 4, 2};

// A floor is seen only from above its level and a ceiling only from below;
// every other type from anywhere.
[[nodiscard]] bool IsSeenFromEye(int type, float level, float eyeY);
// Photos are hit only on their front; direction is the pick ray in the
// photo's own coordinates.
[[nodiscard]] bool AcceptsRay(int type, const gfx::Vector3& direction);
// A later candidate replaces the best so far only when strictly nearer.
[[nodiscard]] inline bool IsNearer(float candidate, float best) {
    return candidate < best;
}

}  // namespace pick_rules
