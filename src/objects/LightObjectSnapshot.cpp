#include "objects/LightObjectSnapshot.h"

#include <cstring>

#include "objects/LightObject.h"

CLightSnapshot::CLightSnapshot(const CLightObject& object)
    : CObjectSnapshot(object), lightIndex(object.GetNumber()), light(object.GetLight()) {}

bool CLightSnapshot::IsEqual(const CObjectSnapshot& other) const {
    const auto* light2 = dynamic_cast<const CLightSnapshot*>(&other);
    return light2 != nullptr && CObjectSnapshot::IsEqual(other) &&
           lightIndex == light2->lightIndex &&
           std::memcmp(&light, &light2->light, sizeof(gfx::Light)) == 0;
}
