#pragma once

#include <string>

// What the design-manager loop asks of the program: the manager itself and
// the design commands its choices run.
class IStartupFlowHost {
public:
    virtual ~IStartupFlowHost() = default;

    // Shows the design manager and returns its result code (0 new, 1 open
    // dialog, 2 the design put into chosenPath, 3 leave; any other code
    // shows it again).
    virtual int ShowDesignManager(std::string& chosenPath) = 0;
    virtual void NewDesign() = 0;
    // False when the user cancelled or the design could not be opened.
    virtual bool OpenDesignFromDialog() = 0;
    // Only a design that loaded becomes the design path.
    virtual bool LoadChosenDesign(const std::string& path) = 0;
    // False when the user kept the open design.
    virtual bool CloseDesign() = 0;
    virtual bool HasBrowseRecording() const = 0;
    virtual void SetShowMode(int flag) = 0;
    virtual void SetEditMode(int mode) = 0;
    virtual void Activate3DViewFrame() = 0;
    virtual void CloseMainWindow() = 0;
};

// Design-manager result codes.
enum StartupChoice {
    kStartupNewDesign = 0,
    kStartupOpenDialog = 1,
    kStartupOpenChosen = 2,
    kStartupLeave = 3,
};

// The edit modes a design chosen at start-up opens in.
constexpr int kEditModeWalkThrough = 915;
constexpr int kEditModeBrowse = 911;

// Start-up without a design: the manager until a choice ends it. A design
// chosen in it opens in show mode, walking its recording when it has one;
// the flow ends even when that design fails to load.
void RunStartupDesignLoop(IStartupFlowHost& host);

// Back to the design manager from a running design: the design is closed
// first (nothing happens when the user keeps it); a chosen design opens in
// the mode it brings, and the 3D view is brought forward after any choice
// that keeps the program running.
void RunBackToMenuLoop(IStartupFlowHost& host);
