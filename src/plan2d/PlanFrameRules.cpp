#include "plan2d/PlanFrameRules.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "document/EditMode.h"
#include "document/PlanZoom.h"

namespace {

// The leading whole number of the text, as the edits read it; nothing when
// it starts with none or does not fit an int.
std::optional<int> LeadingInteger(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) {
        return std::nullopt;
    }
    return value;
}

constexpr bool IsDrawingInProgress(int editMode) {
    return editMode % 10 == 1;
}

constexpr bool IsPrintOrShowMode(int editMode) {
    return editMode >= 901 && editMode <= 999;
}

}  // namespace

PlanFrameRect GetPlanFrameRect(int desktopWidth) {
    PlanFrameRect rect;
    if (desktopWidth < 800) {
        rect.height = 320;
    } else if (desktopWidth < 1024) {
        rect.height = 440;
    } else if (desktopWidth < 1280) {
        rect.height = 598;
    } else {
        rect.height = 623;
    }
    rect.x = desktopWidth * 6 / 11;
    rect.width = desktopWidth - rect.x - 5;
    return rect;
}

bool IsPlanToolBuilt(int toolMode) {
    return toolMode == EditMode::kCeiling || toolMode == EditMode::kWall ||
           toolMode == EditMode::kFloor;
}

ToolButtonState GetToolButtonState(int editMode, int modeA, int modeB) {
    if (IsPrintOrShowMode(editMode) || !IsPlanToolBuilt(modeA)) {
        return {};
    }
    ToolButtonState state;
    state.checked = editMode == modeA || editMode == modeB;
    state.enabled = !IsDrawingInProgress(editMode) || state.checked;
    return state;
}

bool IsDrawingBarCommandEnabled(int editMode) {
    return !IsPrintOrShowMode(editMode) && !IsDrawingInProgress(editMode);
}

std::optional<WallBarEditState> GetWallBarEditState(int editMode) {
    if (IsDrawingInProgress(editMode)) {
        return std::nullopt;
    }
    WallBarEditState state;
    state.thickness = editMode != 10 && editMode != 30;
    state.top = editMode != 30;
    state.bottom = editMode != 10;
    return state;
}

std::optional<std::string> CorrectThicknessText(std::string_view text) {
    const std::optional<int> value = LeadingInteger(text);
    if (!value || *value >= 0) {
        return std::nullopt;
    }
    return std::to_string(std::llabs(static_cast<long long>(*value)));
}

FixedAngleInput CheckFixedAngleText(std::string_view text) {
    const std::optional<int> value = LeadingInteger(text);
    if (!value) {
        return {};
    }
    if (*value <= 0 || *value > 180) {
        return {FixedAngleInput::Action::Refuse, 0};
    }
    return {FixedAngleInput::Action::Accept, *value};
}

int FindNearestZoomLevel(double planScale) {
    int nearest = 0;
    for (int index = 1; index < PlanZoom::kLevelCount; ++index) {
        if (std::abs(PlanZoom::GetLevelScale(index) - planScale) <
            std::abs(PlanZoom::GetLevelScale(nearest) - planScale)) {
            nearest = index;
        }
    }
    return nearest;
}

std::optional<int> GetZoomStepTarget(int selection, double planScale, int step) {
    const int from = selection >= 0 ? selection : FindNearestZoomLevel(planScale);
    return PlanZoom::StepLevel(from, step);
}
