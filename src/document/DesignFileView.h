#pragma once

#include <array>
#include <cstdint>

#include "document/ViewPointTable.h"
#include "platform/gfx/MathTypes.h"
#include "platform/gfx/VectorMath.h"

// The floor grid of the 3D view as a design file keeps it: extent and
// spacing in centimetres, the colour (0..1) and a last value that is 1.0.
struct DesignGridRecord {
    float length = 0.0f;
    float width = 0.0f;
    float step = 0.0f;
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    float reserved = 1.0f;

    bool operator==(const DesignGridRecord&) const = default;
};

// What a design file keeps of the 3D view's camera, display and grid.
// Angles are radians.
struct DesignViewState {
    gfx::Vector3 eye;
    gfx::Vector3 direction;
    float heading = 0.0f;
    float pitch = 0.0f;
    float stepLength = 0.0f;
    float turnStep = 0.0f;
    int32_t wireframe = 0;
    int32_t orthoOn = 0;
    int32_t gridShown = 0;
    gfx::Vector3 up;
    DesignGridRecord grid;

    bool operator==(const DesignViewState&) const = default;
};

// Red, green, blue and alpha, 0..1.
using ShadowColor = std::array<float, 4>;

// Red, green and blue, 0..255.
using AmbientBytes = std::array<uint8_t, 3>;

// The 3D view as the design file's front reaches it: the view owns the
// camera, the engine's grid, the shadow colour, the view-point table and the
// object-id counter a load hands to the scene at its end. The 3D view
// implements it.
class IDesignFileView {
public:
    virtual ~IDesignFileView() = default;

    [[nodiscard]] virtual DesignViewState GetViewState() const = 0;
    [[nodiscard]] virtual ShadowColor GetShadowColor() const = 0;
    [[nodiscard]] virtual const ViewPointTable& GetViewPointTable() const = 0;

    // Takes the state of a header being applied: the camera's fields and
    // the display flags, the grid settings, the ambient colour of the view
    // and of the engine, the grid rebuilt from the state's length, width and
    // step, and the camera's view from eye, eye + direction and up.
    virtual void ApplyViewState(const DesignViewState& state, const AmbientBytes& ambient) = 0;
    // The colour the stencil shadows darken the scene with.
    virtual void SetShadowColor(const ShadowColor& color) = 0;
    virtual void SetViewPointTable(const ViewPointTable& table) = 0;
    // Given to the scene after a load's objects are read, when not 0.
    virtual void SetStoredIdCounter(double counter) = 0;
};
