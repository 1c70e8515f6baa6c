#include "foundation/ProfileFile.h"

#include <charconv>
#include <cmath>
#include <system_error>
#include <utility>

#include "platform/fs/AtomicFileWriter.h"
#include "platform/fs/PathLookup.h"
#include "platform/fs/RegularFile.h"
#include "platform/text/AsciiCase.h"
#include "platform/text/Cp950.h"

namespace {

// Blanks are ASCII and never CP950 trail bytes, so trimming raw bytes is safe.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    std::size_t close = line.rfind(']');
    if (close == std::string_view::npos || close == 0) {
        return std::nullopt;
    }
    return Trim(line.substr(1, close - 1));
}

// The name and value of a "name=value" line; a line without '=' (a comment,
// a stray word) holds no key.
std::optional<std::pair<std::string_view, std::string_view>> KeyAndValue(std::string_view line) {
    if (SectionName(line)) {
        return std::nullopt;
    }
    line = Trim(line);
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return std::make_pair(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
}

std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// The names the program asks for are ASCII, so a stored name holding CP950
// bytes never equals one, and folding ASCII letters on the raw bytes is exact.
bool NameEquals(std::string_view stored, std::string_view wanted) {
    return text::EqualsIgnoreAsciiCase(stored, wanted);
}

}  // namespace

CProfileFile::CProfileFile(std::filesystem::path path) : m_path(std::move(path)) {}

pfs::Result<CProfileFile> CProfileFile::Open(const std::filesystem::path& path) {
    std::filesystem::path actual = path;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        if (ec) {
            return pfs::Failure{"無法開啟「" + path.string() + "」：" + ec.message()};
        }
        std::optional<std::filesystem::path> resolved = pfs::ResolvePathCaseInsensitive(path);
        if (!resolved) {
            return CProfileFile(path);
        }
        actual = *resolved;
    }
    pfs::Result<std::string> content = pfs::ReadWholeFile(actual, pfs::kTextFileLimit);
    if (!content) {
        return pfs::Failure{content.Error()};
    }
    CProfileFile profile(actual);
    std::string_view rest = content.Value();
    while (!rest.empty()) {
        std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        profile.m_lines.emplace_back(line);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return profile;
}

std::optional<std::size_t> CProfileFile::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        std::optional<std::string_view> name = SectionName(m_lines[i]);
        if (name && NameEquals(*name, section)) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t CProfileFile::SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < m_lines.size() && !SectionName(m_lines[i])) {
        ++i;
    }
    return i;
}

std::optional<CProfileFile::KeyLine> CProfileFile::FindKey(std::string_view section,
                                                           std::string_view key) const {
    std::optional<std::size_t> header = FindSection(section);
    if (!header) {
        return std::nullopt;
    }
    std::size_t end = SectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        auto entry = KeyAndValue(m_lines[i]);
        if (entry && NameEquals(entry->first, key)) {
            return KeyLine{i, entry->first, entry->second};
        }
    }
    return std::nullopt;
}

std::optional<std::string_view> CProfileFile::RawValue(std::string_view section,
                                                       std::string_view key) const {
    std::optional<KeyLine> line = FindKey(section, key);
    if (!line) {
        return std::nullopt;
    }
    return StripQuotes(line->rawValue);
}

std::optional<std::string> CProfileFile::GetString(std::string_view section,
                                                   std::string_view key) const {
    std::optional<std::string_view> raw = RawValue(section, key);
    if (!raw) {
        return std::nullopt;
    }
    return text::Cp950ToUtf8(*raw);
}

std::string CProfileFile::GetString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    std::optional<std::string> value = GetString(section, key);
    return value ? std::move(*value) : std::string(defaultValue);
}

int32_t CProfileFile::GetInt(std::string_view section, std::string_view key,
                             int32_t defaultValue) const {
    std::optional<std::string_view> raw = RawValue(section, key);
    if (!raw || raw->empty()) {
        return defaultValue;
    }
    std::string_view digits = *raw;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    uint32_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            break;
        }
        value = value * 10u + static_cast<uint32_t>(c - '0');
    }
    if (negative) {
        value = 0u - value;
    }
    return static_cast<int32_t>(value);
}

double CProfileFile::GetReal(std::string_view section, std::string_view key,
                             double defaultValue) const {
    std::optional<std::string_view> raw = RawValue(section, key);
    if (!raw) {
        return defaultValue;
    }
    std::string_view number = *raw;
    if (!number.empty() && number.front() == '+') {
        number.remove_prefix(1);
    }
    double value = 0.0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::general);
    if (error != std::errc() || !std::isfinite(value)) {
        return defaultValue;
    }
    return value;
}

void CProfileFile::SetRaw(std::string_view section, std::string_view key,
                          std::string_view rawValue) {
    std::optional<std::size_t> header = FindSection(section);
    if (!header) {
        if (!m_lines.empty() && !Trim(m_lines.back()).empty()) {
            m_lines.emplace_back();
        }
        m_lines.push_back("[" + std::string(section) + "]");
        m_lines.push_back(std::string(key) + "=" + std::string(rawValue));
        return;
    }
    if (std::optional<KeyLine> line = FindKey(section, key)) {
        // The file's own spelling of the name stays.
        m_lines[line->index] = std::string(line->rawName) + "=" + std::string(rawValue);
        return;
    }
    std::size_t end = SectionEnd(*header);
    std::size_t insertAt = *header + 1;
    for (std::size_t i = *header + 1; i < end; ++i) {
        if (!Trim(m_lines[i]).empty()) {
            insertAt = i + 1;
        }
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                   std::string(key) + "=" + std::string(rawValue));
}

bool CProfileFile::SetString(std::string_view section, std::string_view key,
                             std::string_view value) {
    if (value.find_first_of("\r\n") != std::string_view::npos) {
        return false;
    }
    std::optional<std::string> encoded = text::Utf8ToCp950(value);
    if (!encoded) {
        return false;
    }
    SetRaw(section, key, *encoded);
    return true;
}

void CProfileFile::SetInt(std::string_view section, std::string_view key, int32_t value) {
    char buffer[16];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof(buffer), value);
    SetRaw(section, key, std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

void CProfileFile::SetReal(std::string_view section, std::string_view key, double value) {
    char buffer[400];
    auto [end, error] =
        std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed, 6);
    SetRaw(section, key, std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

pfs::Result<void> CProfileFile::Save() const {
    std::string content;
    for (const std::string& line : m_lines) {
        content += line;
        content += "\r\n";
    }
    return pfs::WriteFileAtomically(m_path, content);
}
