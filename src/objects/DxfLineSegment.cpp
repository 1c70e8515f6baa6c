#include "objects/DxfLineSegment.h"

#include "foundation/ApplicationValues.h"

DxfLineSegment::DxfLineSegment(const CVector2F& from, const CVector2F& to) : start(from), end(to) {
    // The program's own pi, so that a reversed horizontal line comes out at
    // exactly 0.
    const double pi = GetPi();
    direction = (end - start).GetPolarAngle();
    if (direction >= pi) {
        direction -= pi;
    }
}
