#include "platform/image/Image.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <utility>

#include "platform/fs/AtomicFileWriter.h"
#include "platform/fs/RegularFile.h"
#include "platform/image/BmpWriter.h"
#include "platform/image/Jpeg2000Codec.h"
#include "platform/image/MagickCodec.h"

namespace image {

namespace {

std::size_t BytesPerPixel(PixelLayout layout) {
    return layout == PixelLayout::Bgr24 ? 3 : 4;
}

Raster MakeCanvas(int width, int height, Color fill, bool hasAlpha) {
    Raster canvas;
    AllocateRaster(canvas, width, height);
    canvas.hasAlpha = hasAlpha;
    for (std::size_t i = 0; i < canvas.bgra.size(); i += 4) {
        canvas.bgra[i] = fill.b;
        canvas.bgra[i + 1] = fill.g;
        canvas.bgra[i + 2] = fill.r;
        canvas.bgra[i + 3] = hasAlpha ? fill.a : 255;
    }
    return canvas;
}

// Copies the whole of source into target with its top-left corner at (left, top);
// the caller makes sure it fits.
void Paste(Raster& target, const Raster& source, int left, int top) {
    for (int y = 0; y < source.height; ++y) {
        const std::uint8_t* from =
            source.bgra.data() + static_cast<std::size_t>(y) * source.Stride();
        std::uint8_t* to = target.bgra.data() +
                           static_cast<std::size_t>(y + top) * target.Stride() +
                           static_cast<std::size_t>(left) * 4;
        std::copy(from, from + source.Stride(), to);
    }
}

}  // namespace

bool CImage::Fail(std::string message) const {
    m_lastError = std::move(message);
    return false;
}

bool CImage::RequireValid(const char* operation) const {
    if (IsValid()) {
        return true;
    }
    return Fail("無法" + std::string(operation) + "：影像是空的。");
}

bool CImage::Load(const std::string& path, ImageFormat format) {
    pfs::Result<std::string> content = pfs::ReadWholeFile(path, pfs::kImageFileLimit);
    if (!content) {
        return Fail(content.Error());
    }
    const std::string& bytes = content.Value();
    if (!Decode(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), format)) {
        return Fail("「" + path + "」：" + m_lastError);
    }
    return true;
}

bool CImage::Decode(const std::uint8_t* data, std::size_t length, ImageFormat format) {
    if (data == nullptr || length == 0) {
        return Fail("沒有影像資料。");
    }
    if (format == ImageFormat::Unknown) {
        format = SniffImageFormat(data, length);
        if (format == ImageFormat::Unknown) {
            return Fail("無法辨識影像格式。");
        }
    }
    Raster decoded;
    std::string error;
    bool ok = false;
    switch (format) {
        case ImageFormat::J2k:
        case ImageFormat::Jp2:
        case ImageFormat::Jpc:
            ok = DecodeJpeg2000(data, length, decoded, error);
            break;
        case ImageFormat::Pgx:
            error = "不支援 PGX 影像。";
            break;
        default:
            ok = DecodeWithMagick(data, length, format, decoded, error);
            break;
    }
    if (!ok) {
        return Fail(error);
    }
    m_raster = std::move(decoded);
    return true;
}

bool CImage::Create(int width, int height) {
    Raster raster;
    if (!AllocateRaster(raster, width, height)) {
        return Fail(kSizeOutOfRange);
    }
    m_raster = std::move(raster);
    return true;
}

bool CImage::CreateFromRows(const std::uint8_t* rows, int width, int height, std::size_t stride,
                            PixelLayout layout) {
    const std::size_t bytesPerPixel = BytesPerPixel(layout);
    Raster raster;
    if (rows == nullptr || !AllocateRaster(raster, width, height)) {
        return Fail(kSizeOutOfRange);
    }
    if (stride < static_cast<std::size_t>(width) * bytesPerPixel) {
        return Fail("影像每列的位元組間距小於一列的長度。");
    }
    raster.hasAlpha = layout == PixelLayout::Bgra32;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* from = rows + static_cast<std::size_t>(y) * stride;
        std::uint8_t* to = raster.bgra.data() + static_cast<std::size_t>(y) * raster.Stride();
        for (int x = 0; x < width; ++x, from += bytesPerPixel, to += 4) {
            std::copy(from, from + 3, to);
            to[3] = raster.hasAlpha ? from[3] : 255;
        }
    }
    m_raster = std::move(raster);
    return true;
}

