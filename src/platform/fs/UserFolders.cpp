#include "platform/fs/UserFolders.h"

#include <system_error>

namespace pfs {

namespace {

constexpr const char* kFolderName = "velmora";

// Absolute, without "." or ".." parts and without a trailing separator.
Result<std::filesystem::path> MakeAbsolute(const std::string& folder) {
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(folder, ec);
    if (ec) {
        return Failure{"找不到資料夾「" + folder + "」：" + ec.message()};
    }
    absolute = absolute.lexically_normal();
    if (!absolute.has_filename() && absolute != absolute.root_path()) {
        absolute = absolute.parent_path();
    }
    return absolute;
}

Result<std::filesystem::path> CreateFolder(const Result<std::filesystem::path>& base) {
    if (!base) {
        return Failure{base.Error()};
    }
    std::filesystem::path folder = base.Value() / kFolderName;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        return Failure{"無法建立資料夾「" + folder.string() + "」：" + ec.message()};
    }
    return folder;
}

}  // namespace

Result<std::filesystem::path> ResolveProgramFolder(const std::optional<std::string>& homeOption,
                                                   const UserEnvironment& env) {
    if (homeOption && !homeOption->empty()) {
        return MakeAbsolute(*homeOption);
    }
    if (env.velmoraHome && !env.velmoraHome->empty()) {
        return MakeAbsolute(*env.velmoraHome);
    }
    Result<std::filesystem::path> dataHome = env.DataHome();
    if (!dataHome) {
        return dataHome;
    }
    return MakeAbsolute((dataHome.Value() / kFolderName).string());
}

std::string WithTrailingSlash(const std::filesystem::path& folder) {
    std::string text = folder.string();
    if (text.empty() || text.back() != '/') {
        text += '/';
    }
    return text;
}

Result<std::filesystem::path> CacheFolder(const UserEnvironment& env) {
    return CreateFolder(env.CacheHome());
}

Result<std::filesystem::path> ConfigFolder(const UserEnvironment& env) {
    return CreateFolder(env.ConfigHome());
}

}  // namespace pfs
