#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "objects/MaterialFileRecord.h"

// What LoadMaterialFile reads the file as; the callers choose it from the
// file's type code.
enum MaterialFileKind : int {
    kMaterialFileQvp = 0,
    kMaterialFileBmp = 1,
    kMaterialFileJpg = 2,
    kMaterialFileTga = 3,
};

// The kind a texture or picture file is read as, by its extension; none for
// any other file (".jpeg" among them).
std::optional<int> MaterialFileKindOf(const std::string& path);

// Fills the record from a material file or a plain .bmp, .jpg or .tga image
// (the last two re-encoded as .bmp). With convertTga set, the TGA image of a
// material file of version 4 or later is re-encoded as .bmp too; otherwise it
// stays as stored. An image that cannot be decoded leaves the data empty.
// Returns false, with the record left empty, when the file cannot be read,
// when a material file's header is cut short, its stored lengths run past its
// end or its image is scrambled. Optional fields that a short file does not
// reach keep their zero values.
bool LoadMaterialFile(const std::string& path, MaterialFileRecord& record, int kind,
                      bool convertTga);

// The image data size without reading the image: the file length of a .jpg,
// .bmp or .tga file, the stored payload length of a material file, and 0 for a
// missing file or any other type.
std::int32_t GetMaterialFileDataSize(const std::string& path);
