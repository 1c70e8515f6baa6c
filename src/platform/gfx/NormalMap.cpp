#include "platform/gfx/NormalMap.h"

#include <algorithm>
#include <cmath>

#include "platform/gfx/Texture.h"
#include "platform/gfx/VectorMath.h"

namespace gfx {
namespace {

float Luminance(uint32_t pixel) {
    const auto channel = [pixel](int shift) {
        return static_cast<float>((pixel >> shift) & 0xFF) / 255.0f;
    };
    return 0.2125f * channel(16) + 0.7154f * channel(8) + 0.0721f * channel(0);
}

uint32_t Encode(float component) {
    return static_cast<uint32_t>(std::lround((component + 1.0f) * 0.5f * 255.0f));
}

}  // namespace

std::vector<uint32_t> ComputeNormalMapPixels(const uint32_t* heights, uint32_t heightsWidth,
                                             uint32_t heightsHeight, uint32_t width,
                                             uint32_t height, float amplitude) {
    std::vector<float> field(size_t{width} * height);
    for (uint32_t y = 0; y < height; ++y) {
        const uint64_t sy = uint64_t{y} * heightsHeight / height;
        for (uint32_t x = 0; x < width; ++x) {
            const uint64_t sx = uint64_t{x} * heightsWidth / width;
            field[size_t{y} * width + x] = Luminance(heights[sy * heightsWidth + sx]);
        }
    }
    const auto at = [&](uint32_t x, uint32_t y) { return field[size_t{y} * width + x]; };
    std::vector<uint32_t> normals(field.size());
    for (uint32_t y = 0; y < height; ++y) {
        const uint32_t up = (y + height - 1) % height;
        const uint32_t down = (y + 1) % height;
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t left = (x + width - 1) % width;
            const uint32_t right = (x + 1) % width;
            const float dx = (at(right, y) - at(left, y)) * 0.5f;
            const float dy = (at(x, down) - at(x, up)) * 0.5f;
            const Vector3 n = Vec3Normalize({-amplitude * dx, -amplitude * dy, 1.0f});
            normals[size_t{y} * width + x] = ColorArgb(255, Encode(n.x), Encode(n.y), Encode(n.z));
        }
    }
    return normals;
}

Result ComputeNormalMap(Texture* normalMap, Texture* heights, float amplitude) {
    if (normalMap == nullptr || heights == nullptr || normalMap == heights) {
        return kErrInvalidCall;
    }
    LockedRect source;
    Result result = heights->LockRect(0, &source, kLockReadOnly);
    if (Failed(result)) {
        return result;
    }
    const std::vector<uint32_t> normals = ComputeNormalMapPixels(
        static_cast<const uint32_t*>(source.bits), heights->GetWidth(0), heights->GetHeight(0),
        normalMap->GetWidth(0), normalMap->GetHeight(0), amplitude);
    heights->UnlockRect(0);
    LockedRect target;
    result = normalMap->LockRect(0, &target, 0);
    if (Failed(result)) {
        return result;
    }
    std::copy(normals.begin(), normals.end(), static_cast<uint32_t*>(target.bits));
    normalMap->UnlockRect(0);
    normalMap->GenerateMipSubLevels();
    return kOk;
}

}  // namespace gfx
