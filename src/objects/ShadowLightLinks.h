#pragma once

#include <utility>
#include <vector>

class C3DObject;

// Where a light stood in objects' shadow-light lists: each object with the
// light's position in its list, in the order the positions were read.
using ShadowLightLinks = std::vector<std::pair<C3DObject*, int>>;
