#pragma once

#include <optional>

class CHousDoc;

// The plan's 32 zoom levels, from index 0 (2000 %) down to 31 (20 %); the
// plan scale of a level is its percent x 0.005, so 100 % draws 2 cm a pixel.
namespace PlanZoom {

inline constexpr int kLevelCount = 32;
inline constexpr int kDefaultLevel = 23;  // 100 %

// The index brought into 0..31.
int ClampLevel(int index);

// The percent of the level; an index outside 0..31 is clamped first.
int GetLevelPercent(int index);

double GetLevelScale(int index);

// The first level whose scale equals the plan scale exactly; -1 when none.
int FindLevel(double planScale);

// The level a zoom button goes to from the combo's selection (-1 when none):
// nothing when that lies outside 0..31.
std::optional<int> StepLevel(int selection, int step);

}  // namespace PlanZoom

// Sets the plan scale to percent x 0.005. When it changes, the plan extent
// follows and the scroll position keeps its relative place, and the design
// is marked modified. Always sends the zoom-changed hint 996.
void ApplyPlanZoom(CHousDoc& doc, int percent);
