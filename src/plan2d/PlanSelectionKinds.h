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

// The selection count and type mask of the scene: the models, photos and
// lights are counted through their plan symbols.
struct Summary {
    int count = 0;
    uint32_t typeMask = 0;
    int chains = 0;
};
Summary Recount(CDesignScene& scene);
// The selection edit mode of a summary: one object of a kind, several, or
// a mix.
int SelectionEditMode(const Summary& summary);

}  // namespace PlanSelectionKinds
