#pragma once

#include <cstdint>

// A camera position with its heading and pitch (radians), as the
// walk-through recordings keep it. unset = 1 marks a pose never set.
struct CameraPose {
    int32_t unset = 0;
    double heading = 0.0;
    double pitch = 0.0;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};
