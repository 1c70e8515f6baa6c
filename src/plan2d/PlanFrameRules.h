#pragma once

#include <optional>
#include <string>
#include <string_view>

// The rules of the plan frame's bars, free of widgets.

// Where the plan frame opens on a desktop that wide, in pixels: along the
// top right, its height in steps of the desktop width.
struct PlanFrameRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
PlanFrameRect GetPlanFrameRect(int desktopWidth);

// Whether the plan takes the points of the tool whose first edit mode is
// given: the outlines of walls, floors and ceilings. The dimension, text
// note, grow-structure and shape tools only enter their mode so far, and
// their buttons stay off until the plan takes their points.
bool IsPlanToolBuilt(int toolMode);

// A drawing tool's button for the tool of the edit modes a and b; off for a
// tool that is not built.
struct ToolButtonState {
    bool enabled = false;
    bool checked = false;
};
ToolButtonState GetToolButtonState(int editMode, int modeA, int modeB);

// The style and insertion buttons of the drawing bar: off while the plan
// prints or the show runs, and while a drawing is in progress.
bool IsDrawingBarCommandEnabled(int editMode);

// The wall bar's edits, set while no drawing is in progress: a floor has no
// top and no thickness, a ceiling no bottom and no thickness.
struct WallBarEditState {
    bool top = true;
    bool bottom = true;
    bool thickness = true;
};
std::optional<WallBarEditState> GetWallBarEditState(int editMode);

// The thickness edit holds no negative number: the text the edit gets
// instead, or nothing when the text may stay.
std::optional<std::string> CorrectThicknessText(std::string_view text);

// What a text typed into the fixed-angle edit does: a whole number of 1 to
// 180 becomes the angle; any other number is refused and the edit shows
// the kept angle again; a text that is no number yet is left alone.
struct FixedAngleInput {
    enum class Action { Keep, Accept, Refuse } action = Action::Keep;
    int angle = 0;
};
FixedAngleInput CheckFixedAngleText(std::string_view text);

// The zoom level a zoom button goes to, step -1 zooming in and +1 out, from
// the combo's selection; a scale that no level has starts from the level
// nearest to it. Nothing past the first or the last level.
std::optional<int> GetZoomStepTarget(int selection, double planScale, int step);

// The level whose scale lies nearest to the plan scale (the larger one on a
// tie).
int FindNearestZoomLevel(double planScale);
