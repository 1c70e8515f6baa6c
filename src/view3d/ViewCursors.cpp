#include "view3d/ViewCursors.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, wxStockCursor>, 8> kViewCursors = {{
    {166, wxCURSOR_PAINT_BRUSH},
    {170, wxCURSOR_SPRAYCAN},
    {284, wxCURSOR_SIZING},
    {569, wxCURSOR_SIZENS},
    {589, wxCURSOR_CROSS},
    {592, wxCURSOR_NO_ENTRY},
    {593, wxCURSOR_RIGHT_ARROW},
    {620, wxCURSOR_HAND},
}};

}  // namespace

wxCursor GetViewCursor(int resourceId) {
    for (const auto& [id, stock] : kViewCursors) {
        if (id == resourceId) {
            return wxCursor(stock);
        }
    }
    return wxCursor(wxCURSOR_ARROW);
}
