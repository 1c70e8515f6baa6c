#include "foundation/RegistryKey.h"

#include <optional>
#include <system_error>
#include <vector>

#include "platform/fs/AtomicFileWriter.h"
#include "platform/fs/RegularFile.h"
#include "platform/fs/UserFolders.h"
#include "platform/text/AsciiCase.h"

namespace {

constexpr const char* kStoreFileName = "registry.ini";

// The store's lines:
//   [sub\key]          a key; its name runs to the last ']'
//   @="text"           the default value
//   "name"="text"      a named value
// Quoted texts escape '\', '"', CR and LF with a backslash.
struct StoredValue {
    std::string key;
    std::string name;
    std::string text;
};

std::string Quote(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        switch (c) {
            case '\\':
                quoted += "\\\\";
                break;
            case '"':
                quoted += "\\\"";
                break;
            case '\n':
                quoted += "\\n";
                break;
            case '\r':
                quoted += "\\r";
                break;
            default:
                quoted += c;
        }
    }
    return quoted + "\"";
}

// Reads a quoted text at line[pos]; pos ends after the closing quote.
std::optional<std::string> Unquote(std::string_view line, std::size_t& pos) {
    if (pos >= line.size() || line[pos] != '"') {
        return std::nullopt;
    }
    std::string text;
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return text;
        }
        if (c == '\\' && ++pos < line.size()) {
            c = line[pos];
            c = c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        }
        text += c;
    }
    return std::nullopt;
}

std::optional<StoredValue> ParseValue(std::string_view line, const std::string& key) {
    StoredValue value{key, {}, {}};
    std::size_t pos = 0;
    if (line.starts_with('@')) {
        pos = 1;
    } else if (auto name = Unquote(line, pos)) {
        value.name = std::move(*name);
    } else {
        return std::nullopt;
    }
    if (pos >= line.size() || line[pos] != '=') {
        return std::nullopt;
    }
    ++pos;
    auto text = Unquote(line, pos);
    if (!text) {
        return std::nullopt;
    }
    value.text = std::move(*text);
    return value;
}

// Lines that do not parse are skipped, so a damaged store loses only them.
std::vector<StoredValue> ParseStore(std::string_view content) {
    std::vector<StoredValue> values;
    std::string key;
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.starts_with('[')) {
            const std::size_t close = line.rfind(']');
            if (close != std::string_view::npos && close > 0) {
                key = std::string(line.substr(1, close - 1));
            }
        } else if (auto value = ParseValue(line, key)) {
            values.push_back(std::move(*value));
        }
    }
    return values;
}

std::string FormatStore(const std::vector<StoredValue>& values) {
    std::string content;
    const std::string* key = nullptr;
    for (const StoredValue& value : values) {
        if (key == nullptr || !text::EqualsIgnoreAsciiCase(*key, value.key)) {
            content += (content.empty() ? "[" : "\n[") + value.key + "]\n";
            key = &value.key;
        }
        content += (value.name.empty() ? "@" : Quote(value.name)) + "=" + Quote(value.text) + "\n";
    }
    return content;
}

std::optional<std::vector<StoredValue>> LoadStore(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        return std::vector<StoredValue>();
    }
    pfs::Result<std::string> content = pfs::ReadWholeFile(file, pfs::kTextFileLimit);
    if (!content) {
        return std::nullopt;
    }
    return ParseStore(content.Value());
}

bool SameValue(const StoredValue& value, std::string_view key, std::string_view name) {
    return text::EqualsIgnoreAsciiCase(value.key, key) &&
           text::EqualsIgnoreAsciiCase(value.name, name);
}

}  // namespace

CRegistryKey::CRegistryKey() : CRegistryKey(pfs::UserEnvironment::FromProcess()) {}

CRegistryKey::CRegistryKey(const pfs::UserEnvironment& env) : m_env(env) {}

CRegistryKey::~CRegistryKey() {
    Close();
}

int32_t CRegistryKey::Create(std::string_view subKey) {
    Close();
    if (subKey.find_first_of("\r\n") != std::string_view::npos) {
        return kRegistryInvalidName;
    }
    pfs::Result<std::filesystem::path> folder = pfs::ConfigFolder(m_env);
    if (!folder) {
        return kRegistryCannotOpen;
    }
    const std::filesystem::path storeFile = folder.Value() / kStoreFileName;
    if (!LoadStore(storeFile)) {
        return kRegistryCannotOpen;
    }
    m_storeFile = storeFile;
    m_subKey = subKey;
    return kRegistryOk;
}

void CRegistryKey::Close() {
    m_storeFile.clear();
    m_subKey.clear();
}

int32_t CRegistryKey::SetString(std::string_view valueName, std::string_view text) {
    if (m_storeFile.empty()) {
        return kRegistryKeyNotOpen;
    }
    std::optional<std::vector<StoredValue>> values = LoadStore(m_storeFile);
    if (!values) {
        return kRegistryCannotOpen;
    }
    StoredValue* existing = nullptr;
    for (StoredValue& value : *values) {
        if (SameValue(value, m_subKey, valueName)) {
            existing = &value;
            break;
        }
    }
    if (existing != nullptr) {
        existing->text = text;
    } else {
        // Beside the key's other values, so the file keeps one section a key.
        auto last = values->end();
        for (auto it = values->begin(); it != values->end(); ++it) {
            if (text::EqualsIgnoreAsciiCase(it->key, m_subKey)) {
                last = it + 1;
            }
        }
        values->insert(last, StoredValue{m_subKey, std::string(valueName), std::string(text)});
    }
    if (!pfs::WriteFileAtomically(m_storeFile, FormatStore(*values))) {
        return kRegistryCannotWrite;
    }
    return kRegistryOk;
}

int32_t CRegistryKey::GetString(std::string_view valueName, std::string& out) const {
    if (m_storeFile.empty()) {
        return kRegistryKeyNotOpen;
    }
    std::optional<std::vector<StoredValue>> values = LoadStore(m_storeFile);
    if (!values) {
        return kRegistryCannotOpen;
    }
    for (const StoredValue& value : *values) {
        if (SameValue(value, m_subKey, valueName)) {
            out = value.text;
            return kRegistryOk;
        }
    }
    return kRegistryValueNotFound;
}
