#include "platform/draw/CairoDrawContext.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "platform/draw/FontCache.h"
#include "platform/draw/PixelOps.h"

namespace draw {

namespace {

// The centre of a device pixel.
double Centre(int32_t v) {
    return v + 0.5;
}

Rect BoxOf(std::span<const Point> device) {
    return {std::min(device[0].x, device[1].x), std::min(device[0].y, device[1].y),
            std::max(device[0].x, device[1].x), std::max(device[0].y, device[1].y)};
}

// Half a pixel along the major axis of the step from a to b.
void HalfStep(Point a, Point b, double& dx, double& dy) {
    const int64_t sx = int64_t(b.x) - a.x;
    const int64_t sy = int64_t(b.y) - a.y;
    const int64_t major = std::max(std::llabs(sx), std::llabs(sy));
    dx = major ? 0.5 * double(sx) / double(major) : 0.0;
    dy = major ? 0.5 * double(sy) / double(major) : 0.0;
}

bool IsFilledFigure(DrawOp op) {
    return op == DrawOp::Polygon || op == DrawOp::Rectangle || op == DrawOp::Ellipse ||
           op == DrawOp::Pie || op == DrawOp::Chord;
}

}  // namespace

CairoDrawContext::CairoDrawContext(cairo_t* cr)
    : m_cr(cr), m_keepsText(cairo_surface_has_show_text_glyphs(cairo_get_target(cr))) {
    cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_NONE);
}

CairoDrawContext::~CairoDrawContext() {
    FlushLines();
    cairo_destroy(m_cr);
}

void CairoDrawContext::ApplyClip() {
    FlushLines();
    if (m_appliedClip == ClipSerial()) {
        return;
    }
    m_appliedClip = ClipSerial();
    cairo_reset_clip(m_cr);
    if (const std::optional<Rect>& clip = GetState().clip) {
        cairo_new_path(m_cr);
        cairo_rectangle(m_cr, clip->left, clip->top, clip->Width(), clip->Height());
        cairo_clip(m_cr);
    }
}

void CairoDrawContext::SetSourceColor(COLORREF color) const {
    cairo_set_source_rgb(m_cr, RedOf(color) / 255.0, GreenOf(color) / 255.0, BlueOf(color) / 255.0);
}

BrushTile CairoDrawContext::CurrentBrushTile() const {
    const DrawState& state = GetState();
    return BrushTile::For(state.brush, state.textColor, state.bkColor, state.bkMode);
}

bool CairoDrawContext::PenFillsGaps() const {
    return m_stroke.cosmetic && !m_stroke.dashes.empty() && GetState().bkMode == OPAQUE;
}

void CairoDrawContext::RenderFigure(DrawOp op, std::span<const Point>,
                                    std::span<const Point> device) {
    if (op != DrawOp::Line || !QueueAxisLine(device[0], device[1])) {
        PaintFigure(op, device);
    }
}

bool CairoDrawContext::QueueAxisLine(Point start, Point end) {
    // A thin solid line along an axis is a rectangle with whole-pixel
    // corners, so a run of such lines copied in one colour under one clip
    // paints exactly the pixels that stroking them one by one would, with a
    // single stroke. Slanted lines, XOR and dash gaps depend on each line's
    // own stroke and are painted straight away.
    const DrawState& state = GetState();
    if (state.rop2 != R2_COPYPEN || state.pen.style != PS_SOLID || state.pen.geometric ||
        (start.x != end.x && start.y != end.y)) {
        return false;
    }
    if (m_queuedLines.empty() || state.pen.color != m_queuedColor ||
        ClipSerial() != m_appliedClip) {
        ApplyClip();  // paints the lines queued so far, under their own clip
        m_queuedColor = state.pen.color;
    }
    m_queuedLines.push_back(start);
    m_queuedLines.push_back(end);
    return true;
}

void CairoDrawContext::FlushLines() const {
    if (m_queuedLines.empty()) {
        return;
    }
    cairo_new_path(m_cr);
    for (size_t i = 0; i + 1 < m_queuedLines.size(); i += 2) {
        AppendThinLine(m_queuedLines[i], m_queuedLines[i + 1]);
    }
    StrokeStyle().ApplyTo(m_cr);
    SetSourceColor(m_queuedColor);
    cairo_stroke(m_cr);
    m_queuedLines.clear();
}

