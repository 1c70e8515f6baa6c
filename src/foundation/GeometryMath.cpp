#include "foundation/GeometryMath.h"

#include <cmath>
#include <cstdint>
#include <limits>

// A plain double-to-int cast is undefined outside the int range, so clamp
// first; NaN has no nearest integer and becomes 0.
int TruncateToInt(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    if (v >= 2147483648.0) {
        return std::numeric_limits<int32_t>::max();
    }
    if (v <= -2147483649.0) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(v);
}

namespace {

constexpr double kSnapBand = 0.0008;

// Beyond this many turns the turn-by-turn loop would take too long; the
// remainder is taken at once instead.
constexpr double kMaxLoopTurns = 1e6;

double NormalizeAngle(double a, double turn) {
    if (!std::isfinite(a) || std::fabs(a) < kSnapBand) {
        return 0.0;
    }
    const double step = a >= 0.0 ? turn : -turn;
    if (std::fabs(a) > kMaxLoopTurns * turn) {
        a = std::fmod(a, turn);
    }
    while (a < 0.0 || a >= turn) {
        a -= step;
    }
    if (std::fabs(a) < kSnapBand) {
        return 0.0;
    }
    return a;
}

constexpr double kAxisBand = 0.01;

bool IsNear(double a, double b) {
    return std::fabs(a - b) < kAxisBand;
}

}  // namespace

int RoundToInt(double x) {
    return TruncateToInt(x >= 0.0 ? x + 0.5 : x - 0.5);
}

double RoundToDecimals(double x, unsigned n) {
    const double p = std::pow(10.0, n);
    if (x >= 0.0) {
        return std::floor(x * p + 0.5) / p;
    }
    return std::ceil(x * p - 0.5) / p;
}

double NormalizeRadians(double a) {
    return NormalizeAngle(a, kTwoPi);
}

double NormalizeDegrees(double a) {
    return NormalizeAngle(a, 360.0);
}

double RadiansToDegrees(double a) {
    return NormalizeDegrees(a * kDegreesPerRadian);
}

double SinDegrees(double a) {
    const double n = NormalizeDegrees(a);
    if (IsNear(n, 0.0) || IsNear(n, 180.0)) {
        return 0.0;
    }
    return std::sin(n * kRadiansPerDegree);
}

double CosDegrees(double a) {
    const double n = NormalizeDegrees(a);
    if (IsNear(n, 90.0) || IsNear(n, 270.0)) {
        return 0.0;
    }
    return std::cos(n * kRadiansPerDegree);
}

int GreatestCommonDivisor(int a, int b) {
    if (b == 0) {
        // |INT_MIN| has no int form; the unsigned negation wraps back to
        // INT_MIN, the one int of that magnitude.
        return a < 0 ? static_cast<int>(0u - static_cast<unsigned>(a)) : a;
    }
    // Every x is divisible by -1, and INT_MIN % -1 would trap.
    if (b == -1) {
        return b;
    }
    const int r = a % b;
    return r == 0 ? b : GreatestCommonDivisor(b, r);
}

POINT MultiplyPoint(POINT p, double f) {
    return {TruncateToInt(p.x * f), TruncateToInt(p.y * f)};
}

POINT DividePoint(POINT p, double f) {
    return {TruncateToInt(p.x / f), TruncateToInt(p.y / f)};
}
