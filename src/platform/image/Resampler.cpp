#include "platform/image/Resampler.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace image {

namespace {

// The source pixels, with their weights, that make one target pixel along
// one axis. Weights of a target pixel sum to 1.
struct AxisWeights {
    std::vector<int> first;  // per target pixel: index of its first tap
    std::vector<int> count;  // per target pixel: number of taps
    std::vector<int> index;
    std::vector<float> weight;

    void Add(int sourceIndex, double w) {
        index.push_back(sourceIndex);
        weight.push_back(static_cast<float>(w));
    }
};

double CatmullRom(double t) {
    t = std::fabs(t);
    if (t < 1.0) {
        return (1.5 * t - 2.5) * t * t + 1.0;
    }
    if (t < 2.0) {
        return ((-0.5 * t + 2.5) * t - 4.0) * t + 2.0;
    }
    return 0.0;
}

AxisWeights BuildWeights(int in, int out, Interpolation interpolation) {
    AxisWeights axis;
    const double scale = static_cast<double>(in) / out;
    for (int o = 0; o < out; ++o) {
        axis.first.push_back(static_cast<int>(axis.index.size()));
        const double centre = (o + 0.5) * scale - 0.5;
        if (interpolation == Interpolation::NearestPixel) {
            axis.Add(static_cast<int>((2LL * o + 1) * in / (2LL * out)), 1.0);
        } else if (interpolation == Interpolation::Bicubic && out < in) {
            const double begin = o * scale;
            const double end = (o + 1) * scale;
            for (int i = static_cast<int>(begin); i < in && i < end; ++i) {
                const double overlap = std::min<double>(end, i + 1) - std::max<double>(begin, i);
                if (overlap > 0) {
                    axis.Add(i, overlap / scale);
                }
            }
        } else if (interpolation == Interpolation::Bicubic) {
            const int base = static_cast<int>(std::floor(centre));
            double sum = 0;
            const std::size_t start = axis.weight.size();
            for (int i = base - 1; i <= base + 2; ++i) {
                const double w = CatmullRom(centre - i);
                axis.Add(std::clamp(i, 0, in - 1), w);
                sum += w;
            }
            for (std::size_t k = start; k < axis.weight.size(); ++k) {
                axis.weight[k] = static_cast<float>(axis.weight[k] / sum);
            }
        } else {
            const double clamped = std::clamp(centre, 0.0, in - 1.0);
            const int base = static_cast<int>(clamped);
            const double t = clamped - base;
            axis.Add(base, 1.0 - t);
            axis.Add(std::min(base + 1, in - 1), t);
        }
        axis.count.push_back(static_cast<int>(axis.index.size()) - axis.first.back());
    }
    return axis;
}

}  // namespace

Raster ResampleRaster(const Raster& source, int newWidth, int newHeight,
                      Interpolation interpolation) {
    Raster target;
    if (source.bgra.empty() || !AllocateRaster(target, newWidth, newHeight)) {
        return target;
    }
    target.hasAlpha = source.hasAlpha;
    const AxisWeights columns = BuildWeights(source.width, newWidth, interpolation);
    const AxisWeights rows = BuildWeights(source.height, newHeight, interpolation);

    // Horizontal pass into floats, then the vertical pass into bytes.
    const std::size_t wideStride = static_cast<std::size_t>(newWidth) * 4;
    std::vector<float> wide(wideStride * static_cast<std::size_t>(source.height));
    for (int y = 0; y < source.height; ++y) {
        const std::uint8_t* in = source.bgra.data() + static_cast<std::size_t>(y) * source.Stride();
        float* out = wide.data() + static_cast<std::size_t>(y) * wideStride;
        for (int x = 0; x < newWidth; ++x, out += 4) {
            for (int k = columns.first[x]; k < columns.first[x] + columns.count[x]; ++k) {
                const std::uint8_t* pixel = in + static_cast<std::size_t>(columns.index[k]) * 4;
                for (int c = 0; c < 4; ++c) {
                    out[c] += columns.weight[k] * pixel[c];
                }
            }
        }
    }
    for (int y = 0; y < newHeight; ++y) {
        std::uint8_t* out = target.bgra.data() + static_cast<std::size_t>(y) * target.Stride();
        for (int x = 0; x < newWidth; ++x, out += 4) {
            float sum[4] = {0, 0, 0, 0};
            for (int k = rows.first[y]; k < rows.first[y] + rows.count[y]; ++k) {
                const float* pixel = wide.data() +
                                     static_cast<std::size_t>(rows.index[k]) * wideStride +
                                     static_cast<std::size_t>(x) * 4;
                for (int c = 0; c < 4; ++c) {
                    sum[c] += rows.weight[k] * pixel[c];
                }
            }
            for (int c = 0; c < 4; ++c) {
                out[c] = static_cast<std::uint8_t>(std::clamp(sum[c] + 0.5f, 0.0f, 255.0f));
            }
        }
    }
    return target;
}

}  // namespace image
