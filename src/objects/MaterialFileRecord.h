#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One library texture or picture as read from a material file (.qvp) or a
// plain image file. The texts stay the file's CP950 bytes in fixed
// NUL-terminated fields; the accessors decode them to UTF-8.
struct MaterialFileRecord {
    std::array<char, 50> name{};
    // The image file bytes: .bmp once converted, else as stored.
    std::vector<std::uint8_t> data;
    // Real size in centimetres; pixels for a plain image file.
    float width = 0.0f;
    float height = 0.0f;
    std::array<char, 30> serialNumber{};
    float price = 0.0f;
    std::array<char, 50> vendor{};
    std::array<char, 200> description{};
    // The extra block as stored (the material's web link).
    std::string extra;
    // The size read from the .bmp header of the data.
    float pixelWidth = 0.0f;
    float pixelHeight = 0.0f;

    std::int32_t GetDataLength() const { return static_cast<std::int32_t>(data.size()); }

    // Bytes that are not valid CP950 come out as U+FFFD.
    std::string GetName() const;
    std::string GetSerialNumber() const;
    std::string GetVendor() const;
    std::string GetDescription() const;
    // The web link of the extra block: the stored text up to its first NUL.
    std::string GetWebLink() const;
};

// Frees the image data, leaving the rest of the record.
void FreeMaterialImage(MaterialFileRecord& record);
