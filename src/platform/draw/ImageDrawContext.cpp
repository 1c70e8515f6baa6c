#include "platform/draw/ImageDrawContext.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/draw/PixelOps.h"

namespace draw {

namespace {

cairo_t* CreateImageContext(int32_t width, int32_t height, ImageFormat format) {
    cairo_surface_t* surface = cairo_image_surface_create(
        format == ImageFormat::Rgb24 ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_surface_destroy(surface);  // the context keeps it
    return cr;
}

}  // namespace

ImageDrawContext::ImageDrawContext(int32_t width, int32_t height, ImageFormat format)
    : CairoDrawContext(CreateImageContext(width, height, format)) {}

int32_t ImageDrawContext::Width() const {
    return cairo_image_surface_get_width(cairo_get_target(Cairo()));
}

int32_t ImageDrawContext::Height() const {
    return cairo_image_surface_get_height(cairo_get_target(Cairo()));
}

cairo_surface_t* ImageDrawContext::Surface() const {
    FlushLines();
    cairo_surface_t* surface = cairo_get_target(Cairo());
    cairo_surface_flush(surface);
    return surface;
}

const uint8_t* ImageDrawContext::Data() const {
    return cairo_image_surface_get_data(Surface());
}

int32_t ImageDrawContext::Stride() const {
    return cairo_image_surface_get_stride(cairo_get_target(Cairo()));
}

COLORREF ImageDrawContext::GetPixel(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) {
        return CLR_INVALID;
    }
    const auto* row = reinterpret_cast<const uint32_t*>(Data() + ptrdiff_t(y) * Stride());
    return ColorFromPixel(row[x]);
}

Rect ImageDrawContext::Visible(Rect device) const {
    Rect limit{0, 0, Width(), Height()};
    if (const std::optional<Rect>& clip = GetState().clip) {
        limit = limit.Intersect(*clip);
    }
    return device.Intersect(limit);
}

void ImageDrawContext::RenderInvertRect(const Rect&, const Rect& device) {
    const Rect box = Visible(device);
    if (box.IsEmpty()) {
        return;
    }
    cairo_surface_t* surface = Surface();
    unsigned char* data = cairo_image_surface_get_data(surface);
    for (int32_t y = box.top; y < box.bottom; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + ptrdiff_t(y) * Stride());
        for (int32_t x = box.left; x < box.right; ++x) {
            row[x] ^= 0xFFFFFF;
        }
    }
    cairo_surface_mark_dirty_rectangle(surface, box.left, box.top, box.Width(), box.Height());
}

void ImageDrawContext::PaintWithRasterOp(PathPaint paint) {
    cairo_t* cr = Cairo();
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (paint == PathPaint::Fill) {
        cairo_fill_extents(cr, &x1, &y1, &x2, &y2);
    } else {
        cairo_stroke_extents(cr, &x1, &y1, &x2, &y2);
    }
    const auto limit = [](double v, int32_t high) {
        return int32_t(std::clamp(v, 0.0, double(high)));
    };
    const Rect box = Visible({limit(std::floor(x1), Width()), limit(std::floor(y1), Height()),
                              limit(std::ceil(x2), Width()), limit(std::ceil(y2), Height())});
    if (box.IsEmpty()) {
        return;
    }

    // Rasterise the figure into a mask, without antialiasing. A stroke whose
    // gaps are drawn marks its gaps half and its dashes fully.
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, box.Width(), box.Height());
    cairo_surface_set_device_offset(mask, -box.left, -box.top);
    cairo_t* maskCr = cairo_create(mask);
    cairo_set_antialias(maskCr, CAIRO_ANTIALIAS_NONE);
    cairo_path_t* path = cairo_copy_path(cr);
    cairo_append_path(maskCr, path);
    cairo_path_destroy(path);
    if (paint == PathPaint::Fill) {
        cairo_set_fill_rule(maskCr, cairo_get_fill_rule(cr));
        cairo_fill(maskCr);
    } else {
        cairo_set_line_width(maskCr, cairo_get_line_width(cr));
        cairo_set_line_cap(maskCr, cairo_get_line_cap(cr));
        cairo_set_line_join(maskCr, cairo_get_line_join(cr));
        cairo_set_miter_limit(maskCr, cairo_get_miter_limit(cr));
        std::vector<double> dashes(size_t(cairo_get_dash_count(cr)));
        double offset = 0;
        cairo_get_dash(cr, dashes.data(), &offset);
        if (PenFillsGaps()) {
            cairo_set_source_rgba(maskCr, 0, 0, 0, 0.5);
            cairo_stroke_preserve(maskCr);
            cairo_set_operator(maskCr, CAIRO_OPERATOR_SOURCE);
        }
        cairo_set_source_rgba(maskCr, 0, 0, 0, 1);
        cairo_set_dash(maskCr, dashes.data(), int(dashes.size()), offset);
        cairo_stroke(maskCr);
    }
    cairo_destroy(maskCr);
    cairo_surface_flush(mask);

    const DrawState& state = GetState();
    const BrushTile tile = paint == PathPaint::Fill ? CurrentBrushTile() : BrushTile{};
    const uint32_t penPixel = PixelFromColor(state.pen.color);
    const uint32_t gapPixel = PixelFromColor(state.bkColor);
    const unsigned char* maskData = cairo_image_surface_get_data(mask);
    const int maskStride = cairo_image_surface_get_stride(mask);
    cairo_surface_t* surface = Surface();
    unsigned char* data = cairo_image_surface_get_data(surface);
    for (int32_t y = 0; y < box.Height(); ++y) {
        const unsigned char* coverage = maskData + ptrdiff_t(y) * maskStride;
        auto* row = reinterpret_cast<uint32_t*>(data + ptrdiff_t(box.top + y) * Stride());
        for (int32_t x = 0; x < box.Width(); ++x) {
            if (coverage[x] == 0) {
                continue;
            }
            uint32_t source = 0;
            if (paint == PathPaint::Fill) {
                source = tile.At(box.left + x, box.top + y);
                if (source == 0) {
                    continue;
                }
            } else {
                source = coverage[x] == 255 ? penPixel : gapPixel;
            }
            uint32_t& pixel = row[box.left + x];
            pixel = ApplyRop2(state.rop2, source, pixel);
        }
    }
    cairo_surface_mark_dirty_rectangle(surface, box.left, box.top, box.Width(), box.Height());
    cairo_surface_destroy(mask);
}

}  // namespace draw
