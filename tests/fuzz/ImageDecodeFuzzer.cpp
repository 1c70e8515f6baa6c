// Images of a kind told by their content, as a picture, texture or preview of
// unknown kind is decoded.
#include <cstddef>
#include <cstdint>

#include "platform/image/Image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    image::CImage picture;
    picture.Decode(data, size);
    return 0;
}
