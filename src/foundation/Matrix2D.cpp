#include "foundation/Matrix2D.h"

#include "foundation/GeometryMath.h"

CMatrix2D::CMatrix2D(double sx, double sy, double a) {
    const double s = SinDegrees(a);
    const double c = CosDegrees(a);
    m11 = c * sx;
    m12 = -s * sy;
    m21 = s * sx;
    m22 = c * sy;
}
