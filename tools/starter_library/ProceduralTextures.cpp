#include "ProceduralTextures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>

#include "Furniture.h"
#include "LibraryOutput.h"
#include "objects/MaterialFileWriter.h"

namespace {

struct Rgb {
    float r, g, b;
};

Rgb Mix(const Rgb& a, const Rgb& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Scale(const Rgb& c, float f) {
    return {c.r * f, c.g * f, c.b * f};
}

// A hash of the lattice point: the same everywhere, unlike the standard
// library's distributions, so the pictures do not change between builds.
float Hash(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^
                 seed * 0xCB1AB31Fu;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return static_cast<float>(h & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}

float Smooth(float t) {
    return t * t * (3 - 2 * t);
}

// Value noise that repeats every period cells, so a tile repeats without a
// seam.
float Noise(float x, float y, int period, uint32_t seed) {
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const float fx = Smooth(x - static_cast<float>(x0));
    const float fy = Smooth(y - static_cast<float>(y0));
    auto at = [&](int ix, int iy) {
        return Hash(((ix % period) + period) % period, ((iy % period) + period) % period, seed);
    };
    const float top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * fx;
    const float bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * fx;
    return top + (bottom - top) * fy;
}

// Octaves of noise over the unit square, in 0..1.
float Fractal(float u, float v, int basePeriod, int octaves, uint32_t seed) {
    float sum = 0;
    float weight = 1;
    float total = 0;
    int period = basePeriod;
    for (int o = 0; o < octaves; ++o) {
        sum += Noise(u * static_cast<float>(period), v * static_cast<float>(period), period,
                     seed + static_cast<uint32_t>(o)) *
               weight;
        total += weight;
        weight *= 0.5f;
        period *= 2;
    }
    return sum / total;
}

using Shader = std::function<Rgb(float u, float v)>;

Shader Wood(Rgb light, Rgb dark, uint32_t seed) {
    return [=](float u, float v) {
        const float warp = Fractal(u, v, 4, 3, seed) * 3.0f;
        const float rings = std::sin((u * 14.0f + warp) * 2.0f * std::numbers::pi_v<float>);
        const float grain = Fractal(u * 8.0f, v, 8, 2, seed + 7) * 0.15f;
        return Mix(light, dark, std::clamp(rings * 0.35f + 0.45f + grain, 0.0f, 1.0f));
    };
}

// One square tile with grout along two edges, which meet the next repeat's.
Shader Tiles(Rgb tile, Rgb grout, uint32_t seed) {
    return [=](float u, float v) {
        constexpr float kGrout = 0.04f;
        if (u < kGrout || v < kGrout) {
            return grout;
        }
        const float shade = 0.92f + 0.08f * Fractal(u, v, 16, 2, seed);
        return Scale(tile, shade);
    };
}

Shader Brick(Rgb brick, Rgb mortar, uint32_t seed) {
    return [=](float u, float v) {
        constexpr int kRows = 4;
        const float rowF = v * kRows;
        const int row = static_cast<int>(rowF);
        const float offset = row % 2 == 0 ? 0.0f : 0.5f;
        const float cu = u * 2.0f + offset;
        const float fu = cu - std::floor(cu);
        const float fv = rowF - std::floor(rowF);
        if (fv < 0.08f || fu < 0.03f) {
            return mortar;
        }
        const int column = static_cast<int>(std::floor(cu)) % 2;
        const float tint = 0.85f + 0.15f * Hash(column, row, seed);
        return Scale(brick, tint * (0.9f + 0.1f * Fractal(u, v, 32, 2, seed + 3)));
    };
}

Shader Marble(Rgb base, Rgb vein, uint32_t seed) {
    return [=](float u, float v) {
        const float turbulence = Fractal(u, v, 4, 5, seed) * 6.0f;
        const float veins =
            std::abs(std::sin((u + v) * 2.0f * std::numbers::pi_v<float> + turbulence));
        return Mix(vein, base, std::pow(veins, 0.4f));
    };
}

Shader Carpet(Rgb base, uint32_t seed) {
    return [=](float u, float v) {
        const float fibres =
            Hash(static_cast<int>(u * kTextureSide), static_cast<int>(v * kTextureSide), seed);
        const float patches = Fractal(u, v, 8, 3, seed + 1);
        return Scale(base, 0.75f + 0.15f * fibres + 0.2f * patches);
    };
}

Shader Plaster(Rgb base, uint32_t seed) {
    return [=](float u, float v) { return Scale(base, 0.9f + 0.1f * Fractal(u, v, 8, 5, seed)); };
}

Rgb ToRgb(const TextureColour& c) {
    return {c.r, c.g, c.b};
}

Shader ShaderOf(const TextureRecipe& recipe) {
    const Rgb main = ToRgb(recipe.main);
    const Rgb second = ToRgb(recipe.second);
    switch (recipe.pattern) {
        case TexturePattern::Wood:
            return Wood(main, second, recipe.seed);
        case TexturePattern::Tiles:
            return Tiles(main, second, recipe.seed);
        case TexturePattern::Brick:
            return Brick(main, second, recipe.seed);
        case TexturePattern::Marble:
            return Marble(main, second, recipe.seed);
        case TexturePattern::Carpet:
            return Carpet(main, recipe.seed);
        case TexturePattern::Plaster:
            break;
    }
    return Plaster(main, recipe.seed);
}

std::uint8_t Channel(float value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

const std::vector<TextureRecipe>& StarterTextures() {
    using enum TexturePattern;
    static const std::vector<TextureRecipe> textures = {
        {"木紋",
         "wood-oak.qvp",
         "橡木",
         60,
         60,
         Wood,
         {0.80f, 0.63f, 0.42f},
         {0.55f, 0.37f, 0.20f},
         11},
        {"木紋",
         "wood-walnut.qvp",
         "胡桃木",
         60,
         60,
         Wood,
         {0.50f, 0.33f, 0.21f},
         {0.28f, 0.17f, 0.10f},
         12},
        {"磁磚",
         "tile-white-30.qvp",
         "白色磁磚 30x30",
         30,
         30,
         Tiles,
         {0.93f, 0.93f, 0.90f},
         {0.60f, 0.60f, 0.58f},
         21},
        {"磁磚",
         "tile-slate-60.qvp",
         "石板磁磚 60x60",
         60,
         60,
         Tiles,
         {0.42f, 0.45f, 0.48f},
         {0.25f, 0.25f, 0.25f},
         22},
        {"磚牆",
         "brick-red.qvp",
         "紅磚",
         46,
         30,
         Brick,
         {0.66f, 0.30f, 0.22f},
         {0.78f, 0.75f, 0.70f},
         31},
        {"大理石",
         "marble-white.qvp",
         "白色大理石",
         80,
         80,
         Marble,
         {0.95f, 0.94f, 0.92f},
         {0.55f, 0.55f, 0.58f},
         41},
        {"地毯", "carpet-blue.qvp", "藍色地毯", 50, 50, Carpet, {0.30f, 0.38f, 0.60f}, {}, 51},
        {"地毯", "carpet-beige.qvp", "米色地毯", 50, 50, Carpet, {0.80f, 0.72f, 0.58f}, {}, 52},
        {"粉刷", "plaster-white.qvp", "白色粉刷", 100, 100, Plaster, {0.93f, 0.91f, 0.86f}, {}, 61},
    };
    return textures;
}

image::Raster RenderTexture(const TextureRecipe& recipe) {
    image::Raster raster;
    image::AllocateRaster(raster, kTextureSide, kTextureSide);
    const Shader shader = ShaderOf(recipe);
    for (int y = 0; y < kTextureSide; ++y) {
        for (int x = 0; x < kTextureSide; ++x) {
            const Rgb c = shader((static_cast<float>(x) + 0.5f) / kTextureSide,
                                 (static_cast<float>(y) + 0.5f) / kTextureSide);
            std::uint8_t* pixel =
                raster.bgra.data() + (static_cast<std::size_t>(y) * kTextureSide + x) * 4;
            pixel[0] = Channel(c.b);
            pixel[1] = Channel(c.g);
            pixel[2] = Channel(c.r);
            pixel[3] = 255;
        }
    }
    return raster;
}

// Material files, so that the library's scan reads each repeat's size in cm
// from the file itself.
void WriteTextures(LibraryOutput& output) {
    for (const TextureRecipe& recipe : StarterTextures()) {
        MaterialFileContents contents;
        contents.name = recipe.name;
        contents.vendor = kStarterVendor;
        contents.width = recipe.widthCm;
        contents.height = recipe.heightCm;
        contents.image = RenderTexture(recipe);
        std::string file;
        std::string error;
        if (!EncodeMaterialFile(contents, &file, &error)) {
            output.Fail(recipe.fileName + "：" + error);
            return;
        }
        output.Write(std::string(kTextureFolder) + "/" + recipe.category + "/" + recipe.fileName,
                     file);
    }
}
