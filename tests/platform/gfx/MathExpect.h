#pragma once

// Tolerant comparisons of the maths value types for the gfx tests.

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "platform/gfx/MathTypes.h"

namespace gfx {

inline std::ostream& operator<<(std::ostream& os, const Vector3& v) {
    return os << '(' << v.x << ", " << v.y << ", " << v.z << ')';
}

inline std::ostream& operator<<(std::ostream& os, const Matrix& m) {
    for (const auto& row : m.m) {
        os << '[' << row[0] << ", " << row[1] << ", " << row[2] << ", " << row[3] << ']';
    }
    return os;
}

inline testing::AssertionResult VectorNear(const Vector3& actual, const Vector3& expected,
                                           float tolerance) {
    if (std::fabs(actual.x - expected.x) <= tolerance &&
        std::fabs(actual.y - expected.y) <= tolerance &&
        std::fabs(actual.z - expected.z) <= tolerance) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << actual << " is not within " << tolerance << " of " << expected;
}

inline testing::AssertionResult MatrixNear(const Matrix& actual, const Matrix& expected,
                                           float tolerance) {
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            if (!(std::fabs(actual.m[row][column] - expected.m[row][column]) <= tolerance)) {
                return testing::AssertionFailure()
                       << actual << " differs from " << expected << " at [" << row << "][" << column
                       << "] by more than " << tolerance;
            }
        }
    }
    return testing::AssertionSuccess();
}

}  // namespace gfx