// The path BuildPath gives a line drawn with a cosmetic pen.
void CairoDrawContext::AppendThinLine(Point start, Point end) const {
    double dx = 0, dy = 0;
    HalfStep(start, end, dx, dy);
    cairo_move_to(m_cr, Centre(start.x) - dx, Centre(start.y) - dy);
    cairo_line_to(m_cr, Centre(end.x) - dx, Centre(end.y) - dy);
}

void CairoDrawContext::PaintFigure(DrawOp op, std::span<const Point> device) {
    const DrawState& state = GetState();
    const bool fills = IsFilledFigure(op) && state.brush.style != BS_NULL;
    const bool strokes = state.pen.style != PS_NULL;
    if (!fills && !strokes) {
        return;
    }
    ApplyClip();
    m_stroke = StrokeStyle::For(state.pen, state.mapping.ScaleX());
    const bool openLine = op == DrawOp::Line || op == DrawOp::Polyline;
    BuildPath(op, device, strokes && m_stroke.cosmetic && openLine);
    if (fills) {
        // Polygons fill by the alternate (even-odd) rule; the other figures
        // never cross themselves.
        cairo_set_fill_rule(m_cr, CAIRO_FILL_RULE_EVEN_ODD);
        if (state.rop2 == R2_COPYPEN) {
            PaintFill(CurrentBrushTile());
        } else {
            PaintWithRasterOp(PathPaint::Fill);
        }
    }
    if (strokes) {
        m_stroke.ApplyTo(m_cr);
        if (state.rop2 == R2_COPYPEN) {
            PaintStroke(state.pen.color,
                        PenFillsGaps() ? std::optional(state.bkColor) : std::nullopt);
        } else {
            PaintWithRasterOp(PathPaint::Stroke);
        }
    }
    cairo_new_path(m_cr);
}

void CairoDrawContext::BuildPath(DrawOp op, std::span<const Point> device, bool cosmeticEnds) {
    cairo_new_path(m_cr);
    switch (op) {
        case DrawOp::Line:
        case DrawOp::Polyline: {
            // A thin line covers its first pixel and leaves out its last:
            // both ends move half a pixel back along the major axis, so that
            // no pixel centre lies on an end.
            const size_t last = device.size() - 1;
            double sx = 0, sy = 0, ex = 0, ey = 0;
            if (cosmeticEnds) {
                HalfStep(device[0], device[1], sx, sy);
                HalfStep(device[last - 1], device[last], ex, ey);
            }
            cairo_move_to(m_cr, Centre(device[0].x) - sx, Centre(device[0].y) - sy);
            for (size_t i = 1; i < last; ++i) {
                cairo_line_to(m_cr, Centre(device[i].x), Centre(device[i].y));
            }
            cairo_line_to(m_cr, Centre(device[last].x) - ex, Centre(device[last].y) - ey);
            break;
        }
        case DrawOp::Polygon:
            cairo_move_to(m_cr, Centre(device[0].x), Centre(device[0].y));
            for (size_t i = 1; i < device.size(); ++i) {
                cairo_line_to(m_cr, Centre(device[i].x), Centre(device[i].y));
            }
            cairo_close_path(m_cr);
            break;
        case DrawOp::Rectangle: {
            // Through the centres of the outermost pixels inside the box: the
            // right and bottom edges of the box stay outside.
            const Rect box = BoxOf(device);
            if (!box.IsEmpty()) {
                cairo_rectangle(m_cr, Centre(box.left), Centre(box.top), box.Width() - 1,
                                box.Height() - 1);
            }
            break;
        }
        case DrawOp::Ellipse:
        case DrawOp::Arc:
        case DrawOp::Pie:
        case DrawOp::Chord:
            AppendArc(op, device);
            break;
        case DrawOp::PolyBezier:
            cairo_move_to(m_cr, Centre(device[0].x), Centre(device[0].y));
            for (size_t i = 1; i + 2 < device.size(); i += 3) {
                cairo_curve_to(m_cr, Centre(device[i].x), Centre(device[i].y),
                               Centre(device[i + 1].x), Centre(device[i + 1].y),
                               Centre(device[i + 2].x), Centre(device[i + 2].y));
            }
            break;
        default:
            break;
    }
}

