#include "shell/CommandLineDesign.h"

#include <memory>
#include <utility>

#include "shell/MainFrame.h"
#include "view3d/HousView.h"

bool OpenDesignInFrame(CMainFrame& frame, const std::string& path) {
    CHousView* view = frame.Get3DView();
    if (view == nullptr || !view->LoadDesign(path, false)) {
        return false;
    }
    frame.SetFrameTitle(path);
    return true;
}

void OpenDesignWhenShown(CMainFrame& frame, std::string path) {
    CHousView* view = frame.Get3DView();
    if (view == nullptr) {
        return;
    }
    if (view->GetEngine().GetDevice() != nullptr) {
        OpenDesignInFrame(frame, path);
        return;
    }
    // Bound after the view's own handler, so called before it: the design is
    // opened once the paint that set the view up is done.
    auto pending = std::make_shared<bool>(true);
    view->Bind(wxEVT_PAINT, [&frame, view, path = std::move(path), pending](wxPaintEvent& event) {
        event.Skip();
        if (!*pending) {
            return;
        }
        view->CallAfter([&frame, view, path, pending] {
            if (*pending && view->GetEngine().GetDevice() != nullptr) {
                *pending = false;
                OpenDesignInFrame(frame, path);
            }
        });
    });
}
