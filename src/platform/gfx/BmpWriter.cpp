#include "platform/gfx/BmpWriter.h"

#include <cstddef>

namespace gfx {

namespace {

void PutLittleEndian(std::vector<uint8_t>& out, size_t offset, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out[offset + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
    }
}

}  // namespace

std::vector<uint8_t> EncodeBmp24(int width, int height, const uint8_t* bgraTopDown) {
    constexpr size_t kHeaderSize = 54;
    const size_t w = static_cast<size_t>(width);
    const size_t h = static_cast<size_t>(height);
    const size_t rowBytes = (w * 3 + 3) / 4 * 4;
    const size_t imageSize = rowBytes * h;
    std::vector<uint8_t> file(kHeaderSize + imageSize);
    file[0] = 'B';
    file[1] = 'M';
    PutLittleEndian(file, 2, static_cast<uint32_t>(file.size()), 4);
    PutLittleEndian(file, 10, kHeaderSize, 4);
    PutLittleEndian(file, 14, 40, 4);
    PutLittleEndian(file, 18, static_cast<uint32_t>(width), 4);
    PutLittleEndian(file, 22, static_cast<uint32_t>(height), 4);
    PutLittleEndian(file, 26, 1, 2);
    PutLittleEndian(file, 28, 24, 2);
    PutLittleEndian(file, 34, static_cast<uint32_t>(imageSize), 4);
    for (size_t y = 0; y < h; ++y) {
        const uint8_t* source = bgraTopDown + (h - 1 - y) * w * 4;
        uint8_t* target = file.data() + kHeaderSize + y * rowBytes;
        for (size_t x = 0; x < w; ++x) {
            target[3 * x] = source[4 * x];
            target[3 * x + 1] = source[4 * x + 1];
            target[3 * x + 2] = source[4 * x + 2];
        }
    }
    return file;
}

}  // namespace gfx
