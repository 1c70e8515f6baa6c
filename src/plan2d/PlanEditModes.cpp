#include "plan2d/PlanEditModes.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

namespace {

bool IsOneOf(int mode, std::initializer_list<int> modes) {
    return std::find(modes.begin(), modes.end(), mode) != modes.end();
}

}  // namespace

int GetPlanContextMenu(int mode) {
    if ((mode >= 600 && mode <= 651) || (mode >= 160 && mode <= 171)) {
        return 0;
    }
    if (IsOneOf(mode, {10, 11, 20, 21, 30, 31})) {
        return 197;
    }
    if (IsOneOf(mode, {200, 206, 230, 236, 260, 266, 270, 276})) {
        return 496;
    }
    if (IsOneOf(mode, {210, 216, 220, 226, 250, 256})) {
        return 494;
    }
    if (IsOneOf(mode, {257, 706, 707, 708, 716, 726, 736, 746, 756, 776, 777, 786, 796, 806, 820,
                       826, 890})) {
        return 250;
    }
    switch (mode) {
        case 700:
        case 710:
            return 486;
        case 720:
            return 488;
        case 730:
            return 487;
        case 740:
            return 489;
        case 750:
            return 490;
        case 760:
        case 766:
            return 497;
        case 770:
        case 780:
            return 492;
        case 790:
            return 465;
        case 800:
            return 493;
        case 810:
            return 464;
        default:
            return 491;
    }
}

const char* GetSelectionStateName(int mode) {
    switch (mode) {
        case 700:
            return "單線";
        case 710:
            return "箭頭";
        case 720:
            return "弧";
        case 730:
            return "矩形";
        case 740:
            return "圓";
        case 750:
            return "曲線/連續直線";
        case 760:
        case 766:
            return "複合線";
        case 770:
            return "尺寸註標";
        case 780:
            return "2D文字";
        case 790:
            return "DXF Icon";
        case 800:
            return "2D 圖片";
        case 810:
            return "DXF 底圖";
        default:
            return nullptr;
    }
}

std::string FormatPointStatus(POINT cursor) {
    char text[64];
    std::snprintf(text, sizeof text, "(%d, %d)", cursor.x, cursor.y);
    return text;
}

std::string FormatSegmentStatus(POINT last, POINT cursor, int length) {
    char text[128];
    std::snprintf(text, sizeof text, "(%d, %d)-(%d, %d)長度%d公分", last.x, last.y, cursor.x,
                  cursor.y, length);
    return text;
}

int CWheelSteps::Add(int rotation) {
    m_gathered += rotation;
    const int notches = m_gathered / kNotch;
    m_gathered -= notches * kNotch;
    return notches;
}

int PanScrollPosition(int position, int delta, int size, int client) {
    const int limit = std::max(0, size - client);
    position = std::min(position, limit);
    const int moved = position + delta;
    if (moved > 0) {
        position = std::min(moved, limit);
    }
    return position;
}
