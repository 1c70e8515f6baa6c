#pragma once

#include "objects/ObjectSnapshot.h"
#include "platform/gfx/LightMaterial.h"

class CLightObject;

// A light's snapshot: the object's, its index and its device light.
class CLightSnapshot : public CObjectSnapshot {
public:
    explicit CLightSnapshot(const CLightObject& light);

    // The light compares word by word.
    [[nodiscard]] bool IsEqual(const CObjectSnapshot& other) const override;

    int lightIndex = 0;
    gfx::Light light;
};
