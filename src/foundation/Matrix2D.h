#pragma once

// 2x2 linear transform: scale by (sx, sy), then rotate.
class CMatrix2D {
public:
    double m11 = 0.0;
    double m12 = 0.0;
    double m21 = 0.0;
    double m22 = 0.0;

    // a is the rotation in degrees.
    CMatrix2D(double sx, double sy, double a);
};
