#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fs/Result.h"

// A profile (ini) file read and written by the rules of the Windows
// profile-string functions, which the settings and showcase files were made
// with: section and key names match ignoring ASCII case, the first matching
// section and the first matching key in it win, and a missing file or key
// reads as the caller's default. Lines are read with LF or CRLF ends and
// written with CRLF; every line the program does not set, comments and
// unknown keys included, is written back as it was. Values are CP950 in the
// file and UTF-8 here; numbers are read and written in the C locale.
// Section and key names are ASCII.
class CProfileFile {
public:
    // An empty profile that Save writes to path.
    explicit CProfileFile(std::filesystem::path path);

    // The profile at path. A missing file is an empty profile; a file that
    // exists only under another ASCII case is that file.
    static pfs::Result<CProfileFile> Open(const std::filesystem::path& path);

    const std::filesystem::path& GetPath() const { return m_path; }

    // The value without surrounding blanks and without one pair of enclosing
    // quotes ('"' or '\''); nothing when the key is missing or its value is
    // not valid CP950.
    std::optional<std::string> GetString(std::string_view section, std::string_view key) const;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;

    // GetPrivateProfileInt: a missing key or an empty value gives the
    // default; otherwise an optional sign and the digits up to the first
    // other character, wrapping like a 32-bit value ("12abc" is 12, "abc" 0).
    int32_t GetInt(std::string_view section, std::string_view key, int32_t defaultValue) const;

    // The number at the start of the value ("12.500000", "12", "12.5cm");
    // a missing key, an empty value or one that starts with no finite number
    // gives the default.
    double GetReal(std::string_view section, std::string_view key, double defaultValue) const;

    // Sets the key, adding the section or the key at its end when missing.
    // A value with no CP950 form or with a line break is refused: false, and
    // the profile is unchanged.
    [[nodiscard]] bool SetString(std::string_view section, std::string_view key,
                                 std::string_view value);
    void SetInt(std::string_view section, std::string_view key, int32_t value);  // "%d"
    void SetReal(std::string_view section, std::string_view key, double value);  // "%f"

    // Replaces the file with the profile, atomically: on failure the old file
    // is left byte for byte.
    pfs::Result<void> Save() const;

private:
    struct KeyLine {
        std::size_t index = 0;
        std::string_view rawName;
        std::string_view rawValue;
    };

    std::optional<std::size_t> FindSection(std::string_view section) const;
    std::size_t SectionEnd(std::size_t header) const;
    std::optional<KeyLine> FindKey(std::string_view section, std::string_view key) const;
    std::optional<std::string_view> RawValue(std::string_view section, std::string_view key) const;
    void SetRaw(std::string_view section, std::string_view key, std::string_view rawValue);

    std::filesystem::path m_path;
    std::vector<std::string> m_lines;  // CP950 bytes, without line ends
};
