#include "platform/desktop/ProgramCursors.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, wxStockCursor>, 8> kProgramCursors = {{
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

wxCursor GetProgramCursor(int resourceId) {
    for (const auto& [id, stock] : kProgramCursors) {
        if (id == resourceId) {
            return wxCursor(stock);
        }
    }
    return wxCursor(wxCURSOR_ARROW);
}
