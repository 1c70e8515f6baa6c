#pragma once

#include "platform/gfx/MathTypes.h"

// What the 3D view's camera asks of the scene store: the boxes that the
// orthographic presets frame, and word that the camera has moved.
class ISceneCameraLink {
public:
    virtual ~ISceneCameraLink() = default;

    // The world box of the selected 3D objects; false when none is selected.
    virtual bool GetSelectionBounds(gfx::Vector3* min, gfx::Vector3* max) const = 0;
    // The world box of every 3D object; false for an empty scene.
    virtual bool GetSceneBounds(gfx::Vector3* min, gfx::Vector3* max) const = 0;
    // Photos that face the viewer turn with the camera, and the background
    // picture follows the eye.
    virtual void OnCameraMoved(float heading, float pitch, const gfx::Vector3& eye) = 0;
};
