#pragma once

#include "foundation/WinTypes.h"

// Angle constants of the geometry code, as double literals so that every
// result matches the stored designs bit for bit.
inline constexpr double kPi = 3.141592653589793;
inline constexpr double kTwoPi = 6.283185307179586;
inline constexpr double kDegreesPerRadian = 57.29577951308232;
inline constexpr double kRadiansPerDegree = 0.017453292519943295;

// x truncated toward zero, saturated to the int range; NaN gives 0.
int TruncateToInt(double x);

// Nearest integer, halves away from zero. Saturates to the int range and gives
// 0 for NaN, so no value read from a file can make the conversion undefined.
int RoundToInt(double x);

// x rounded to n decimals, halves away from zero.
double RoundToDecimals(double x, unsigned n);

// Angle in [0, 2*pi) or [0, 360); results within 0.0008 of 0 become exactly 0.
// A non-finite angle gives 0.
double NormalizeRadians(double a);
double NormalizeDegrees(double a);

// Radians to degrees in [0, 360).
double RadiansToDegrees(double a);

// Sine and cosine of a degree angle; exactly 0 within 0.01 degree of the axes
// where they vanish, so axis-aligned plan geometry stays exact.
double SinDegrees(double a);
double CosDegrees(double a);

// Euclid's algorithm; the sign follows the last divisor. gcd(a, 0) = |a|.
int GreatestCommonDivisor(int a, int b);

// Both coordinates multiplied or divided by f, truncated toward zero.
POINT MultiplyPoint(POINT p, double f);
POINT DividePoint(POINT p, double f);
