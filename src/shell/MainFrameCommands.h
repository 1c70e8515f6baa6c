#pragma once

#include <cstdint>

class CHousDoc;
class I3DView;
class IMainFrameWindow;

// The main frame's commands on the design, free of widgets: closing and
// starting designs, the edit and show modes, the 3D fill mode and
// background, and what its timers do. Every command does nothing while there
// is no document.
class CMainFrameCommands {
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

    void OnShowMode();
    void OnEditMode();

    // False when the user kept the design (or a save runs); true when the
    // design was closed and cleared.
    bool CloseDesign();
    void NewDesign();

    void OnTimer(int timerId);

private:
    // The document's 3D view; null while there is no document or no view.
    I3DView* Get3DView() const;
    void SetFillMode(bool wireframe);
    // A choice of BackgroundChoice.h.
    void SetBackground(int32_t choice);
    void ApplyBackgroundPreset();
    // False when the design must stay open.
    bool SaveModifiedDesign();
    void RemindToSave();

    IMainFrameWindow& m_window;
    CHousDoc* m_pDocument = nullptr;
};
