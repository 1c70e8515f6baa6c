#include "library/ui/DocumentViewAtPoint.h"

#include <wx/utils.h>
#include <wx/window.h>

#include "document/DocumentViews.h"

IDocumentView* FindDocumentViewAt(const wxPoint& screenPoint, wxPoint* clientPoint) {
    for (wxWindow* window = wxFindWindowAtPoint(screenPoint); window != nullptr;
         window = window->GetParent()) {
        if (auto* view = dynamic_cast<IDocumentView*>(window)) {
            if (clientPoint != nullptr) {
                *clientPoint = window->ScreenToClient(screenPoint);
            }
            return view;
        }
        if (window->IsTopLevel()) {
            break;
        }
    }
    return nullptr;
}