int CImage::GetBpp() const {
    if (!IsValid()) {
        return 0;
    }
    return m_raster.hasAlpha ? 32 : 24;
}

void CImage::CreateAlpha() {
    m_raster.hasAlpha = IsValid();
}

Color CImage::GetPixelColor(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_raster.width || y >= m_raster.height) {
        return Color{0, 0, 0, 0};
    }
    const std::uint8_t* pixel = m_raster.bgra.data() +
                                static_cast<std::size_t>(y) * m_raster.Stride() +
                                static_cast<std::size_t>(x) * 4;
    return Color{pixel[2], pixel[1], pixel[0], pixel[3]};
}

void CImage::SetPixelColor(int x, int y, Color color, bool setAlpha) {
    if (x < 0 || y < 0 || x >= m_raster.width || y >= m_raster.height) {
        return;
    }
    std::uint8_t* pixel = m_raster.bgra.data() + static_cast<std::size_t>(y) * m_raster.Stride() +
                          static_cast<std::size_t>(x) * 4;
    pixel[0] = color.b;
    pixel[1] = color.g;
    pixel[2] = color.r;
    if (setAlpha && m_raster.hasAlpha) {
        pixel[3] = color.a;
    }
}

std::vector<std::uint8_t> CImage::CopyRows(PixelLayout layout) const {
    if (layout == PixelLayout::Bgra32) {
        return m_raster.bgra;
    }
    const std::size_t bytesPerPixel = BytesPerPixel(layout);
    std::vector<std::uint8_t> rows;
    rows.reserve(m_raster.bgra.size() / 4 * bytesPerPixel);
    for (std::size_t i = 0; i < m_raster.bgra.size(); i += 4) {
        rows.insert(rows.end(), m_raster.bgra.begin() + i, m_raster.bgra.begin() + i + 3);
        if (layout == PixelLayout::Bgrx32) {
            rows.push_back(255);
        }
    }
    return rows;
}

bool CImage::Resample(int newWidth, int newHeight, Interpolation interpolation) {
    if (!RequireValid("縮放影像")) {
        return false;
    }
    if (!IsAcceptableSize(newWidth, newHeight)) {
        return Fail("無法縮放影像：尺寸超出範圍。");
    }
    m_raster = ResampleRaster(m_raster, newWidth, newHeight, interpolation);
    return true;
}

bool CImage::Resample2(int newWidth, int newHeight) {
    return Resample(newWidth, newHeight, Interpolation::Bicubic);
}

bool CImage::Thumbnail(int width, int height, Color canvas) {
    if (!RequireValid("製作縮圖")) {
        return false;
    }
    if (!IsAcceptableSize(width, height)) {
        return Fail("無法製作縮圖：尺寸超出範圍。");
    }
    Raster fitted = m_raster;
    if (fitted.width > width || fitted.height > height) {
        // Scale by whichever side is tighter.
        const double scale =
            static_cast<double>(width) * fitted.height > static_cast<double>(height) * fitted.width
                ? static_cast<double>(height) / fitted.height
                : static_cast<double>(width) / fitted.width;
        const int fittedWidth = std::clamp(static_cast<int>(scale * fitted.width), 1, width);
        const int fittedHeight = std::clamp(static_cast<int>(scale * fitted.height), 1, height);
        fitted = ResampleRaster(m_raster, fittedWidth, fittedHeight, Interpolation::Bicubic);
    }
    Raster result = MakeCanvas(width, height, canvas, m_raster.hasAlpha);
    Paste(result, fitted, (width - fitted.width) / 2, (height - fitted.height) / 2);
    m_raster = std::move(result);
    return true;
}

bool CImage::Expand(int left, int top, int right, int bottom, Color canvas) {
    if (!RequireValid("擴充影像")) {
        return false;
    }
    if (left < 0 || top < 0 || right < 0 || bottom < 0) {
        return Fail("無法擴充影像：邊框寬度不可為負數。");
    }
    const std::int64_t width = std::int64_t{m_raster.width} + left + right;
    const std::int64_t height = std::int64_t{m_raster.height} + top + bottom;
    if (!IsAcceptableSize(width, height)) {
        return Fail("無法擴充影像：尺寸超出範圍。");
    }
    Raster result =
        MakeCanvas(static_cast<int>(width), static_cast<int>(height), canvas, m_raster.hasAlpha);
    Paste(result, m_raster, left, top);
    m_raster = std::move(result);
    return true;
}

