#include "shell/FirstPaintReport.h"

#include <wx/window.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

void WriteMonotonicTime(const std::string& path) {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::ofstream(path, std::ios::trunc)
        << std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()) + '\n';
}

}  // namespace

void ReportFirstPaintOf(wxWindow& window) {
    const char* path = std::getenv("VELMORA_FIRST_PAINT_FILE");
    if (path == nullptr || *path == '\0') {
        return;
    }
    // Bound after the window's own handler, so called before it: the event
    // goes on to the window, and the time is taken once its paint is done.
    window.Bind(wxEVT_PAINT, [&window, target = std::string(path)](wxPaintEvent& event) mutable {
        event.Skip();
        if (!target.empty()) {
            window.CallAfter([target] { WriteMonotonicTime(target); });
            target.clear();
        }
    });
}
