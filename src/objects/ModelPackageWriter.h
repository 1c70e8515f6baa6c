#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "objects/ModelPackage.h"
#include "objects/OutlineRecord.h"

// The version this program writes packaged model files in.
inline constexpr int kCurrentPackageVersion = 9;

// What a packaged model file holds. An export leaves the catalogue texts,
// the preview and the plan symbol empty.
struct PackagedModelContents {
    std::string name;
    // The catalogue texts.
    std::string modelNumber;
    std::string vendor;
    std::string description;
    float price = 0.0f;
    // The web link of the object the export was made from; may be empty.
    std::string webLink;
    // A .bmp file image; may be empty.
    std::vector<std::uint8_t> preview;
    // The bytes of a .x mesh file.
    std::vector<std::uint8_t> mesh;
    // One record per material of the mesh, in material order: the file name
    // of its texture and the image's bytes. A material without a texture,
    // or whose texture could not be read, has no bytes and gets no entry.
    std::vector<PackagedTexture> textures;
    // The DXF plan symbol and its file name; without one the readers fall
    // back to the program's square symbol.
    std::string symbolName;
    std::vector<std::uint8_t> symbol;
    std::vector<OutlineRecord> edges;
};

// The model name a package written to path carries: its file name without
// the folder and the last four characters (the extension with its dot).
std::string PackageNameOfPath(std::string_view path);

// The bytes of a current-version package, stored plain; texts are cut on a
// character boundary to their fields. Two materials with the same texture
// name and size share one image, the later one as a reference, where the
// name fits a reference's field. False, with a message in *error, when a
// text has no CP950 form or a block is too large for the file's 32-bit
// lengths.
bool EncodeModelPackage(const PackagedModelContents& contents, std::string* file,
                        std::string* error);

// EncodeModelPackage, replacing the file at path atomically: a failure
// leaves an earlier file as it was.
bool WriteModelPackage(const std::filesystem::path& path, const PackagedModelContents& contents,
                       std::string* error);
