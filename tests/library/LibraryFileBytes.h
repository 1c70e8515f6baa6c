#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "objects/CatalogDatabase.h"

inline void PutInt(std::string& bytes, std::int32_t v) {
    for (int i = 0; i < 4; ++i) {
        bytes += static_cast<char>(static_cast<std::uint32_t>(v) >> (8 * i));
    }
}

// The header of a current packaged model file: all a catalogue scan reads.
inline std::string PackageHeader(const std::string& name, const std::string& vendor, float price) {
    std::string bytes = "Orvik";
    bytes += '\x09';
    PutInt(bytes, 0);
    const auto field = [&](const std::string& text, std::size_t width) {
        std::string f = text;
        f.resize(width, '\0');
        bytes += f;
    };
    field(name, 51);
    field("M-" + name, 30);
    field(vendor, 50);
    field("", 196);
    std::int32_t priceBits;
    std::memcpy(&priceBits, &price, 4);
    PutInt(bytes, priceBits);
    PutInt(bytes, 0);  // web link
    field("", 100);    // reserved
    bytes += '\0';     // preview key
    PutInt(bytes, 0);  // preview length
    return bytes;
}

// A .bmp header whose size fields say width x height.
inline std::string BmpBytes(std::int32_t width, std::int32_t height) {
    std::string bytes = "BM";
    bytes.resize(18, '\0');
    PutInt(bytes, width);
    PutInt(bytes, height);
    bytes.resize(64, '\0');
    return bytes;
}

template <typename Entry>
std::vector<std::string> EntryNames(const CatalogEntryList& list) {
    std::vector<std::string> names;
    for (const auto& entry : list) {
        names.push_back(static_cast<const Entry*>(entry.get())->name);
    }
    return names;
}

template <typename Entry>
Entry& EntryAt(const CatalogEntryList& list, std::size_t index) {
    return *static_cast<Entry*>(list.at(index).get());
}
