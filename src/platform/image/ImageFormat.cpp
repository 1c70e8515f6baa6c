#include "platform/image/ImageFormat.h"

#include <array>
#include <cstring>
#include <string>

#include "platform/text/AsciiCase.h"

namespace image {

namespace {

std::string LowerAsciiExtension(std::string_view path) {
    const std::size_t nameStart = path.find_last_of("/\\");
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || (nameStart != std::string_view::npos && dot < nameStart)) {
        return {};
    }
    return text::AsciiToLower(path.substr(dot + 1));
}

bool StartsWith(const std::uint8_t* data, std::size_t length, std::string_view signature) {
    return length >= signature.size() && std::memcmp(data, signature.data(), signature.size()) == 0;
}

}  // namespace

ImageFormat GetImageFormatByExtension(std::string_view path) {
    struct Entry {
        std::string_view extension;
        ImageFormat format;
    };
    static constexpr std::array<Entry, 17> kEntries = {{
        {"bmp", ImageFormat::Bmp},
        {"gif", ImageFormat::Gif},
        {"jpg", ImageFormat::Jpg},
        {"jpeg", ImageFormat::Jpg},
        {"png", ImageFormat::Png},
        {"ico", ImageFormat::Ico},
        {"tif", ImageFormat::Tif},
        {"tga", ImageFormat::Tga},
        {"pcx", ImageFormat::Pcx},
        {"wbmp", ImageFormat::Wbmp},
        {"wmf", ImageFormat::Wmf},
        {"j2k", ImageFormat::J2k},
        {"jp2", ImageFormat::Jp2},
        {"jpc", ImageFormat::Jpc},
        {"pgx", ImageFormat::Pgx},
        {"pnm", ImageFormat::Pnm},
        {"ras", ImageFormat::Ras},
    }};
    const std::string extension = LowerAsciiExtension(path);
    for (const Entry& entry : kEntries) {
        if (extension == entry.extension) {
            return entry.format;
        }
    }
    return ImageFormat::Unknown;
}

ImageFormat SniffImageFormat(const std::uint8_t* data, std::size_t length) {
    using namespace std::string_view_literals;
    if (data == nullptr) {
        return ImageFormat::Unknown;
    }
    if (StartsWith(data, length, "BM"sv)) {
        return ImageFormat::Bmp;
    }
    if (StartsWith(data, length, "GIF87a"sv) || StartsWith(data, length, "GIF89a"sv)) {
        return ImageFormat::Gif;
    }
    if (StartsWith(data, length, "\xFF\xD8\xFF"sv)) {
        return ImageFormat::Jpg;
    }
    if (StartsWith(data, length, "\x89PNG\r\n\x1A\n"sv)) {
        return ImageFormat::Png;
    }
    if (StartsWith(data, length, "II*\0"sv) || StartsWith(data, length, "MM\0*"sv)) {
        return ImageFormat::Tif;
    }
    if (StartsWith(data, length, "\0\0\1\0"sv) && length >= 6 && (data[4] | data[5]) != 0) {
        return ImageFormat::Ico;
    }
    if (length >= 3 && data[0] == 0x0A && data[1] <= 5 && data[2] == 1) {
        return ImageFormat::Pcx;
    }
    if (StartsWith(data, length, "\xD7\xCD\xC6\x9A"sv) ||
        (length >= 6 && (data[0] == 1 || data[0] == 2) && data[1] == 0 && data[2] == 9 &&
         data[3] == 0 && data[4] == 0 && (data[5] == 1 || data[5] == 3))) {
        return ImageFormat::Wmf;
    }
    if (StartsWith(data, length, "\0\0\0\x0CjP  \r\n\x87\n"sv)) {
        return ImageFormat::Jp2;
    }
    if (StartsWith(data, length, "\xFF\x4F\xFF\x51"sv)) {
        return ImageFormat::J2k;
    }
    if (StartsWith(data, length, "PG"sv) && length >= 3 && (data[2] == ' ' || data[2] == '\t')) {
        return ImageFormat::Pgx;
    }
    if (length >= 3 && data[0] == 'P' && data[1] >= '1' && data[1] <= '6' &&
        (data[2] == ' ' || data[2] == '\t' || data[2] == '\r' || data[2] == '\n')) {
        return ImageFormat::Pnm;
    }
    if (StartsWith(data, length, "\x59\xA6\x6A\x95"sv)) {
        return ImageFormat::Ras;
    }
    return ImageFormat::Unknown;
}

ImageFormat SniffStoredImageFormat(const std::uint8_t* data, std::size_t length) {
    const ImageFormat format = SniffImageFormat(data, length);
    return format == ImageFormat::Unknown ? ImageFormat::Tga : format;
}

}  // namespace image
