#pragma once

#include <string>

#include "platform/fs/UniqueFile.h"

// The backup copies of one save, which keep the last `copies` versions of a
// design beside it. The newest is the design path without its last four
// characters (its ".dg6") followed by ".bak", the older ones ".bak1",
// ".bak2" and so on up to ".bak" followed by copies - 1; the oldest falls
// away. Made before the new version replaces the file, it holds the file as
// it is; Rotate() after a successful save moves the backups on with that
// version as the newest. A save that fails never calls it, so the backups
// stay as they were. Copies or deletions that fail are passed over: backups
// never stop a save.
class CDesignBackups {
public:
    CDesignBackups(std::string designPath, int copies);

    // False when a backup could not be written (a full disk, say).
    bool Rotate();

private:
    std::string m_designPath;
    int m_copies;
    // Open, the replaced version stays readable after the rename; null for
    // a design that has no file yet.
    pfs::UniqueFile m_previous;
};
