#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/fs/UserEnvironment.h"

// Result codes of CRegistryKey, with the values of the Win32 error codes that
// callers compare against (0 is success).
inline constexpr int32_t kRegistryOk = 0;
inline constexpr int32_t kRegistryValueNotFound = 2;
inline constexpr int32_t kRegistryKeyNotOpen = 6;
inline constexpr int32_t kRegistryInvalidName = 87;
inline constexpr int32_t kRegistryCannotOpen = 1011;
inline constexpr int32_t kRegistryCannotWrite = 1013;

// One key of the per-user registry substitute: string values kept in
// "registry.ini" in the per-user config folder, so they outlast the run. Key
// and value names are matched ignoring ASCII case; the empty value name is the
// key's default value. Every call reads the file afresh, so keys opened by
// other objects see each other's writes.
class CRegistryKey {
public:
    // The config folder of the running user.
    CRegistryKey();
    // The config folder that env places (tests).
    explicit CRegistryKey(const pfs::UserEnvironment& env);
    ~CRegistryKey();

    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Opens or creates the key at the sub-key path ("a\\b\\c").
    int32_t Create(std::string_view subKey);
    void Close();

    int32_t SetString(std::string_view valueName, std::string_view text);
    // `out` is assigned only on success.
    int32_t GetString(std::string_view valueName, std::string& out) const;

private:
    pfs::UserEnvironment m_env;
    std::filesystem::path m_storeFile;  // empty while no key is open
    std::string m_subKey;
};
