#include "shell/StartupFlow.h"

namespace {

enum class FlowVariant { Startup, BackToMenu };

// True when the choice ends the loop.
bool RunChoice(IStartupFlowHost& host, int choice, const std::string& chosenPath,
               FlowVariant variant) {
    switch (choice) {
        case kStartupNewDesign:
            host.NewDesign();
            return true;
        case kStartupOpenDialog:
            return host.OpenDesignFromDialog();
        case kStartupOpenChosen:
            if (host.LoadChosenDesign(chosenPath) && variant == FlowVariant::Startup) {
                host.SetShowMode(1);
                host.SetEditMode(host.HasBrowseRecording() ? kEditModeWalkThrough
                                                           : kEditModeBrowse);
            }
            return true;
        case kStartupLeave:
            host.CloseMainWindow();
            return true;
        default:
            return false;
    }
}

void RunDesignLoop(IStartupFlowHost& host, FlowVariant variant) {
    for (;;) {
        std::string chosenPath;
        const int choice = host.ShowDesignManager(chosenPath);
        if (!RunChoice(host, choice, chosenPath, variant)) {
            continue;
        }
        if (variant == FlowVariant::BackToMenu && choice != kStartupLeave) {
            host.Activate3DViewFrame();
        }
        return;
    }
}

}  // namespace

void RunStartupDesignLoop(IStartupFlowHost& host) {
    RunDesignLoop(host, FlowVariant::Startup);
}

void RunBackToMenuLoop(IStartupFlowHost& host) {
    if (!host.CloseDesign()) {
        return;
    }
    RunDesignLoop(host, FlowVariant::BackToMenu);
}
