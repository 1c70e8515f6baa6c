#include "shell/HighCommandIds.h"

#include <wx/debug.h>

namespace {

wxAssertHandler_t g_outerHandler = nullptr;
int g_liveCount = 0;

void LetHighIdsThrough(const wxString& file, int line, const wxString& func, const wxString& cond,
                       const wxString& msg) {
    if (msg == "invalid itemid value" || msg == "invalid id value") {
        return;
    }
    if (g_outerHandler != nullptr) {
        g_outerHandler(file, line, func, cond, msg);
    }
}

}  // namespace

CAllowHighCommandIds::CAllowHighCommandIds() {
    if (g_liveCount++ == 0) {
        g_outerHandler = wxSetAssertHandler(&LetHighIdsThrough);
    }
}

CAllowHighCommandIds::~CAllowHighCommandIds() {
    if (--g_liveCount == 0) {
        wxSetAssertHandler(g_outerHandler);
    }
}
