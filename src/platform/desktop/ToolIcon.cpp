#include "platform/desktop/ToolIcon.h"

#include <wx/artprov.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/fs/DefaultContent.h"

namespace {

// Drawn over the picture, in its 24 x 24 units.
const char* MarkSvg(ToolIconMark mark) {
    switch (mark) {
        case ToolIconMark::Add:
            return R"(<circle cx="18.5" cy="18.5" r="5" fill="#a3be8c" stroke="#2e3440")"
                   R"( stroke-width="1"/><path d="M18.5 15.6v5.8M15.6 18.5h5.8" stroke="#ffffff")"
                   R"( stroke-width="1.8" stroke-linecap="round"/>)";
        case ToolIconMark::Off:
            return R"(<rect width="24" height="24" fill="#ffffff" fill-opacity="0.55"/>)"
                   R"(<line x1="3" y1="21" x2="21" y2="3" stroke="#c0392b" stroke-width="2.4")"
                   R"( stroke-linecap="round"/>)";
        case ToolIconMark::None:
            break;
    }
    return "";
}

}  // namespace

wxBitmapBundle LoadToolIcon(const std::string& name, ToolIconMark mark, const wxSize& size) {
    const std::filesystem::path file = pfs::FindResourceFolder() / "icons" / (name + ".svg");
    std::ifstream in(file, std::ios::binary);
    std::string svg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t end = svg.rfind("</svg>");
    if (end != std::string::npos) {
        svg.insert(end, MarkSvg(mark));
        wxBitmapBundle bundle = wxBitmapBundle::FromSVG(svg.c_str(), size);
        if (bundle.IsOk()) {
            return bundle;
        }
    }
    return wxArtProvider::GetBitmapBundle(wxART_MISSING_IMAGE, wxART_TOOLBAR, size);
}
