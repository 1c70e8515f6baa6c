#pragma once

#include <memory>
#include <string_view>

#include "platform/draw/Font.h"
#include "platform/gfx/DeviceTypes.h"
#include "platform/gfx/Mesh.h"

namespace gfx {

class Device;

// Extruded text as the 3D text object wants it: the glyph outlines of the
// UTF-8 text (em units, baseline at y = 0, curves within deviation) filled
// at z = 0 facing -z, the same shapes at z = extrusion facing +z, and
// between them one flat quad per outline edge facing outwards. Vertices
// have a position and a normal (kFvfXyz | kFvfNormal); faces turn their
// front (clockwise) side out. kErrInvalidCall, and no mesh, when the text
// has no outline at all (empty, spaces only).
Result CreateTextMesh(Device* device, const draw::Font& font, std::string_view utf8,
                      float deviation, float extrusion, std::unique_ptr<Mesh>* mesh);

}  // namespace gfx
