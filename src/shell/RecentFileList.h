#pragma once

#include <wx/filehistory.h>

#include <cstddef>
#include <filesystem>
#include <string>

#include "platform/fs/Result.h"
#include "platform/fs/UserEnvironment.h"

class wxMenu;

// The ten most recently opened designs, newest first, shown in a menu with the
// commands cmd::kFirstRecentFile upward and kept in the group "Recent File
// List" of the program's config file. Paths are UTF-8.
class CRecentFileList {
public:
    explicit CRecentFileList(std::filesystem::path configFile);

    // $XDG_CONFIG_HOME/velmora/velmora.conf; the folder is created.
    static pfs::Result<std::filesystem::path> DefaultConfigFile(const pfs::UserEnvironment& env);

    // Replaces the list with the stored one; a missing file is an empty list.
    pfs::Result<void> Load();
    // Writes the list atomically; the file's other groups are kept.
    pfs::Result<void> Save() const;

    // Puts the path at the top, moving it up when listed and dropping the
    // oldest entry when the list is full.
    void Add(const std::string& path);
    // Removes entry i; later entries move up. Out of range does nothing.
    void Remove(std::size_t index);
    // Removes every entry inside folder (files opened out of an unpacked
    // design package never stay listed).
    void DropUnder(const std::filesystem::path& folder);

    std::size_t GetCount() const;
    // Entry i, or empty when out of range.
    std::string GetPath(std::size_t index) const;

    // The menu shows the entries from now on and follows every change.
    void UseMenu(wxMenu* menu);
    void RemoveMenu(wxMenu* menu);

private:
    std::filesystem::path m_configFile;
    // The generic history: GTK's own also feeds the desktop's shared list of
    // recent documents, which the program does not ask for.
    wxFileHistoryBase m_history;
};
