#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CHousDoc;

// The rules of the start-up design manager, free of widgets.

// One design of a showcase group as the manager shows it.
struct DesignManagerEntry {
    std::string designFile;  // local path
    std::string showName;
    std::string designer;
    std::string intro;
    std::string introFile;  // read and written back, never shown
};

struct DesignManagerGroup {
    std::vector<DesignManagerEntry> entries;
    int lock = 0;  // GROUPLOCK: 1 keeps its entries from being removed here
};

// Where a source's group files live: "Show/" (the built-in showcase, source
// 0) or "MyDesign/" (the user's designs, any other source) of the program
// folder, in whatever case the folder exists.
std::string DesignManagerSourceFolder(const std::string& programFolder, int source);

// The names of groups 0 .. 7 of the folder, up to the first missing group
// file; a group without a name is "設計案群組_<n>".
std::vector<std::string> ListDesignGroupNames(const std::string& sourceFolder);

// The designs of group file "S<group>_Show.ini" of the folder; nothing when
// it does not exist. A listed design whose file is gone is left out and
// taken out of the catalogue that lists it. The document's design path is
// unchanged afterwards.
std::optional<DesignManagerGroup> LoadDesignGroup(CHousDoc& document,
                                                  const std::string& sourceFolder, int group);

// Rewrites the group file with the group's designs. False when it could not
// be written; the file is then unchanged.
bool WriteDesignGroup(const std::string& sourceFolder, int group, const std::string& groupName,
                      const DesignManagerGroup& designs);

// The lines of the information list: show name, an empty line, designer, an
// empty line, then the introduction in lines of at most 22 bytes of its
// stored form (a Chinese character takes two), never splitting a character;
// at least one line for it.
std::vector<std::string> DesignInformationLines(const DesignManagerEntry& entry);

// The thumbnails show two designs per column, four columns at once; the
// scroll position counts columns.
inline constexpr int kDesignThumbnailSlots = 8;
inline constexpr int kDesignScrollPage = 4;

// The largest scroll position that still fills the page (0 for up to eight).
int LastDesignScrollPosition(int entryCount);

// The scroll position once entry `picked` is picked: kept when the entry is
// among the eight shown, else the entry's column.
int ScrollPositionForPick(int picked, int position, int entryCount);

enum class DesignScroll { LineLeft, LineRight, PageLeft, PageRight, Thumb };

// The position after a scroll request; nothing when it does not move.
std::optional<int> ScrollDesignThumbnails(DesignScroll request, int position, int thumbPosition,
                                          int entryCount);

// Remembers the group last shown in the settings file, when the program
// folder has one.
void SaveDesignManagerGroup(const std::string& programFolder, int group);
