#include "GlyphMeshes.h"

#include <cmath>
#include <numbers>

#include "TriangleSoup.h"

namespace {

gfx::Vector3 OnCircle(float radius, float z, int step, int steps) {
    const double a = 2.0 * std::numbers::pi * step / steps;
    return {static_cast<float>(radius * std::cos(a)), static_cast<float>(radius * std::sin(a)), z};
}

// A closed cone or cylinder piece along z: ring r0 at z0 to ring r1 at z1,
// a zero radius being an apex.
void AddFrustum(TriangleSoup& soup, float r0, float z0, float r1, float z1, int sides) {
    soup.SetCentre({0, 0, (z0 + z1) / 2});
    for (int i = 0; i < sides; ++i) {
        const gfx::Vector3 a0 = OnCircle(r0, z0, i, sides);
        const gfx::Vector3 b0 = OnCircle(r0, z0, i + 1, sides);
        const gfx::Vector3 a1 = OnCircle(r1, z1, i, sides);
        const gfx::Vector3 b1 = OnCircle(r1, z1, i + 1, sides);
        soup.AddQuad(a0, b0, b1, a1);
        soup.Add({0, 0, z0}, a0, b0);
        soup.Add({0, 0, z1}, a1, b1);
    }
}

std::unique_ptr<gfx::Mesh> Ball(float radius) {
    constexpr int kSlices = 12;
    constexpr int kStacks = 8;
    TriangleSoup soup;
    auto at = [radius](int stack, int slice) {
        const double polar = std::numbers::pi * stack / kStacks;
        const double around = 2.0 * std::numbers::pi * slice / kSlices;
        return gfx::Vector3{static_cast<float>(radius * std::sin(polar) * std::cos(around)),
                            static_cast<float>(radius * std::cos(polar)),
                            static_cast<float>(radius * std::sin(polar) * std::sin(around))};
    };
    for (int stack = 0; stack < kStacks; ++stack) {
        for (int slice = 0; slice < kSlices; ++slice) {
            soup.AddQuad(at(stack, slice), at(stack, slice + 1), at(stack + 1, slice + 1),
                         at(stack + 1, slice));
        }
    }
    return soup.Build();
}

std::unique_ptr<gfx::Mesh> Cone() {
    TriangleSoup soup;
    AddFrustum(soup, 0.0f, 0.0f, 8.0f, 16.0f, 16);
    return soup.Build();
}

std::unique_ptr<gfx::Mesh> Arrow() {
    TriangleSoup soup;
    AddFrustum(soup, 2.0f, 0.0f, 2.0f, 18.0f, 12);
    AddFrustum(soup, 6.0f, 18.0f, 0.0f, 30.0f, 12);
    return soup.Build();
}

std::vector<gfx::MeshMaterial> Glow(float r, float g, float b) {
    gfx::MeshMaterial glow;
    glow.material.diffuse = {r, g, b, 1.0f};
    glow.material.ambient = glow.material.diffuse;
    glow.material.emissive = {r * 0.5f, g * 0.5f, b * 0.5f, 1.0f};
    glow.material.specular = {1.0f, 1.0f, 1.0f, 1.0f};
    glow.material.power = 20.0f;
    return {glow};
}

}  // namespace

std::vector<GlyphMesh> MakeLightGlyphs() {
    std::vector<GlyphMesh> glyphs;
    glyphs.push_back({"point.x", Ball(8.0f), Glow(1.0f, 0.95f, 0.6f)});
    glyphs.push_back({"sptlight.x", Cone(), Glow(1.0f, 0.85f, 0.45f)});
    glyphs.push_back({"DIRLIGHT.x", Arrow(), Glow(1.0f, 1.0f, 0.8f)});
    return glyphs;
}
