#pragma once

#include <string_view>

#include "platform/gfx/LightMaterial.h"
#include "support/ByteSink.h"

// One material block of a record laid out by hand: the diffuse colour as
// ambient and diffuse, grey specular, no emission, no texture mapping, and
// the seam block unless the file's form is the short one.
inline void AppendPlainMaterial(ByteSink& sink, std::string_view name,
                                const gfx::ColorValue& diffuse, bool shortForm) {
    sink.NameField(name);
    const gfx::ColorValue& d = diffuse;
    sink.Floats({d.r, d.g, d.b, d.a});  // ambient
    sink.Floats({d.r, d.g, d.b, d.a});
    sink.Floats({0.3f, 0.3f, 0.3f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f});
    sink.Int(0).Int(0);
    sink.Floats({0.0f, 0.0f, 0.0f}).Int(0).Int(0).Floats({1.0f, 1.0f}).Int(0).Int(0).Float(0.0f);
    if (!shortForm) {
        sink.Int(0).Floats({0.0f, 0.0f}).Int(0);
    }
}
