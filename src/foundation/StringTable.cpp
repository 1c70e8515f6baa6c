#include "foundation/StringTable.h"

#include <charconv>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/fs/RegularFile.h"

namespace {

std::optional<std::string> Unescape(std::string_view escaped) {
    std::string text;
    text.reserve(escaped.size());
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != '\\') {
            text += escaped[i];
            continue;
        }
        if (++i == escaped.size()) {
            return std::nullopt;
        }
        switch (escaped[i]) {
            case 'n':
                text += '\n';
                break;
            case 't':
                text += '\t';
                break;
            case '\\':
                text += '\\';
                break;
            default:
                return std::nullopt;
        }
    }
    return text;
}

pfs::Failure LineFailure(std::size_t lineNumber, std::string_view why) {
    return pfs::Failure{"字串表第 " + std::to_string(lineNumber) + " 行" + std::string(why) + "。"};
}

}  // namespace

const std::string* CStringTable::Find(unsigned id) const {
    auto it = m_strings.find(id);
    return it == m_strings.end() ? nullptr : &it->second;
}

bool CStringTable::Add(unsigned id, std::string text) {
    return m_strings.emplace(id, std::move(text)).second;
}

pfs::Result<CStringTable> ParseStringTable(std::string_view content) {
    CStringTable table;
    std::size_t lineNumber = 0;
    while (!content.empty()) {
        ++lineNumber;
        std::size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
        // A table edited on Windows may end its lines with CR LF.
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            continue;
        }
        std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) {
            return LineFailure(lineNumber, "的編號後面沒有定位字元");
        }
        unsigned id = 0;
        const char* idEnd = line.data() + tab;
        auto [stop, error] = std::from_chars(line.data(), idEnd, id);
        if (tab == 0 || error != std::errc() || stop != idEnd) {
            return LineFailure(lineNumber, "的編號不是數字");
        }
        std::optional<std::string> text = Unescape(line.substr(tab + 1));
        if (!text) {
            return LineFailure(lineNumber, "有無法辨識的跳脫字元");
        }
        if (!table.Add(id, std::move(*text))) {
            return LineFailure(lineNumber, "的編號 " + std::to_string(id) + " 重複出現");
        }
    }
    return table;
}

pfs::Result<CStringTable> LoadStringTable(const std::filesystem::path& path) {
    pfs::Result<std::string> content = pfs::ReadWholeFile(path, pfs::kTextFileLimit);
    if (!content) {
        return pfs::Failure{content.Error()};
    }
    pfs::Result<CStringTable> table = ParseStringTable(content.Value());
    if (!table) {
        return pfs::Failure{"「" + path.string() + "」：" + table.Error()};
    }
    return table;
}
