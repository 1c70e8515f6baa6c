#pragma once

#include <cstdint>

// The plan display bit of a 3D object type (0 to 6); 0 for any other type.
uint32_t GetDisplayFlagForType(int objectType);
