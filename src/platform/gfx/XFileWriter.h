#pragma once

// Writing a mesh and its materials as a .x file. Our own writer, because the
// materials and their texture names must survive the trip.

#include <cstdint>
#include <span>
#include <string>

#include "platform/gfx/DeviceTypes.h"
#include "platform/gfx/MeshMaterial.h"

namespace gfx {

class Mesh;

// A text .x file image: positions and faces, normals and the first texture
// coordinate set when the mesh has them, and a material list with one
// material per entry of materials (a face's attribute id is the index of its
// material; no list is written for no materials). Texture names are written
// as CP950 bytes. Refused with a message for an attribute id without its
// material, a texture name with no CP950 form or holding a quotation mark or
// a control character, a value that is not finite, and indices out of
// range.
Result EncodeMeshToX(const Mesh& mesh, std::span<const MeshMaterial> materials, std::string* file,
                     std::string* error = nullptr);

// The same, replacing the file at path atomically.
Result SaveMeshToX(const std::string& path, const Mesh& mesh,
                   std::span<const MeshMaterial> materials, std::string* error = nullptr);

}  // namespace gfx
