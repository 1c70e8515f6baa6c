#include "platform/image/Jpeg2000Codec.h"

#include <openjpeg.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>

#include "platform/image/ImageFormat.h"
#include "platform/image/Jpeg2000Grid.h"

namespace image {

namespace {

struct MemoryStream {
    const std::uint8_t* data;
    std::size_t length;
    std::size_t position;
};

OPJ_SIZE_T ReadMemory(void* buffer, OPJ_SIZE_T count, void* user) {
    auto* stream = static_cast<MemoryStream*>(user);
    const std::size_t n = std::min<std::size_t>(count, stream->length - stream->position);
    if (n == 0) {
        return static_cast<OPJ_SIZE_T>(-1);
    }
    std::memcpy(buffer, stream->data + stream->position, n);
    stream->position += n;
    return n;
}

OPJ_OFF_T SkipMemory(OPJ_OFF_T count, void* user) {
    auto* stream = static_cast<MemoryStream*>(user);
    if (count < 0) {
        const auto back = static_cast<std::size_t>(-count);
        if (back > stream->position) {
            return -1;
        }
        stream->position -= back;
        return count;
    }
    const std::size_t n =
        std::min<std::size_t>(static_cast<std::size_t>(count), stream->length - stream->position);
    if (n == 0 && count > 0) {
        return -1;
    }
    stream->position += n;
    return static_cast<OPJ_OFF_T>(n);
}

OPJ_BOOL SeekMemory(OPJ_OFF_T offset, void* user) {
    auto* stream = static_cast<MemoryStream*>(user);
    if (offset < 0 || static_cast<std::uint64_t>(offset) > stream->length) {
        return OPJ_FALSE;
    }
    stream->position = static_cast<std::size_t>(offset);
    return OPJ_TRUE;
}

constexpr char kDamaged[] = "JPEG-2000 影像已損壞";

// The decoder's own words follow ours.
void KeepMessage(const char* message, void* user) {
    std::string detail = message;
    while (!detail.empty() && detail.back() == '\n') {
        detail.pop_back();
    }
    *static_cast<std::string*>(user) = std::string(kDamaged) + "：" + detail;
}

void IgnoreMessage(const char*, void*) {}

struct CodecDeleter {
    void operator()(opj_codec_t* codec) const { opj_destroy_codec(codec); }
};
struct StreamDeleter {
    void operator()(opj_stream_t* stream) const { opj_stream_destroy(stream); }
};
struct ImageDeleter {
    void operator()(opj_image_t* image) const { opj_image_destroy(image); }
};
struct InfoDeleter {
    void operator()(opj_codestream_info_v2_t* info) const { opj_destroy_cstr_info(&info); }
};

// The grid as the decoder read it from the header.
std::optional<Jpeg2000Grid> DecoderGrid(opj_codec_t* codec, const opj_image_t& header) {
    const std::unique_ptr<opj_codestream_info_v2_t, InfoDeleter> info(opj_get_cstr_info(codec));
    if (!info) {
        return std::nullopt;
    }
    Jpeg2000Grid grid;
    grid.x0 = header.x0;
    grid.y0 = header.y0;
    grid.x1 = header.x1;
    grid.y1 = header.y1;
    grid.tileX0 = info->tx0;
    grid.tileY0 = info->ty0;
    grid.tileWidth = info->tdx;
    grid.tileHeight = info->tdy;
    for (std::uint32_t c = 0; c < header.numcomps; ++c) {
        grid.components.push_back({header.comps[c].dx, header.comps[c].dy});
    }
    return grid;
}

// One component's samples at full size, scaled to 0..255.
class ComponentReader {
public:
    ComponentReader(const opj_image_comp_t& component, int width, int height)
        : m_component(component), m_width(width), m_height(height) {
        const int precision = static_cast<int>(component.prec);
        m_shift = precision > 8 ? precision - 8 : 0;
        m_maxIn = (1 << std::min(precision, 8)) - 1;
        m_offset = component.sgnd ? (std::int64_t{1} << (precision - 1)) : 0;
    }

