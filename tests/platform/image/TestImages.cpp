#include "TestImages.h"

#include <Magick++.h>
#include <openjpeg.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <stdexcept>

namespace image::test {

Color PatternColor(int x, int y) {
    return Color{static_cast<std::uint8_t>(x * 37 + y * 11),
                 static_cast<std::uint8_t>(x * 5 + y * 53 + 7),
                 static_cast<std::uint8_t>(x * y * 7 + 19), 255};
}

CImage MakePattern(int width, int height) {
    CImage pattern;
    pattern.Create(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pattern.SetPixelColor(x, y, PatternColor(x, y));
        }
    }
    return pattern;
}

int MaxChannelDifference(const CImage& a, const CImage& b) {
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight()) {
        return -1;
    }
    int worst = 0;
    for (int y = 0; y < a.GetHeight(); ++y) {
        for (int x = 0; x < a.GetWidth(); ++x) {
            const Color p = a.GetPixelColor(x, y);
            const Color q = b.GetPixelColor(x, y);
            worst = std::max({worst, std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b),
                              std::abs(p.a - q.a)});
        }
    }
    return worst;
}

std::vector<std::uint8_t> EncodeWithGraphicsMagick(const std::vector<std::uint8_t>& rgb, int width,
                                                   int height, const std::string& format) {
    static std::once_flag once;
    std::call_once(once, [] { Magick::InitializeMagick(nullptr); });
    Magick::Image picture(width, height, "RGB", Magick::CharPixel, rgb.data());
    picture.depth(8);
    picture.magick(format);
    Magick::Blob blob;
    picture.write(&blob);
    const auto* bytes = static_cast<const std::uint8_t*>(blob.data());
    return {bytes, bytes + blob.length()};
}

namespace {

struct GrowingBuffer {
    std::vector<std::uint8_t> bytes;
    std::size_t position = 0;
};

OPJ_SIZE_T WriteBuffer(void* data, OPJ_SIZE_T count, void* user) {
    auto* buffer = static_cast<GrowingBuffer*>(user);
    if (buffer->bytes.size() < buffer->position + count) {
        buffer->bytes.resize(buffer->position + count);
    }
    std::memcpy(buffer->bytes.data() + buffer->position, data, count);
    buffer->position += count;
    return count;
}

OPJ_OFF_T SkipBuffer(OPJ_OFF_T count, void* user) {
    auto* buffer = static_cast<GrowingBuffer*>(user);
    buffer->position += static_cast<std::size_t>(count);
    if (buffer->bytes.size() < buffer->position) {
        buffer->bytes.resize(buffer->position);
    }
    return count;
}

OPJ_BOOL SeekBuffer(OPJ_OFF_T offset, void* user) {
    static_cast<GrowingBuffer*>(user)->position = static_cast<std::size_t>(offset);
    return OPJ_TRUE;
}

}  // namespace

std::vector<std::uint8_t> EncodeJpeg2000(const std::vector<std::uint8_t>& samples, int width,
                                         int height, int components, bool jp2, int tileSide) {
    std::vector<opj_image_cmptparm_t> parameters(static_cast<std::size_t>(components));
    for (opj_image_cmptparm_t& p : parameters) {
        std::memset(&p, 0, sizeof p);
        p.dx = p.dy = 1;
        p.w = static_cast<OPJ_UINT32>(width);
        p.h = static_cast<OPJ_UINT32>(height);
        p.prec = 8;
    }
    opj_image_t* picture = opj_image_create(static_cast<OPJ_UINT32>(components), parameters.data(),
                                            components == 1 ? OPJ_CLRSPC_GRAY : OPJ_CLRSPC_SRGB);
    picture->x1 = static_cast<OPJ_UINT32>(width);
    picture->y1 = static_cast<OPJ_UINT32>(height);
    if (components == 4) {
        picture->comps[3].alpha = 1;
    }
    for (int i = 0; i < width * height; ++i) {
        for (int c = 0; c < components; ++c) {
            picture->comps[c].data[i] = samples[static_cast<std::size_t>(i * components + c)];
        }
    }
    opj_cparameters_t settings;
    opj_set_default_encoder_parameters(&settings);
    settings.tcp_numlayers = 1;
    settings.tcp_rates[0] = 0;  // lossless
    settings.cp_disto_alloc = 1;
    settings.numresolution = 2;
    if (tileSide > 0) {
        settings.tile_size_on = OPJ_TRUE;
        settings.cp_tdx = settings.cp_tdy = tileSide;
        // A tile of a side of 1 takes no wavelet level.
        settings.numresolution = tileSide > 1 ? 2 : 1;
    }
    opj_codec_t* codec = opj_create_compress(jp2 ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K);
    GrowingBuffer buffer;
    opj_stream_t* stream = opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_FALSE);
    opj_stream_set_user_data(stream, &buffer, nullptr);
    opj_stream_set_write_function(stream, WriteBuffer);
    opj_stream_set_skip_function(stream, SkipBuffer);
    opj_stream_set_seek_function(stream, SeekBuffer);
    const bool ok = opj_setup_encoder(codec, &settings, picture) &&
                    opj_start_compress(codec, picture, stream) && opj_encode(codec, stream) &&
                    opj_end_compress(codec, stream);
    opj_stream_destroy(stream);
    opj_destroy_codec(codec);
    opj_image_destroy(picture);
    if (!ok) {
        throw std::runtime_error("OpenJPEG could not encode the fixture");
    }
    return buffer.bytes;
}

}  // namespace image::test
