#pragma once

#include <cstddef>
#include <vector>

// Searches from `index` onwards, so that repeated calls walk every match;
// callers start at 0. On a match `index` names it; otherwise it is unchanged.
bool FindIntInVector(const std::vector<int>& values, int key, std::size_t& index);
