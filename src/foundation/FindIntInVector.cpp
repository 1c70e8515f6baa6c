#include "foundation/FindIntInVector.h"

#include <algorithm>

bool FindIntInVector(const std::vector<int>& values, int key, std::size_t& index) {
    if (index >= values.size()) {
        return false;
    }
    const auto found =
        std::find(values.begin() + static_cast<std::ptrdiff_t>(index), values.end(), key);
    if (found == values.end()) {
        return false;
    }
    index = static_cast<std::size_t>(found - values.begin());
    return true;
}
