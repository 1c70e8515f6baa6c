#include "plan2d/PlanCursors.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, wxStockCursor>, 11> kToolCursors = {{
    {117, wxCURSOR_BULLSEYE},
    {118, wxCURSOR_POINT_RIGHT},
    {189, wxCURSOR_CROSS},
    {190, wxCURSOR_POINT_LEFT},
    {262, wxCURSOR_HAND},
    {283, wxCURSOR_PENCIL},
    {284, wxCURSOR_SIZING},
    {444, wxCURSOR_SIZENWSE},
    {590, wxCURSOR_SIZING},
    {591, wxCURSOR_MAGNIFIER},
    {593, wxCURSOR_RIGHT_ARROW},
}};

}  // namespace

wxCursor GetPlanToolCursor(int resourceId) {
    for (const auto& [id, stock] : kToolCursors) {
        if (id == resourceId) {
            return wxCursor(stock);
        }
    }
    return wxCursor(wxCURSOR_ARROW);
}
