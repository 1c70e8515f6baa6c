// JPEG-2000 files and codestreams only: the decoder's stream callbacks and the
// conversion of its components are our own code, which the other formats'
// inputs never reach.
#include <cstddef>
#include <cstdint>

#include "platform/image/Image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    image::CImage picture;
    picture.Decode(data, size, image::ImageFormat::Jp2);
    return 0;
}
