#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "platform/fs/Result.h"

// Texts of the program by number. A table file is UTF-8, one string a line:
// the id, a tab, the text, with \n, \t and \\ standing for a line feed, a tab
// and a backslash. Empty lines are skipped.
class CStringTable {
public:
    // Null when the table has no such string.
    const std::string* Find(unsigned id) const;

    // False, leaving the table as it was, when the id is taken already.
    bool Add(unsigned id, std::string text);

    bool Empty() const { return m_strings.empty(); }

private:
    std::map<unsigned, std::string> m_strings;
};

// The whole file is refused, with the line at fault, when any line is damaged.
pfs::Result<CStringTable> LoadStringTable(const std::filesystem::path& path);

// Same, for the text of a table file.
pfs::Result<CStringTable> ParseStringTable(std::string_view content);
