#pragma once

#include <string>
#include <string_view>

class CHousDoc;

// What the steps after opening a design ask of the main frame and the
// application. The shell implements it.
class IDesignOpenedHost {
public:
    virtual ~IDesignOpenedHost() = default;

    virtual void OnShowMode() = 0;
    virtual void OnEditMode() = 0;
    virtual void PlayBackgroundMusic() = 0;
    virtual void SetFrameTitle(std::string_view text) = 0;
    virtual void LoadViewPointsFromBlock() = 0;
    virtual void LoadBrowseRecording() = 0;
    virtual void AddToRecentFileList(const std::string& path) = 0;
};

// After the design at the document's design path was loaded: a design that
// the built-in showcase lists opens in show mode with its show values from
// there, any other in edit mode with those of the user's catalogue; then the
// music, title, view points and recording follow the design, the design is
// unmodified, and its folder becomes the project directory (also in the
// settings file) and it joins the recent files.
void OnDesignOpened(CHousDoc& document, IDesignOpenedHost& host);

// The folder of the design path becomes the project directory, in the
// document and as [General] PROJECT_DIRECTORY of the settings file (the user
// is told when that cannot be written).
void StoreProjectDirectory(CHousDoc& document);
