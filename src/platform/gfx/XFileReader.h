#pragma once

// Reading .x mesh files (text, binary or compressed), from disk or from a
// file image in memory.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/DeviceTypes.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/MeshMaterial.h"

namespace gfx {

class Device;

struct LoadedMesh {
    std::unique_ptr<Mesh> mesh;
    // The file's materials in order; a face's attribute id is the index of
    // its material. Texture names are decoded from CP950, bytes that are not
    // CP950 becoming U+FFFD.
    std::vector<MeshMaterial> materials;
};

// Every mesh of the file becomes part of one mesh, placed by the transforms
// of its frames; polygons are cut into triangles and coordinates, winding
// and texture coordinates stay as the file has them. The vertex format is
// a position, with a normal and one texture coordinate set when the file
// has them. The faces come sorted by material, with the attribute table
// built. A damaged file, one without triangles and one needing more than
// 65535 vertices without kMesh32Bit in options are refused with a message
// in *error, leaving *loaded as it was.
Result LoadMeshFromX(const std::string& path, uint32_t options, Device* device, LoadedMesh* loaded,
                     std::string* error = nullptr);
Result LoadMeshFromXInMemory(const void* data, size_t length, uint32_t options, Device* device,
                             LoadedMesh* loaded, std::string* error = nullptr);

}  // namespace gfx
