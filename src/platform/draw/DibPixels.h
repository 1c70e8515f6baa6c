#pragma once

#include <cstddef>
#include <cstdint>

namespace draw {

// A device-independent pixel block as a packed DIB holds it: 24-bit BGR or
// 32-bit BGRX rows, each padded to four bytes; bottom-up rows for a positive
// height, top-down for a negative one. The pixels are borrowed and must hold
// Rows() rows of Stride() bytes.
struct DibPixels {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitCount = 24;
    const uint8_t* bits = nullptr;

    int32_t Rows() const { return height < 0 ? -height : height; }
    size_t Stride() const { return ((size_t(width) * size_t(bitCount) + 31) / 32) * 4; }
    bool IsValid() const {
        return bits && width > 0 && height != 0 && height != INT32_MIN &&
               (bitCount == 24 || bitCount == 32);
    }
};

}  // namespace draw
