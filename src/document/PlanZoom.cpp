#include "document/PlanZoom.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "foundation/GeometryMath.h"

namespace {

constexpr std::array<int, PlanZoom::kLevelCount> kLevelPercents = {
    2000, 1900, 1800, 1700, 1600, 1500, 1400, 1300, 1200, 1100, 1000, 900, 800, 700, 600, 500,
    450,  400,  350,  300,  250,  200,  150,  100,  90,   80,   70,   60,  50,  40,  30,  20};

double ScaleOfPercent(int percent) {
    return percent * 0.005;
}

// Half up, as the scroll position is kept on a zoom.
int RoundHalfUp(double x) {
    return RoundToInt(std::floor(x + 0.5));
}

}  // namespace

namespace PlanZoom {

int ClampLevel(int index) {
    return std::clamp(index, 0, kLevelCount - 1);
}

int GetLevelPercent(int index) {
    return kLevelPercents[static_cast<std::size_t>(ClampLevel(index))];
}

double GetLevelScale(int index) {
    return ScaleOfPercent(GetLevelPercent(index));
}

int FindLevel(double planScale) {
    for (int index = 0; index < kLevelCount; ++index) {
        if (GetLevelScale(index) == planScale) {
            return index;
        }
    }
    return -1;
}

std::optional<int> StepLevel(int selection, int step) {
    const int index = selection + step;
    if (index < 0 || index >= kLevelCount) {
        return std::nullopt;
    }
    return index;
}

}  // namespace PlanZoom

void ApplyPlanZoom(CHousDoc& doc, int percent) {
    const double scale = ScaleOfPercent(percent);
    if (scale != doc.GetPlanZoomFactor()) {
        const POINT oldExtent = doc.GetPlanScrollSize();
        doc.SetPlanZoomFactor(scale);
        doc.UpdatePlanScrollSize();
        const POINT newExtent = doc.GetPlanScrollSize();
        const POINT oldPosition = doc.GetPlanViewOrigin();
        // An empty plan has no place to keep: it starts at the top left.
        auto keep = [](int position, int from, int to) {
            return from > 0 ? RoundHalfUp(double(position) / from * to) : 0;
        };
        doc.SetPlanViewOrigin(POINT{keep(oldPosition.x, oldExtent.x, newExtent.x),
                                    keep(oldPosition.y, oldExtent.y, newExtent.y)});
        doc.SetDesignModified(1);
    }
    doc.UpdateAllViews(kZoomChangedHint);
}
