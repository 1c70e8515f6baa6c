#include <gtest/gtest.h>

#include <vector>

#include "foundation/FindIntInVector.h"

namespace {

TEST(FindIntInVector, RepeatedCallsWalkEveryMatch) {
    const std::vector<int> parts = {4, 7, 4, 9, 4};
    std::vector<std::size_t> found;
    for (std::size_t index = 0; FindIntInVector(parts, 4, index); ++index) {
        found.push_back(index);
    }
    EXPECT_EQ(found, (std::vector<std::size_t>{0, 2, 4}));
}

TEST(FindIntInVector, MissLeavesTheIndex) {
    const std::vector<int> parts = {4, 7};
    std::size_t index = 0;
    EXPECT_FALSE(FindIntInVector(parts, 5, index));
    EXPECT_EQ(index, 0u);
    index = 1;
    EXPECT_FALSE(FindIntInVector(parts, 4, index));
    EXPECT_EQ(index, 1u);
    index = 9;
    EXPECT_FALSE(FindIntInVector(parts, 4, index));
    EXPECT_FALSE(FindIntInVector({}, 4, index = 0));
}

}  // namespace
