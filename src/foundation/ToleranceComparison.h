#pragma once

#include "platform/gfx/MathTypes.h"

// Closer than 0.1 on every axis; a difference of exactly 0.1 is unequal.
bool AlmostEqualVector3(const gfx::Vector3& a, const gfx::Vector3& b);

// |a - b| is at most the tolerance.
bool NearlyEqual(float a, float b, float tolerance);