    int At(int x, int y) const {
        const auto cx = static_cast<std::uint64_t>(x) * m_component.w / m_width;
        const auto cy = static_cast<std::uint64_t>(y) * m_component.h / m_height;
        const std::int64_t sample = m_component.data[cy * m_component.w + cx];
        const auto value =
            static_cast<int>(std::clamp<std::int64_t>((sample + m_offset) >> m_shift, 0, m_maxIn));
        return m_maxIn == 255 ? value : value * 255 / m_maxIn;
    }

private:
    const opj_image_comp_t& m_component;
    int m_width;
    int m_height;
    int m_shift = 0;
    int m_maxIn = 255;
    std::int64_t m_offset = 0;
};

std::uint8_t ToByte(double value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

bool ConvertImage(const opj_image_t& decoded, Raster& out, std::string& error) {
    const std::int64_t width = std::int64_t{decoded.x1} - decoded.x0;
    const std::int64_t height = std::int64_t{decoded.y1} - decoded.y0;
    const std::uint32_t count = decoded.numcomps;
    if (!AllocateRaster(out, static_cast<int>(width), static_cast<int>(height))) {
        error = kSizeOutOfRange;
        return false;
    }
    for (std::uint32_t c = 0; c < count; ++c) {
        const opj_image_comp_t& component = decoded.comps[c];
        if (component.data == nullptr || component.w == 0 || component.h == 0 ||
            component.w > width || component.h > height || component.prec == 0 ||
            component.prec > 31) {
            error = "JPEG-2000 影像的色彩成分已損壞。";
            return false;
        }
    }
    const int w = out.width;
    const int h = out.height;
    const bool colour = count >= 3;
    const bool ycc = colour && decoded.color_space == OPJ_CLRSPC_SYCC;
    const std::uint32_t alphaIndex = colour ? 3 : 1;
    out.hasAlpha = count > alphaIndex;
    ComponentReader first(decoded.comps[0], w, h);
    ComponentReader second(decoded.comps[std::min<std::uint32_t>(1, count - 1)], w, h);
    ComponentReader third(decoded.comps[std::min<std::uint32_t>(2, count - 1)], w, h);
    ComponentReader alpha(decoded.comps[std::min(alphaIndex, count - 1)], w, h);
    std::uint8_t* pixel = out.bgra.data();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x, pixel += 4) {
            const int a = first.At(x, y);
            if (!colour) {
                pixel[0] = pixel[1] = pixel[2] = static_cast<std::uint8_t>(a);
            } else if (ycc) {
                const double cb = second.At(x, y) - 128.0;
                const double cr = third.At(x, y) - 128.0;
                pixel[2] = ToByte(a + 1.402 * cr);
                pixel[1] = ToByte(a - 0.344136 * cb - 0.714136 * cr);
                pixel[0] = ToByte(a + 1.772 * cb);
            } else {
                pixel[2] = static_cast<std::uint8_t>(a);
                pixel[1] = static_cast<std::uint8_t>(second.At(x, y));
                pixel[0] = static_cast<std::uint8_t>(third.At(x, y));
            }
            pixel[3] = out.hasAlpha ? static_cast<std::uint8_t>(alpha.At(x, y)) : 255;
        }
    }
    return true;
}

}  // namespace

bool DecodeJpeg2000(const std::uint8_t* data, std::size_t length, Raster& out, std::string& error) {
    const ImageFormat kind = SniffImageFormat(data, length);
    if (kind != ImageFormat::Jp2 && kind != ImageFormat::J2k) {
        error = "這不是 JPEG-2000 影像。";
        return false;
    }
    // The decoder sets up every declared tile while it reads the header, which
    // takes seconds for a few bytes declaring tens of thousands of tiles: the
    // grid is checked before that wherever it can be found.
    const std::optional<Jpeg2000Grid> declared = ReadJpeg2000Grid(data, length, kind);
    if (declared && !IsReasonableJpeg2000Grid(*declared, length, error)) {
        return false;
    }
    std::unique_ptr<opj_codec_t, CodecDeleter> codec(
        opj_create_decompress(kind == ImageFormat::Jp2 ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K));
    std::unique_ptr<opj_stream_t, StreamDeleter> stream(
        opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_TRUE));
    if (!codec || !stream) {
        error = "記憶體不足，無法讀取 JPEG-2000 影像。";
        return false;
    }
    error = std::string(kDamaged) + "。";
    opj_set_error_handler(codec.get(), KeepMessage, &error);
    opj_set_warning_handler(codec.get(), IgnoreMessage, nullptr);
    opj_set_info_handler(codec.get(), IgnoreMessage, nullptr);

    MemoryStream memory{data, length, 0};
    opj_stream_set_user_data(stream.get(), &memory, nullptr);
    opj_stream_set_user_data_length(stream.get(), length);
    opj_stream_set_read_function(stream.get(), ReadMemory);
    opj_stream_set_skip_function(stream.get(), SkipMemory);
    opj_stream_set_seek_function(stream.get(), SeekMemory);

    opj_dparameters_t parameters;
    opj_set_default_decoder_parameters(&parameters);
    // A cut-off file is a failure, not a blurred picture.
    if (!opj_setup_decoder(codec.get(), &parameters) ||
        !opj_decoder_set_strict_mode(codec.get(), OPJ_TRUE)) {
        return false;
    }
    opj_image_t* header = nullptr;
    if (!opj_read_header(stream.get(), codec.get(), &header)) {
        opj_image_destroy(header);
        return false;
    }
    std::unique_ptr<opj_image_t, ImageDeleter> decoded(header);
    // What the decoder read is what it decodes: checked again, for files whose
    // grid was not found above or was found elsewhere.
    const std::optional<Jpeg2000Grid> grid = DecoderGrid(codec.get(), *decoded);
    if (!grid) {
        error = "記憶體不足，無法讀取 JPEG-2000 影像。";
        return false;
    }
    if (!IsReasonableJpeg2000Grid(*grid, length, error)) {
        return false;
    }
    if (decoded->color_space == OPJ_CLRSPC_CMYK || decoded->color_space == OPJ_CLRSPC_EYCC) {
        error = kUnsupportedJpeg2000Layout;
        return false;
    }
    if (!opj_decode(codec.get(), stream.get(), decoded.get()) ||
        !opj_end_decompress(codec.get(), stream.get())) {
        return false;
    }
    error.clear();
    return ConvertImage(*decoded, out, error);
}

}  // namespace image
