#include "platform/desktop/ToolIcon.h"

#include <wx/artprov.h>

#include <filesystem>

#include "platform/fs/DefaultContent.h"
#include "platform/fs/RegularFile.h"

namespace {

// Drawn over the picture, in its 24 x 24 units.
const char* MarkSvg(ToolIconMark mark) {
    switch (mark) {
        case ToolIconMark::Add:
            return R"(<circle cx="18.5" cy="18.5" r="5" fill="#a3be8c" stroke="#2e3440")"
                   R"( stroke-width="1"/><path d="M18.5 15.6v5.8M15.6 18.5h5.8" stroke="#ffffff")"
                   R"( stroke-width="1.8" stroke-linecap="round"/>)";
        case ToolIconMark::Off:
            return R"(<line x1="3" y1="21" x2="21" y2="3" stroke="#c0392b" stroke-width="2.4")"
                   R"( stroke-linecap="round"/>)";
        case ToolIconMark::None:
            break;
    }
    return "";
}

// The picture with its mark: an icon that is off is faded under its stroke.
std::string MarkedSvg(std::string svg, ToolIconMark mark) {
    const std::size_t end = svg.rfind("</svg>");
    const std::size_t start = svg.find('>', svg.find("<svg"));
    if (end == std::string::npos || start == std::string::npos || start > end) {
        return {};
    }
    if (mark == ToolIconMark::Off) {
        svg.insert(end, "</g>");
        svg.insert(start + 1, R"(<g opacity="0.4">)");
    }
    return svg.insert(svg.rfind("</svg>"), MarkSvg(mark));
}

}  // namespace

wxBitmapBundle LoadToolIcon(const std::string& name, ToolIconMark mark, const wxSize& size) {
    const std::filesystem::path file = pfs::FindResourceFolder() / "icons" / (name + ".svg");
    const pfs::Result<std::string> content = pfs::ReadWholeFile(file, pfs::kTextFileLimit);
    const std::string svg = MarkedSvg(content ? content.Value() : std::string(), mark);
    if (!svg.empty()) {
        wxBitmapBundle bundle = wxBitmapBundle::FromSVG(svg.c_str(), size);
        if (bundle.IsOk()) {
            return bundle;
        }
    }
    return wxArtProvider::GetBitmapBundle(wxART_MISSING_IMAGE, wxART_TOOLBAR, size);
}
