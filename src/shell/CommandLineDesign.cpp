#include "shell/CommandLineDesign.h"

#include <memory>
#include <utility>

#include "shell/MainFrame.h"
#include "view3d/HousView.h"

void RunWhenShown(CMainFrame& frame, std::function<void()> action) {
    CHousView* view = frame.Get3DView();
    if (view == nullptr) {
        return;
    }
    if (view->GetEngine().GetDevice() != nullptr) {
        action();
        return;
    }
    // Bound after the view's own handler, so called before it: the action
    // runs once the paint that set the view up is done.
    auto pending = std::make_shared<bool>(true);
    view->Bind(wxEVT_PAINT, [view, action = std::move(action), pending](wxPaintEvent& event) {
        event.Skip();
        if (!*pending) {
            return;
        }
        view->CallAfter([view, action, pending] {
            if (*pending && view->GetEngine().GetDevice() != nullptr) {
                *pending = false;
                action();
            }
        });
    });
}

void OpenDesignWhenShown(CMainFrame& frame, std::string path, std::function<void()> afterOpen) {
    RunWhenShown(frame, [&frame, path = std::move(path), afterOpen = std::move(afterOpen)] {
        frame.GetCommands().OpenFileByType(path);
        if (afterOpen) {
            afterOpen();
        }
    });
}
