#pragma once

#include <string>
#include <string_view>

#include "document/MainWindowLink.h"

// The main window as its commands reach it: what the document asks of it
// (timers, bars), its title and the pane of its 3D view.
class IMainFrameWindow : public IMainWindow {
public:
    // The product title, followed by " - " and the text when there is one.
    virtual void SetFrameTitle(std::string_view text) = 0;

    // The 3D view's client size; (0, 0) while the frame has no 3D view.
    virtual void Get3DViewClientSize(int& width, int& height) const = 0;
    // Grows the 3D view's pane by the amounts given; negative ones shrink it.
    virtual void Resize3DViewPaneBy(int dx, int dy) = 0;
    // The bars of show mode (the play tool bar) or of edit mode (every other).
    virtual void ArrangeBarsForShowMode() = 0;
    virtual void ArrangeBarsForEditMode() = 0;

    // While held, the window keeps what it shows and paints once when let
    // go: a load changes the scene, the bars and the panes step by step.
    virtual void HoldRepaints(bool hold) = 0;

    // The design joins the recent-file list of the File menu.
    virtual void AddToRecentFileList(const std::string& path) = 0;
    // Lists the files the design just opened names but that were not found.
    virtual void ShowMissingFiles() = 0;
};

// Holds the window's repaints for as long as it lives.
class CHeldRepaints {
public:
    explicit CHeldRepaints(IMainFrameWindow& window) : m_window(window) {
        m_window.HoldRepaints(true);
    }
    ~CHeldRepaints() { m_window.HoldRepaints(false); }
    CHeldRepaints(const CHeldRepaints&) = delete;
    CHeldRepaints& operator=(const CHeldRepaints&) = delete;

private:
    IMainFrameWindow& m_window;
};
