#pragma once

#include <cstdint>
#include <vector>

namespace test_images {

inline void PutLittleEndian(std::vector<uint8_t>& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

// A 2 x 2 24-bit BMP file.
inline std::vector<uint8_t> SmallBmp() {
    std::vector<uint8_t> bytes{'B', 'M'};
    PutLittleEndian(bytes, 70, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, 54, 4);
    for (const uint32_t field : {40u, 2u, 2u}) {
        PutLittleEndian(bytes, field, 4);
    }
    PutLittleEndian(bytes, 1, 2);
    PutLittleEndian(bytes, 24, 2);
    for (const uint32_t field : {0u, 16u, 2835u, 2835u, 0u, 0u}) {
        PutLittleEndian(bytes, field, 4);
    }
    for (int row = 0; row < 2; ++row) {
        for (const uint8_t value : {0x20, 0x60, 0xA0, 0xC0, 0x80, 0x40, 0, 0}) {
            bytes.push_back(value);
        }
    }
    return bytes;
}

}  // namespace test_images
