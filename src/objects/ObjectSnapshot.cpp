#include "objects/ObjectSnapshot.h"

#include <cstring>
#include <type_traits>

#include "objects/3DObject.h"

namespace {

// A comparison involving NaN counts as equal, so an edit that leaves a NaN
// where it was is no change.
bool SameFloat(float a, float b) {
    return !(a < b) && !(a > b);
}

template <std::size_t N>
bool SameFloats(const std::array<float, N>& a, const std::array<float, N>& b) {
    for (std::size_t i = 0; i < N; ++i) {
        if (!SameFloat(a[i], b[i])) {
            return false;
        }
    }
    return true;
}

template <typename T>
bool SameBits(const T& a, const T& b) {
    static_assert(std::has_unique_object_representations_v<T> || sizeof(T) % 4 == 0);
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

}  // namespace

static_assert(sizeof(gfx::Material) == 68);

CObjectSnapshot::CObjectSnapshot(const C3DObject& object)
    : realSize(object.GetRealSize()),
      roll(static_cast<float>(object.GetRoll())),
      heading(static_cast<float>(object.GetHeading())),
      elevation(static_cast<float>(object.GetElevation())),
      price(object.GetPrice()),
      power(object.GetMaterialCount() > 0 ? object.GetMaterial(0).power : 0.0f),
      objectMaterial(object.GetObjectMaterial()),
      shadowParameters(object.GetShadowParameters()),
      mirrorImages(object.GetMirrorImages()),
      shadow(object.GetShadow()),
      shadowReceiver(object.GetShadowReceiver()),
      blend(object.GetBlend()),
      name(object.GetName()),
      webLink(object.GetWebLink()),
      triggerSound(object.GetTriggerSound()),
      note(object.GetNote()) {
    const gfx::Vector3 at = object.GetPosition();
    position = {at.x, at.y, at.z};
    for (const C3DObject* light : object.GetShadowLights()) {
        shadowLights.push_back(light->GetNumber());
    }
    for (int i = 0; i < object.GetMaterialCount(); ++i) {
        materials.push_back(object.GetMaterialRecord(i));
    }
}

bool CObjectSnapshot::IsEqual(const CObjectSnapshot& other) const {
    return SameFloats(position, other.position) && SameFloats(realSize, other.realSize) &&
           SameFloat(heading, other.heading) && SameFloat(roll, other.roll) &&
           SameFloat(elevation, other.elevation) && SameFloat(price, other.price) &&
           SameFloat(power, other.power) && SameBits(objectMaterial, other.objectMaterial) &&
           SameFloats(shadowParameters, other.shadowParameters) &&
           mirrorImages == other.mirrorImages && shadow == other.shadow &&
           shadowReceiver == other.shadowReceiver && blend == other.blend && name == other.name &&
           webLink == other.webLink && triggerSound == other.triggerSound && note == other.note &&
           shadowLights == other.shadowLights && materials.size() == other.materials.size() &&
           std::memcmp(materials.data(), other.materials.data(),
                       materials.size() * sizeof(MaterialRecord)) == 0;
}
