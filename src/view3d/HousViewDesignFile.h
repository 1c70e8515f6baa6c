#pragma once

#include <string>

#include "view3d/HousViewFileState.h"

class CDesignScene;
class CHousDoc;
class CHousViewRenderer;

// The 3D view's saving and opening of whole design files, apart from its
// window. A save writes the design beside its file and puts it in place only
// once every byte is written, so that a failed save leaves the file and its
// backups as they were; an open reads the whole file before anything of the
// open design changes.
class CHousViewDesignFile {
public:
    static constexpr const char* kDesignFilter = "QVP6 Design File (*.dg6)|*.dg6||";
    static constexpr const char* kDefaultDesignName = "default.dg6";

    CHousViewDesignFile(CHousDoc& doc, CHousViewRenderer& renderer);

    // Mode 0 asks for the file first (save as); any other mode writes to the
    // design path. Once the new design is in place the backups move on when
    // the settings keep them, a ".dg6" design gets its thumbnail beside it,
    // and only then does a chosen file become the design path and the
    // design's show entry change. False, with the design, its path and its
    // show entry as they were and the design still marked modified, when the
    // document is busy, the user cancelled, there is no path, or the file
    // could not be written (the user is told why). Backups or a thumbnail
    // that cannot be written are skipped, and the status bar says so.
    bool SaveDesign(int mode);

    // Without merge the file replaces the open design and becomes its path,
    // unmodified; with merge its objects join the open design, which is then
    // modified. The object-id counter never goes back below a number in use.
    // False, with the open design, its path and its flags as they were, when
    // the file cannot be opened or is refused (the user is told why), or
    // when the user aborted the read in its progress window.
    bool LoadDesign(const std::string& path, bool merge);

    [[nodiscard]] CHousViewFileState& GetFileState() { return m_fileState; }

private:
    // The scene reaches the document from the view's first size on; a file
    // may come before that.
    CDesignScene& GetScene();
    // backupsWritten is cleared when the design is on disk but a backup
    // copy could not be written.
    bool WriteDesign(const std::string& path, bool& backupsWritten);
    // False when a thumbnail was due but not written.
    bool SaveThumbnailBeside(const std::string& path);
    // After a read: the stored counter, but never below what the scene
    // already numbered.
    void KeepObjectIdCounter(double counterBefore);

    CHousDoc& m_doc;
    CHousViewRenderer& m_renderer;
    CHousViewFileState m_fileState;
};
