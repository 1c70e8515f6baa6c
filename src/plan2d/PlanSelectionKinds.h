#pragma once

#include <cstdint>
#include <vector>

class CDesignScene;

// The kinds of object a plan selection holds, as the bits of the display
// mask that show them: the kind filter offers and returns these bits.
namespace PlanSelectionKinds {

// The bit of the kind the type code belongs to; 0 for a code of no kind.
uint32_t KindOfType(int type);
// The type codes of the kind bit.
std::vector<int> TypesOfKind(uint32_t kind);
// The kinds with a selected object.
uint32_t SelectedKinds(CDesignScene& scene);
// More than one kind.
bool IsMixed(uint32_t kinds);

}  // namespace PlanSelectionKinds