bool CImage::Jitter(int radius, std::uint32_t seed) {
    if (!RequireValid("打散影像像素")) {
        return false;
    }
    if (radius < 0) {
        return Fail("無法打散影像像素：半徑不可為負數。");
    }
    std::mt19937 random(seed);
    // Drawn from the engine's raw output, so a seed gives the same picture
    // with every standard library.
    const auto offset = [&random, radius] {
        const double unit = random() / 4294967296.0;
        return static_cast<int>((unit - 0.5) * (2.0 * radius));
    };
    Raster result = m_raster;
    const int width = m_raster.width;
    const int height = m_raster.height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int nx = x + offset();
            int ny = y + offset();
            if (nx < 0 || ny < 0 || nx >= width || ny >= height) {
                nx = x;
                ny = y;
            }
            const std::uint8_t* from = m_raster.bgra.data() +
                                       static_cast<std::size_t>(ny) * m_raster.Stride() +
                                       static_cast<std::size_t>(nx) * 4;
            std::uint8_t* to = result.bgra.data() + static_cast<std::size_t>(y) * result.Stride() +
                               static_cast<std::size_t>(x) * 4;
            std::copy(from, from + 4, to);
        }
    }
    m_raster = std::move(result);
    return true;
}

bool CImage::Repair(float radius, int iterations) {
    if (!RequireValid("修補影像")) {
        return false;
    }
    if (!std::isfinite(radius) || iterations < 0) {
        return Fail("無法修補影像：參數不正確。");
    }
    const int width = m_raster.width;
    const int height = m_raster.height;
    const std::size_t stride = m_raster.Stride();
    for (int iteration = 0; iteration < iterations; ++iteration) {
        const std::vector<std::uint8_t> source = m_raster.bgra;
        for (int y = 0; y < height; ++y) {
            const std::size_t up = static_cast<std::size_t>(std::max(y - 1, 0)) * stride;
            const std::size_t row = static_cast<std::size_t>(y) * stride;
            const std::size_t down = static_cast<std::size_t>(std::min(y + 1, height - 1)) * stride;
            for (int x = 0; x < width; ++x) {
                const std::size_t left = static_cast<std::size_t>(std::max(x - 1, 0)) * 4;
                const std::size_t centre = static_cast<std::size_t>(x) * 4;
                const std::size_t right = static_cast<std::size_t>(std::min(x + 1, width - 1)) * 4;
                for (std::size_t c = 0; c < 3; ++c) {
                    const double v = source[row + centre + c];
                    const double xm = source[row + left + c];
                    const double xp = source[row + right + c];
                    const double ym = source[up + centre + c];
                    const double yp = source[down + centre + c];
                    const double ix = (xp - xm) / 2.0;
                    const double iy = (yp - ym) / 2.0;
                    const double ixx = xp - 2.0 * v + xm;
                    const double iyy = yp - 2.0 * v + ym;
                    const double ixy = (source[down + right + c] + source[up + left + c] -
                                        source[down + left + c] - source[up + right + c]) /
                                       4.0;
                    const double flow =
                        ((1.0 + iy * iy) * ixx - 2.0 * ix * iy * ixy + (1.0 + ix * ix) * iyy) /
                        (1.0 + ix * ix + iy * iy);
                    m_raster.bgra[row + centre + c] =
                        static_cast<std::uint8_t>(std::clamp(v + radius * flow + 0.5, 0.0, 255.0));
                }
            }
        }
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> CImage::Encode(ImageFormat format, int quality) const {
    if (!RequireValid("編碼影像")) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    if (format == ImageFormat::Bmp) {
        bytes = EncodeBmp24(m_raster);
        if (bytes.empty()) {
            Fail("無法編碼影像：影像太大，無法存成 BMP。");
            return std::nullopt;
        }
        return bytes;
    }
    std::string error;
    if (!EncodeWithMagick(m_raster, format, quality, bytes, error)) {
        Fail("無法編碼影像：" + error);
        return std::nullopt;
    }
    return bytes;
}

bool CImage::Save(const std::string& path, ImageFormat format, int quality) const {
    const std::optional<std::vector<std::uint8_t>> bytes = Encode(format, quality);
    if (!bytes) {
        return false;
    }
    const auto written = pfs::WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    if (!written) {
        return Fail(written.Error());
    }
    return true;
}

}  // namespace image
