#include "Pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "Furniture.h"
#include "LibraryOutput.h"
#include "objects/MaterialFileWriter.h"

namespace {

using Colour = PictureColour;

constexpr Colour kBlack{0, 0, 0};

Colour Mix(const Colour& a, const Colour& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour Scale(const Colour& c, float f) {
    return {c.r * f, c.g * f, c.b * f};
}

float SmoothStep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// Distance from the centre of the unit square, 1 at the middle of an edge.
float Radius(float u, float v) {
    return 2.0f * std::hypot(u - 0.5f, v - 0.5f);
}

// Light that fades to exact black at the rim, which the 3D view keys out.
Colour LightMap(const PictureRecipe& p, float u, float v) {
    const float fade = std::max(0.0f, 1.0f - Radius(u, v));
    return Scale(p.main, fade * fade);
}

// A soft grey pool on black, which the 3D view keys out around it: darkest
// in the middle, lighter towards its rim.
Colour Shadow(const PictureRecipe& p, float u, float v) {
    const float r = Radius(u, v);
    if (r >= 0.95f) {
        return kBlack;
    }
    return Mix(p.main, p.second, SmoothStep(0.2f, 0.95f, r));
}

// A sky over two hills and a sun, inside a white mount.
Colour Mountains(const PictureRecipe& p, float u, float v) {
    if (u < 0.06f || u > 0.94f || v < 0.05f || v > 0.95f) {
        return {0.96f, 0.96f, 0.94f};
    }
    const float far = 0.55f + 0.12f * std::sin(u * 9.0f);
    const float near = 0.70f + 0.10f * std::sin(u * 5.0f + 2.0f);
    if (v > near) {
        return p.second;
    }
    if (v > far) {
        return Mix(p.second, p.main, 0.5f);
    }
    if (std::hypot(u - 0.7f, v - 0.3f) < 0.09f) {
        return {1.0f, 0.85f, 0.45f};
    }
    return Mix({0.98f, 0.92f, 0.80f}, p.main, v / far);
}

// Coloured blocks on a light ground, a poster of shapes.
Colour Blocks(const PictureRecipe& p, float u, float v) {
    if (std::hypot(u - 0.35f, v - 0.35f) < 0.2f) {
        return p.main;
    }
    if (u > 0.45f && u < 0.85f && v > 0.5f && v < 0.85f) {
        return p.second;
    }
    if (std::abs(u + v - 1.1f) < 0.02f) {
        return {0.15f, 0.15f, 0.18f};
    }
    return {0.95f, 0.93f, 0.88f};
}

// Folds across the width and a hem along the bottom.
Colour Curtain(const PictureRecipe& p, float u, float v) {
    constexpr float kFolds = 9.0f;
    const float fold = 0.78f + 0.22f * std::cos(u * kFolds * 2.0f * std::numbers::pi_v<float>);
    return Scale(v > 0.95f ? Scale(p.main, 0.85f) : p.main, fold);
}

// A border band around a field of diamonds.
Colour Rug(const PictureRecipe& p, float u, float v) {
    const float edge = std::min({u, v, 1.0f - u, 1.0f - v});
    if (edge < 0.08f) {
        return edge < 0.03f ? Scale(p.second, 0.8f) : p.second;
    }
    const float du = std::abs(std::fmod(u * 6.0f, 1.0f) - 0.5f);
    const float dv = std::abs(std::fmod(v * 4.0f, 1.0f) - 0.5f);
    return du + dv < 0.3f ? Mix(p.main, p.second, 0.5f) : p.main;
}

// Four tiles in a checker with grout between them.
Colour FloorTiles(const PictureRecipe& p, float u, float v) {
    const float fu = std::fmod(u * 2.0f, 1.0f);
    const float fv = std::fmod(v * 2.0f, 1.0f);
    if (fu < 0.03f || fv < 0.03f || fu > 0.97f || fv > 0.97f) {
        return {0.55f, 0.55f, 0.53f};
    }
    return (u < 0.5f) == (v < 0.5f) ? p.main : p.second;
}

Colour Shade(const PictureRecipe& p, float u, float v) {
    switch (p.art) {
        case PictureArt::LightMap:
            return LightMap(p, u, v);
        case PictureArt::Shadow:
            return Shadow(p, u, v);
        case PictureArt::Mountains:
            return Mountains(p, u, v);
        case PictureArt::Blocks:
            return Blocks(p, u, v);
        case PictureArt::Curtain:
            return Curtain(p, u, v);
        case PictureArt::Rug:
            return Rug(p, u, v);
        case PictureArt::FloorTiles:
            return FloorTiles(p, u, v);
    }
    return kBlack;
}

std::uint8_t Channel(float value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

const std::vector<PictureRecipe>& StarterPictures() {
    using enum PictureArt;
    static const std::vector<PictureRecipe> pictures = {
        {"A01光圖",
         "A0101001.qvp",
         "暖色光圖",
         "燈下的暖色光暈",
         "VP-0101",
         200,
         200,
         0,
         128,
         128,
         LightMap,
         {1.0f, 0.86f, 0.60f},
         {}},
        {"A01光圖",
         "A0101002.qvp",
         "白色光圖",
         "燈下的白色光暈",
         "VP-0102",
         150,
         150,
         0,
         128,
         128,
         LightMap,
         {0.95f, 0.97f, 1.0f},
         {}},
        {kShadowPictureFolder,
         kShadowPictureFile,
         "柔和陰影",
         "家具下的柔和陰影",
         "VP-0201",
         100,
         100,
         0,
         128,
         128,
         Shadow,
         {0.16f, 0.16f, 0.17f},
         {0.45f, 0.45f, 0.46f}},
        {"海報",
         "poster-mountains.qvp",
         "山景海報",
         "山景海報，附白色裱框",
         "VP-1001",
         60,
         90,
         980,
         120,
         180,
         Mountains,
         {0.45f, 0.62f, 0.80f},
         {0.25f, 0.42f, 0.30f}},
        {"海報",
         "poster-shapes.qvp",
         "幾何海報",
         "色塊幾何海報",
         "VP-1002",
         50,
         70,
         760,
         100,
         140,
         Blocks,
         {0.85f, 0.40f, 0.25f},
         {0.20f, 0.45f, 0.65f}},
        {"窗簾",
         "curtain-beige.qvp",
         "米色窗簾",
         "米色落地窗簾",
         "VP-2001",
         150,
         240,
         3200,
         100,
         160,
         Curtain,
         {0.86f, 0.78f, 0.64f},
         {}},
        {"窗簾",
         "curtain-blue.qvp",
         "藍色窗簾",
         "藍色遮光窗簾",
         "VP-2002",
         150,
         240,
         3600,
         100,
         160,
         Curtain,
         {0.30f, 0.40f, 0.60f},
         {}},
        {"地毯",
         "rug-red.qvp",
         "紅色地毯",
         "紅色花紋地毯",
         "VP-3001",
         200,
         140,
         5800,
         160,
         112,
         Rug,
         {0.62f, 0.18f, 0.16f},
         {0.90f, 0.82f, 0.62f}},
        {"地磚",
         "floor-tiles-checker.qvp",
         "黑白地磚",
         "黑白相間地磚",
         "VP-4001",
         60,
         60,
         1100,
         128,
         128,
         FloorTiles,
         {0.92f, 0.92f, 0.90f},
         {0.18f, 0.18f, 0.20f}},
    };
    return pictures;
}

image::Raster RenderPicture(const PictureRecipe& recipe) {
    image::Raster raster;
    image::AllocateRaster(raster, recipe.pixelWidth, recipe.pixelHeight);
    for (int y = 0; y < recipe.pixelHeight; ++y) {
        for (int x = 0; x < recipe.pixelWidth; ++x) {
            const Colour c = Shade(recipe, (static_cast<float>(x) + 0.5f) / recipe.pixelWidth,
                                   (static_cast<float>(y) + 0.5f) / recipe.pixelHeight);
            std::uint8_t* pixel = raster.bgra.data() + raster.Stride() * y + 4 * x;
            pixel[0] = Channel(c.b);
            pixel[1] = Channel(c.g);
            pixel[2] = Channel(c.r);
        }
    }
    return raster;
}

void WritePictures(LibraryOutput& output) {
    for (const PictureRecipe& recipe : StarterPictures()) {
        MaterialFileContents contents;
        contents.name = recipe.name;
        contents.description = recipe.description;
        contents.serialNumber = recipe.serialNumber;
        contents.vendor = kStarterVendor;
        contents.width = recipe.widthCm;
        contents.height = recipe.heightCm;
        contents.price = recipe.price;
        contents.image = RenderPicture(recipe);
        std::string file;
        std::string error;
        if (!EncodeMaterialFile(contents, &file, &error)) {
            output.Fail(recipe.fileName + "：" + error);
            return;
        }
        output.Write(std::string(kPictureFolder) + "/" + recipe.folder + "/" + recipe.fileName,
                     file);
    }
}
