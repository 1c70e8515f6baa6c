#pragma once

#include <cstdint>

// What the main frame asks of the 3D view beyond the document's view
// interface: the size of its picture, the placement of its frame, its fill
// mode and background colour, and writing and emptying the design it holds.
class I3DViewLink {
public:
    virtual ~I3DViewLink() = default;

    // The client size as the view keeps it.
    virtual void GetClientSize(int& width, int& height) const = 0;
    // Grows the view's frame by the amounts given; negative ones shrink it.
    virtual void ResizeFrameBy(int dx, int dy) = 0;

    // The wireframe flag and the device's fill mode: wireframe (2) or solid (3).
    virtual void SetWireframe(bool wireframe) = 0;
    virtual void SetClearColor(uint8_t red, uint8_t green, uint8_t blue) = 0;

    // 1 writes to the design path, 0 asks for a path first. False when the
    // user cancelled or the design could not be written.
    virtual bool SaveDesign(int mode) = 0;
    // Empties the scene and the plan of the closed design.
    virtual void ClearDesign() = 0;
};
