// Images as the program decodes them: the first byte picks the format, the
// rest is the file. 0 lets the content tell the format, as for a picture of
// unknown kind; any other value names the format of that code, as a file's
// extension does, which is the only way TGA and WBMP files are read at all.
#include <cstddef>
#include <cstdint>

#include "platform/image/Image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    constexpr int kFormatCount = static_cast<int>(image::ImageFormat::Ras) + 1;
    const auto format = static_cast<image::ImageFormat>(data[0] % kFormatCount);
    image::CImage picture;
    picture.Decode(data + 1, size - 1, format);
    return 0;
}
