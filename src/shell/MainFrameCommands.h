#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "document/DesignOpened.h"

class CHousDoc;
class I3DView;
class IMainFrameWindow;

// The main frame's commands on the design, free of widgets: closing,
// starting, opening and saving designs, the edit and show modes, the 3D fill
// mode and background, and what its timers do. Every command does nothing
// while there is no document.
class CMainFrameCommands : public IDesignOpenedHost {
public:
    static constexpr int kAutoSaveTimer = 2;
    static constexpr int kFirstSaveReminderTimer = 4;
    static constexpr int kSaveReminderTimer = 5;

    explicit CMainFrameCommands(IMainFrameWindow& window);

    void SetDocument(CHousDoc* document) { m_pDocument = document; }
    CHousDoc* GetDocument() const { return m_pDocument; }

    // (0, 0) while there is no 3D view.
    void Get3DViewSize(int& width, int& height) const;
    // Moves the 3D frame's edges so that the view gets that client size.
    void Resize3DViewFrame(int width, int height);

    void OnViewSolid();
    void OnViewWireframe();

    void OnBackgroundGreyBlue();
    void OnBackgroundWhite();
    void OnBackgroundBlack();

    void OnShowMode() override;
    void OnEditMode() override;

    // False when the user kept the design (or a save runs, or its save
    // failed); true when the design was closed and cleared.
    bool CloseDesign();
    void NewDesign();
    void OnFileNew() { NewDesign(); }

    // Asks for a design file in the project directory and opens it; false
    // when the user cancelled or the design could not be opened.
    bool OpenDesignFromDialog();
    // Closes the design (the user may keep it) and opens the file in its
    // place. False, with no design path of that file, when it was not opened.
    bool OpenFileByType(const std::string& path);
    // Loads the file as the design; only a loaded file becomes the design
    // path, and then the design opens in its mode with its music and title.
    bool LoadChosenDesign(const std::string& path);

    // A save that fails leaves the design modified and its title as it was.
    void OnFileSave();
    // A save as that fails or is cancelled also leaves the recent files and
    // the settings file as they were.
    void OnFileSaveAs();

    void OnTimer(int timerId);

    // What the steps after an open ask of the frame.
    void PlayBackgroundMusic() override {}
    void SetFrameTitle(std::string_view text) override;
    void LoadViewPointsFromBlock() override {}
    void LoadBrowseRecording() override {}
    void AddToRecentFileList(const std::string& path) override;

private:
    // The document's 3D view; null while there is no document or no view.
    I3DView* Get3DView() const;
    void SetFillMode(bool wireframe);
    // A choice of BackgroundChoice.h.
    void SetBackground(int32_t choice);
    void ApplyBackgroundPreset();
    // False when the design must stay open.
    bool SaveModifiedDesign();
    // True once the design is on disk under its path. A save as also makes
    // the design's folder the project directory and lists it in the recent
    // files.
    bool SaveDesignFile(bool askName, bool saveAs);
    // The document's view points go into the block the next save writes.
    void CopyViewPointsToBlock();
    // The design's show entry goes back to the catalogue that lists it, or
    // the design is listed among the ungrouped ones.
    void WriteBackShowEntry();
    void AfterDesignOpened();
    void AutoSave();
    void RemindToSave();
    // A design just saved or loaded is reminded of a save PROMPT_PER minutes
    // from now, not at the time its predecessor was due.
    void RestartSaveReminders();

    IMainFrameWindow& m_window;
    CHousDoc* m_pDocument = nullptr;
};