void CairoDrawContext::AppendArc(DrawOp op, std::span<const Point> device) {
    // The ellipse through the centres of the outermost pixels inside the box.
    const Rect box = BoxOf(device);
    const double rx = (box.Width() - 1) / 2.0;
    const double ry = (box.Height() - 1) / 2.0;
    const double cx = (box.left + box.right) / 2.0;
    const double cy = (box.top + box.bottom) / 2.0;
    if (rx <= 0 || ry <= 0) {
        return;
    }
    double start = 0;
    double end = 2 * std::numbers::pi;
    bool whole = op == DrawOp::Ellipse;
    if (!whole) {
        // Radials as doubled integer vectors from the centre, so that equal
        // directions are recognised exactly.
        const int64_t ax = 2 * int64_t(device[2].x) + 1 - (int64_t(box.left) + box.right);
        const int64_t ay = 2 * int64_t(device[2].y) + 1 - (int64_t(box.top) + box.bottom);
        const int64_t bx = 2 * int64_t(device[3].x) + 1 - (int64_t(box.left) + box.right);
        const int64_t by = 2 * int64_t(device[3].y) + 1 - (int64_t(box.top) + box.bottom);
        whole = ax * by - ay * bx == 0 && ax * bx + ay * by > 0;
        start = std::atan2(double(ay) / ry, double(ax) / rx);
        end = std::atan2(double(by) / ry, double(bx) / rx);
    }
    // With y pointing down, counter-clockwise on the device is the direction
    // of decreasing angles.
    const bool counterClockwise = GetState().arcDirection == AD_COUNTERCLOCKWISE;
    if (whole) {
        end = counterClockwise ? start - 2 * std::numbers::pi : start + 2 * std::numbers::pi;
    }
    if (op == DrawOp::Pie) {
        cairo_move_to(m_cr, cx, cy);
    } else {
        cairo_new_sub_path(m_cr);
    }
    cairo_save(m_cr);
    cairo_translate(m_cr, cx, cy);
    cairo_scale(m_cr, rx, ry);
    if (counterClockwise) {
        cairo_arc_negative(m_cr, 0, 0, 1, start, end);
    } else {
        cairo_arc(m_cr, 0, 0, 1, start, end);
    }
    cairo_restore(m_cr);
    if (op != DrawOp::Arc) {
        cairo_close_path(m_cr);
    }
}

void CairoDrawContext::PaintFill(const BrushTile& tile) {
    if (tile.IsEmpty()) {
        return;
    }
    if (tile.IsSolid()) {
        SetSourceColor(ColorFromPixel(tile.pixels[0]));
        cairo_fill_preserve(m_cr);
        return;
    }
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, tile.width, tile.height);
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        cairo_surface_flush(surface);
        unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        for (int32_t y = 0; y < tile.height; ++y) {
            std::copy_n(tile.pixels.begin() + ptrdiff_t(y) * tile.width, tile.width,
                        reinterpret_cast<uint32_t*>(data + ptrdiff_t(y) * stride));
        }
        cairo_surface_mark_dirty(surface);
        cairo_pattern_t* pattern = cairo_pattern_create_for_surface(surface);
        cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
        cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
        cairo_set_source(m_cr, pattern);
        cairo_fill_preserve(m_cr);
        cairo_pattern_destroy(pattern);
    }
    cairo_surface_destroy(surface);
}

void CairoDrawContext::PaintStroke(COLORREF penColor, std::optional<COLORREF> gapColor) {
    if (gapColor && !m_stroke.dashes.empty()) {
        SetSourceColor(*gapColor);
        cairo_set_dash(m_cr, nullptr, 0, 0);
        cairo_stroke_preserve(m_cr);
        cairo_set_dash(m_cr, m_stroke.dashes.data(), int(m_stroke.dashes.size()), 0);
    }
    SetSourceColor(penColor);
    cairo_stroke_preserve(m_cr);
}

void CairoDrawContext::RenderFillRect(const Rect&, const Rect& device, const Brush& brush) {
    const DrawState& state = GetState();
    const BrushTile tile = BrushTile::For(brush, state.textColor, state.bkColor, state.bkMode);
    if (tile.IsEmpty() || device.IsEmpty()) {
        return;
    }
    ApplyClip();
    cairo_new_path(m_cr);
    cairo_rectangle(m_cr, device.left, device.top, device.Width(), device.Height());
    PaintFill(tile);
    cairo_new_path(m_cr);
}

void CairoDrawContext::RenderPixel(Point, Point device, COLORREF color) {
    ApplyClip();
    cairo_new_path(m_cr);
    cairo_rectangle(m_cr, device.x, device.y, 1, 1);
    SetSourceColor(color);
    cairo_fill(m_cr);
}

