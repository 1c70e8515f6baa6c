#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "document/DocumentRecords.h"

// The showcase files: group files "S<n>_Show.ini" and the ungrouped list
// "NonGroup.ini", all keys in section QV_SHOW, entries numbered 1 .. COUNT.

// A showcase file that a catalogue scan visits.
struct ShowCatalogFile {
    std::filesystem::path path;
    int groupNumber = -1;  // from a group file's name; -1 for any other file
};

// n of a name "S<n>_Show.ini" (ASCII case ignored); -1 for any other name.
int GroupNumberOfFileName(std::string_view name);

// The files of the folder that match the pattern, in the order a scan visits
// them: group files by their number, from 0 up to the first missing number,
// whatever order the folder lists them in (of names differing only in case,
// the first in sorted order); then the other matching files, sorted.
std::vector<ShowCatalogFile> ListShowCatalogFiles(const std::string& folder,
                                                  std::string_view pattern);

// The entries 1 .. COUNT of the file; an unreadable or missing file has none.
std::vector<ShowCatalogEntry> ReadShowEntries(const std::filesystem::path& file);

// The design path an entry's stored FILENAME stands for: a value with a
// backslash after its first character is a stored full path, any other is
// relative to the catalogue folder. Empty for a path of another drive.
std::string ResolveShowEntryPath(std::string_view storedName, const std::string& folder,
                                 const std::string& programFolder);

// Whether two local paths name the same file, ignoring the ASCII case of
// names that exist only under another case.
bool IsSameDesignPath(const std::string& first, const std::string& second);

// Sets FILENAME, SHOWNAME, DESIGNER and INTRO of entry number (1 ..) of the
// file; the design path is written as a stored full path. With
// growCount, COUNT becomes number. False when the file could not be written
// (it is then unchanged).
bool WriteShowEntry(const std::filesystem::path& file, int number, const std::string& designPath,
                    const ShowCatalogEntry& values, bool growCount);

// Removes entry number (1 ..): every later entry moves down one number and
// COUNT decreases by one. False when the file could not be written.
bool RemoveShowEntry(const std::filesystem::path& file, int number);

// Writes the empty ungrouped list to file.
bool WriteEmptyShowList(const std::filesystem::path& file);
