#include "platform/text/Cp950.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <limits>

namespace text {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// An iconv descriptor keeps conversion state, so each thread owns its own.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != kNoConverter) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    iconv_t Get() const { return cd_; }

private:
    iconv_t cd_;
};

iconv_t ToCp950() {
    thread_local Converter converter("CP950", "UTF-8");
    return converter.Get();
}

iconv_t FromCp950() {
    thread_local Converter converter("UTF-8", "CP950");
    return converter.Get();
}

struct Conversion {
    std::size_t consumed = 0;  // input bytes converted, always a character boundary
    bool complete = false;     // the whole input was converted
};

// Appends the conversion of `in` to `out`, writing at most outLimit bytes. Stops at
// the first sequence that cannot be converted or before the first character that
// would pass outLimit.
Conversion Convert(iconv_t cd, std::string_view in, std::string& out,
                   std::size_t outLimit = std::numeric_limits<std::size_t>::max()) {
    if (cd == kNoConverter) {
        return {};
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    // Every character takes at least one input byte and at most four output bytes,
    // so one call with this room converts all the input it can.
    const std::size_t room = std::min(outLimit, in.size() * 4);
    const std::size_t old = out.size();
    out.resize(old + room);
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char* outPtr = out.data() + old;
    std::size_t outLeft = room;
    iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    out.resize(out.size() - outLeft);
    return {in.size() - inLeft, inLeft == 0};
}

std::optional<std::string> ConvertAll(iconv_t cd, std::string_view in) {
    std::string out;
    if (!Convert(cd, in, out).complete) {
        return std::nullopt;
    }
    return out;
}

}  // namespace

std::optional<std::string> Utf8ToCp950(std::string_view utf8) {
    return ConvertAll(ToCp950(), utf8);
}

std::optional<std::string> Cp950ToUtf8(std::string_view cp950) {
    return ConvertAll(FromCp950(), cp950);
}

std::string Cp950ToUtf8Lenient(std::string_view cp950) {
    static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    const iconv_t cd = FromCp950();
    std::string out;
    if (cd == kNoConverter) {
        for (std::size_t i = 0; i < cp950.size(); ++i) {
            out += kReplacement;
        }
        return out;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    // Each call writes into a small fixed buffer, so its cost is what it
    // converts: a text of bad bytes decodes in linear time, one call a byte.
    std::array<char, 4096> buffer;
    char* in = const_cast<char*>(cp950.data());
    std::size_t inLeft = cp950.size();
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        const bool stopped =
            iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1);
        const bool bufferFull = stopped && errno == E2BIG;
        out.append(buffer.data(), buffer.size() - outLeft);
        if (stopped && !bufferFull) {
            out += kReplacement;
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

std::optional<std::size_t> Cp950Length(std::string_view utf8) {
    const std::optional<std::string> bytes = Utf8ToCp950(utf8);
    if (!bytes) {
        return std::nullopt;
    }
    return bytes->size();
}

bool FitsInCp950Bytes(std::string_view utf8, std::size_t maxBytes) {
    const std::optional<std::size_t> length = Cp950Length(utf8);
    return length && *length <= maxBytes;
}

std::optional<std::string> TruncateToCp950Bytes(std::string_view utf8, std::size_t maxBytes) {
    const std::optional<std::size_t> length = Cp950Length(utf8);
    if (!length) {
        return std::nullopt;
    }
    if (*length <= maxBytes) {
        return std::string(utf8);
    }
    // The whole text converts, so the only stop left is the byte limit, and iconv
    // stops it before the first character that does not fit.
    std::string cut;
    const Conversion conversion = Convert(ToCp950(), utf8, cut, maxBytes);
    return std::string(utf8.substr(0, conversion.consumed));
}

}  // namespace text
