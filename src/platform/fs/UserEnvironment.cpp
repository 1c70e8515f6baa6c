#include "platform/fs/UserEnvironment.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace pfs {

namespace {

std::optional<std::string> GetVariable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

std::optional<std::string> AccountHome() {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr) {
        return std::nullopt;
    }
    return std::string(found->pw_dir);
}

bool IsSet(const std::optional<std::string>& value) {
    return value && !value->empty();
}

// XDG asks that a relative base folder be ignored as invalid.
Result<std::filesystem::path> BaseFolder(const std::optional<std::string>& variable,
                                         const std::optional<std::string>& home,
                                         const char* belowHome) {
    if (IsSet(variable) && std::filesystem::path(*variable).is_absolute()) {
        return std::filesystem::path(*variable);
    }
    if (!IsSet(home) || !std::filesystem::path(*home).is_absolute()) {
        return Failure{"找不到使用者的家目錄：$HOME 沒有設定為絕對路徑。"};
    }
    return std::filesystem::path(*home) / belowHome;
}

}  // namespace

UserEnvironment UserEnvironment::FromProcess() {
    UserEnvironment env;
    env.velmoraHome = GetVariable("VELMORA_HOME");
    env.xdgDataHome = GetVariable("XDG_DATA_HOME");
    env.xdgCacheHome = GetVariable("XDG_CACHE_HOME");
    env.xdgConfigHome = GetVariable("XDG_CONFIG_HOME");
    env.home = GetVariable("HOME");
    if (!IsSet(env.home)) {
        env.home = AccountHome();
    }
    return env;
}

Result<std::filesystem::path> UserEnvironment::DataHome() const {
    return BaseFolder(xdgDataHome, home, ".local/share");
}

Result<std::filesystem::path> UserEnvironment::CacheHome() const {
    return BaseFolder(xdgCacheHome, home, ".cache");
}

Result<std::filesystem::path> UserEnvironment::ConfigHome() const {
    return BaseFolder(xdgConfigHome, home, ".config");
}

}  // namespace pfs
