#include "platform/fs/StoredPath.h"

#include <algorithm>

namespace pfs {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::string WithSlashes(std::string_view path) {
    std::string result(path);
    std::replace(result.begin(), result.end(), '\\', '/');
    return result;
}

std::string ToStoredPath(std::string_view localPath) {
    std::string stored(localPath);
    std::replace(stored.begin(), stored.end(), '/', '\\');
    if (!localPath.empty() && localPath.front() == '/') {
        stored.insert(0, "Z:");
    }
    return stored;
}

MappedPath FromStoredPath(std::string_view stored) {
    MappedPath mapped;
    auto lastSeparator = std::find_if(stored.rbegin(), stored.rend(), IsSeparator);
    mapped.fileName = std::string(lastSeparator.base(), stored.end());

    bool hasDrive = stored.size() >= 2 && IsAsciiLetter(stored[0]) && stored[1] == ':';
    if (hasDrive && (stored[0] == 'Z' || stored[0] == 'z')) {
        mapped.kind = StoredPathKind::Local;
        mapped.path = WithSlashes(stored.substr(2));
        if (mapped.path.empty() || mapped.path.front() != '/') {
            mapped.path.insert(0, "/");
        }
    } else if (hasDrive || (!stored.empty() && IsSeparator(stored.front()))) {
        mapped.kind = StoredPathKind::Foreign;
    } else {
        mapped.kind = StoredPathKind::Relative;
        mapped.path = WithSlashes(stored);
    }
    return mapped;
}

}  // namespace pfs
