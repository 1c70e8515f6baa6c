#pragma once

#include <string>

#include "foundation/WinTypes.h"

// The plan's fixed answers to the edit mode, and its prompts.

inline constexpr const char* kOutsideAreaText = "不在規定區域內!";
inline constexpr const char* kRepeatedPointText = "重覆點!";
inline constexpr const char* kChooseActionText = "請選擇動作";
inline constexpr const char* kPickClosedAreaText = "請選取封閉區域";
inline constexpr const char* kWrongDirectionText = "方向錯誤!";

// The submenu of the right click in the mode; 0 for none.
int GetPlanContextMenu(int editMode);

// The status name of a selection state; null for the others.
const char* GetSelectionStateName(int editMode);

// "(x, y)" of the cursor before the first point.
std::string FormatPointStatus(POINT cursor);
// "(x, y)-(x, y)長度n公分" of a segment from the last point to the cursor.
std::string FormatSegmentStatus(POINT last, POINT cursor, int length);

// The plan frame's zoom buttons that the mouse wheel runs.
inline constexpr int kZoomOutButton = 1136;
inline constexpr int kZoomInButton = 1138;

// Turns wheel rotation into whole notches of 120; a fine-grained wheel
// gathers its small steps until they make one.
class CWheelSteps {
public:
    static constexpr int kNotch = 120;
    // Whole notches of this rotation and those gathered before: positive
    // away from the user.
    int Add(int rotation);

private:
    int m_gathered = 0;
};

// One axis of a middle-button pan: the scroll position moved by delta while
// the new position stays above 0, and never past size - client (a position
// already past it is pulled back first).
int PanScrollPosition(int position, int delta, int size, int client);
