#pragma once

#include <filesystem>
#include <string>

#include "platform/image/Raster.h"

// The version this program writes material files (.qvp) in: every optional
// field is present and the image is stored as a TGA file image.
inline constexpr int kCurrentMaterialFileVersion = 5;

// What a material file holds. The texts are UTF-8; each is cut on a
// character boundary to what its fixed field holds before the NUL.
struct MaterialFileContents {
    std::string name;
    std::string serialNumber;
    std::string vendor;
    std::string description;
    // The extra block: the material's web link; may be empty.
    std::string webLink;
    // Real size in centimetres.
    float width = 0.0f;
    float height = 0.0f;
    float price = 0.0f;
    image::Raster image;
};

// The bytes of a current-version material file, stored plain. False, with a
// message in *error, when a text has no CP950 form or the image is empty or
// too large for the file's 32-bit lengths.
bool EncodeMaterialFile(const MaterialFileContents& contents, std::string* file,
                        std::string* error);

// EncodeMaterialFile, replacing the file at path atomically: a failure
// leaves an earlier file as it was.
bool WriteMaterialFile(const std::filesystem::path& path, const MaterialFileContents& contents,
                       std::string* error);
