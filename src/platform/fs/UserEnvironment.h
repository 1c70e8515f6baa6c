#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/fs/Result.h"

namespace pfs {

// The environment values that place the per-user folders. Tests fill it by
// hand; the program takes it from the process. An empty value counts as unset.
struct UserEnvironment {
    std::optional<std::string> velmoraHome;    // $VELMORA_HOME
    std::optional<std::string> xdgDataHome;    // $XDG_DATA_HOME
    std::optional<std::string> xdgCacheHome;   // $XDG_CACHE_HOME
    std::optional<std::string> xdgConfigHome;  // $XDG_CONFIG_HOME
    std::optional<std::string> home;           // $HOME, else the account's home folder

    static UserEnvironment FromProcess();

    // The XDG base folders, each defaulting below the home folder.
    Result<std::filesystem::path> DataHome() const;
    Result<std::filesystem::path> CacheHome() const;
    Result<std::filesystem::path> ConfigHome() const;
};

}  // namespace pfs
