#pragma once

#include <filesystem>

class CProfileFile;

// Finds the catalogue file this run opens and makes every catalogue use it:
// [Database] LOCALDATABASE when set, else the program folder's own catalogue
// file. A configured file that is missing is asked for; the chosen file and
// its folder go into the settings and are used at once. A program folder
// without a catalogue and without a configured one asks nothing: a fresh
// program folder has no library yet.
void LocateCatalogueDatabase(const std::filesystem::path& programFolder, CProfileFile& settings);
