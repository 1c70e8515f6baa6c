#include "plan2d/MouseEventRecord.h"

POINT GetInvalidPlanPoint() {
    return POINT{-999999, -999999};
}

void MouseEventRecord::Update(int newKind, POINT point) {
    if (newKind != kNone) {
        kind = newKind;
    }
    last = point;
    switch (kind) {
        case kLeftDown:
            leftDown = point;
            break;
        case kLeftDoubleClick:
            doubleClick = point;
            break;
        case kLeftUp:
            leftUp = point;
            break;
        case kRightDown:
            rightDown = point;
            break;
        case kRightUp:
            rightUp = point;
            break;
        default:
            break;
    }
}