void CairoDrawContext::RenderText(Point, Point device, std::string_view text) {
    const DrawState& state = GetState();
    const TextLayout layout =
        FontCache::Instance().Layout(state.font, state.mapping.ScaleY(), text, true);
    if (layout.runs.empty()) {
        return;
    }
    ApplyClip();
    const double angle = (state.font.escapement % 3600) / 10.0 * std::numbers::pi / 180.0;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    // From the text's own frame (x along the baseline, y down) to the device.
    auto turnX = [&](double x, double y) { return x * c + y * s; };
    auto turnY = [&](double x, double y) { return -x * s + y * c; };

    const uint32_t align = state.textAlign;
    double ax = 0;
    if ((align & TA_CENTER) == TA_CENTER) {
        ax = -layout.width / 2;
    } else if (align & TA_RIGHT) {
        ax = -layout.width;
    }
    double ay = layout.ascent;
    if ((align & TA_BASELINE) == TA_BASELINE) {
        ay = 0;
    } else if (align & TA_BOTTOM) {
        ay = -layout.descent;
    }
    const double baseX = device.x + turnX(ax, ay);
    const double baseY = device.y + turnY(ax, ay);
    auto fillBand = [&](double top, double bottom, COLORREF color) {
        cairo_new_path(m_cr);
        cairo_move_to(m_cr, baseX + turnX(0, top), baseY + turnY(0, top));
        cairo_line_to(m_cr, baseX + turnX(layout.width, top), baseY + turnY(layout.width, top));
        cairo_line_to(m_cr, baseX + turnX(layout.width, bottom),
                      baseY + turnY(layout.width, bottom));
        cairo_line_to(m_cr, baseX + turnX(0, bottom), baseY + turnY(0, bottom));
        cairo_close_path(m_cr);
        SetSourceColor(color);
        cairo_fill(m_cr);
    };

    if (state.bkMode == OPAQUE) {
        fillBand(-layout.ascent, layout.descent, state.bkColor);
    }
    SetSourceColor(state.textColor);
    std::vector<cairo_glyph_t> glyphs;
    for (const GlyphRun& run : layout.runs) {
        glyphs = run.glyphs;
        for (cairo_glyph_t& glyph : glyphs) {
            glyph.x += baseX;
            glyph.y += baseY;
        }
        cairo_set_scaled_font(m_cr, run.font.Get());
        if (m_keepsText) {
            cairo_show_text_glyphs(m_cr, run.text.data(), int(run.text.size()), glyphs.data(),
                                   int(glyphs.size()), run.clusters.data(),
                                   int(run.clusters.size()), run.clusterFlags);
        } else {
            cairo_show_glyphs(m_cr, glyphs.data(), int(glyphs.size()));
        }
    }
    if (state.font.underline) {
        const double half = layout.underlineThickness / 2;
        fillBand(layout.underlinePosition - half, layout.underlinePosition + half, state.textColor);
    }
}

void CairoDrawContext::RenderImage(const Rect&, const Rect& device, const DibPixels& pixels,
                                   const Rect& source) {
    const int32_t width = source.Width();
    const int32_t height = source.Height();
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(image);
        return;
    }
    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    const size_t bytesPerPixel = size_t(pixels.bitCount / 8);
    for (int32_t row = 0; row < height; ++row) {
        // Row 0 of a bottom-up block is the bottom of the picture.
        const int32_t stored = pixels.height > 0 ? source.top + height - 1 - row : source.top + row;
        const uint8_t* in =
            pixels.bits + size_t(stored) * pixels.Stride() + size_t(source.left) * bytesPerPixel;
        auto* out = reinterpret_cast<uint32_t*>(data + ptrdiff_t(row) * stride);
        for (int32_t x = 0; x < width; ++x, in += bytesPerPixel) {
            out[x] = 0xFF000000u | (uint32_t(in[2]) << 16) | (uint32_t(in[1]) << 8) | in[0];
        }
    }
    cairo_surface_mark_dirty(image);

    ApplyClip();
    cairo_new_path(m_cr);
    cairo_save(m_cr);
    cairo_translate(m_cr, device.left, device.top);
    cairo_scale(m_cr, double(device.right - device.left) / width,
                double(device.bottom - device.top) / height);
    cairo_set_source_surface(m_cr, image, 0, 0);
    cairo_pattern_t* pattern = cairo_get_source(m_cr);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(
        pattern, GetState().stretchBltMode == HALFTONE ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
    cairo_rectangle(m_cr, 0, 0, width, height);
    cairo_fill(m_cr);
    cairo_restore(m_cr);
    cairo_surface_destroy(image);
}

}  // namespace draw
