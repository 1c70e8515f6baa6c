#include "shell/ProgramStrings.h"

#include <optional>
#include <string>
#include <utility>

#include "foundation/ResourceStrings.h"
#include "foundation/StringTable.h"
#include "platform/fs/PathLookup.h"

namespace {

constexpr const char* kResourceOverrideFolder = "QVP_RES";
constexpr const char* kStringTableFile = "strings.txt";

}  // namespace

pfs::Result<void> LoadProgramStrings(const std::filesystem::path& resourceFolder,
                                     const std::filesystem::path& programFolder) {
    std::string failure;
    CStringTable builtIn;
    if (pfs::Result<CStringTable> table = LoadStringTable(resourceFolder / kStringTableFile)) {
        builtIn = std::move(table.Value());
    } else {
        failure = table.Error();
    }

    CStringTable overrides;
    const std::optional<std::filesystem::path> overrideTable =
        pfs::ResolvePathCaseInsensitive(programFolder / kResourceOverrideFolder / kStringTableFile);
    if (overrideTable) {
        if (pfs::Result<CStringTable> table = LoadStringTable(*overrideTable)) {
            overrides = std::move(table.Value());
        } else if (failure.empty()) {
            failure = table.Error();
        }
    }

    SetResourceStringTables(std::move(builtIn), std::move(overrides));
    if (!failure.empty()) {
        return pfs::Failure{failure};
    }
    return {};
}
