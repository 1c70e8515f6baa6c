#pragma once

#include <array>
#include <string>
#include <vector>

#include "objects/MaterialRecord.h"
#include "platform/gfx/LightMaterial.h"

class C3DObject;

// The editable state of a 3D object, taken before and after a property
// edit; undo and redo hand it back to the object's restore operations.
// Each object class adds its own fields in a derived snapshot.
class CObjectSnapshot {
public:
    explicit CObjectSnapshot(const C3DObject& object);
    virtual ~CObjectSnapshot() = default;
    CObjectSnapshot(const CObjectSnapshot&) = default;
    CObjectSnapshot& operator=(const CObjectSnapshot&) = delete;

    // Field by field; a comparison with NaN counts as equal, colours and
    // material records compare bit for bit.
    [[nodiscard]] virtual bool IsEqual(const CObjectSnapshot& other) const;
    [[nodiscard]] bool IsDifferent(const CObjectSnapshot& other) const { return !IsEqual(other); }

    std::array<float, 3> position{};
    std::array<float, 3> realSize{};  // x, z, y
    float roll = 0.0f;
    float heading = 0.0f;
    float elevation = 0.0f;
    float price = 0.0f;
    // Power of material 0; 0 without materials.
    float power = 0.0f;
    gfx::Material objectMaterial;
    std::array<float, 4> shadowParameters{};
    int mirrorImages = 0;
    int shadow = 0;
    int shadowReceiver = 0;
    int blend = 0;
    std::string name;
    std::string webLink;
    std::string triggerSound;
    std::string note;
    // The numbers of the lights the object casts shadows for, in order.
    std::vector<double> shadowLights;
    std::vector<MaterialRecord> materials;
};
