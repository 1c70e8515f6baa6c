#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/desktop/CacheTool.h"
#include "platform/fs/UserEnvironment.h"

namespace desktop {

// Where the association's files come from and where they go.
struct AssociationSetup {
    pfs::UserEnvironment env;
    std::filesystem::path resourceFolder;  // holds desktop/ and icons/
    std::filesystem::path executable;      // the Exec line's program; empty: "velmora"
    std::string toolSearchPath;            // where the cache tools are looked for
    std::chrono::milliseconds toolLimit{5000};

    // The running program: its own path, resources and $PATH.
    static AssociationSetup ForProcess();
};

enum class FileOutcome { Unchanged, Written, Failed };

struct InstalledFile {
    std::filesystem::path target;
    FileOutcome outcome = FileOutcome::Unchanged;
    std::string error;
};

struct CacheRefresh {
    std::string tool;
    ToolRun run;
};

// What a registration did, or why it could not.
struct AssociationReport {
    std::string failure;  // set when the files could not even be placed
    std::vector<InstalledFile> files;
    std::vector<CacheRefresh> refreshes;  // only the caches that were out of date

    bool Complete() const;  // every file in place
    bool Changed() const;   // a file was written
    // One line for the log, in the program's language.
    std::string Describe() const;
};

// Makes design files (.dg6) and selection files (.dqv6) open with the program
// for the current user: a desktop entry, a MIME type and the icon under
// $XDG_DATA_HOME, then the desktop caches refreshed when their tools exist.
// Files already as wanted are left untouched; nothing needs root and nothing
// throws: the caller only logs the report.
AssociationReport RegisterDesignFileAssociation(const AssociationSetup& setup);

}  // namespace desktop
