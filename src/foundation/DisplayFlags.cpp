#include "foundation/DisplayFlags.h"

#include <array>

uint32_t GetDisplayFlagForType(int objectType) {
    static constexpr std::array<uint32_t, 7> kFlags = {0x1, 0x2, 0x40000, 0x8, 0x20000, 0x20, 0x40};
    if (objectType < 0 || objectType >= static_cast<int>(kFlags.size())) {
        return 0;
    }
    return kFlags[static_cast<std::size_t>(objectType)];
}
