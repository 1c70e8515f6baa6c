#pragma once

#include <vector>

#include "foundation/Vector2F.h"

struct DxfLineSegment;

// Where a plan line meets another one.
struct DxfLineCrossing {
    CVector2F point;
    DxfLineSegment* other = nullptr;
};

// A straight plan line as the plan view's line processing sorts and merges
// them: a line and its reverse share one direction in [0, pi).
struct DxfLineSegment {
    CVector2F start;
    CVector2F end;
    double direction = 0.0;
    std::vector<DxfLineCrossing> pieces;

    DxfLineSegment(const CVector2F& from, const CVector2F& to);
};
