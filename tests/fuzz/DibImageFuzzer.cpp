// A .bmp file image loaded as a DIB and drawn, so that every pixel the layout
// promises is read.
#include <cstddef>
#include <cstdint>
#include <span>

#include "foundation/DibImage.h"
#include "platform/draw/ImageDrawContext.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CDibImage dib;
    if (dib.LoadFromMemory(std::span<const std::uint8_t>(data, size))) {
        draw::ImageDrawContext dc(16, 16);
        dib.Draw(dc, 16, 16, true);
    }
    return 0;
}
