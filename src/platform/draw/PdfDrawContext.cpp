#include "platform/draw/PdfDrawContext.h"

#include <cairo-pdf.h>

#include <cmath>

#include "platform/draw/PixelOps.h"

namespace draw {

namespace {

constexpr double kPointsPerInch = 72.0;
constexpr uint32_t kWhitePaper = 0xFFFFFFFF;

cairo_t* CreatePdfContext(const std::string& path, double widthPoints, double heightPoints,
                          int32_t dpi) {
    cairo_surface_t* surface = cairo_pdf_surface_create(path.c_str(), widthPoints, heightPoints);
    cairo_t* cr = cairo_create(surface);
    cairo_surface_destroy(surface);  // the context keeps it
    cairo_scale(cr, kPointsPerInch / dpi, kPointsPerInch / dpi);
    return cr;
}

COLORREF OnWhitePaper(int32_t rop2, COLORREF color) {
    return ColorFromPixel(ApplyRop2(rop2, PixelFromColor(color), kWhitePaper));
}

}  // namespace

PdfDrawContext::PdfDrawContext(const std::string& path, double widthPoints, double heightPoints,
                               int32_t dpi)
    : CairoDrawContext(CreatePdfContext(path, widthPoints, heightPoints, dpi > 0 ? dpi : 600)),
      m_dpi(dpi > 0 ? dpi : 600),
      m_deviceSize{int32_t(std::lround(widthPoints / kPointsPerInch * m_dpi)),
                   int32_t(std::lround(heightPoints / kPointsPerInch * m_dpi))} {}

bool PdfDrawContext::Ok() const {
    return cairo_status(Cairo()) == CAIRO_STATUS_SUCCESS &&
           cairo_surface_status(cairo_get_target(Cairo())) == CAIRO_STATUS_SUCCESS;
}

void PdfDrawContext::EndPage() {
    FlushLines();
    cairo_show_page(Cairo());
}

bool PdfDrawContext::Close() {
    FlushLines();
    cairo_surface_finish(cairo_get_target(Cairo()));
    return Ok();
}

void PdfDrawContext::RenderInvertRect(const Rect&, const Rect& device) {
    if (device.IsEmpty()) {
        return;
    }
    ApplyClip();
    cairo_t* cr = Cairo();
    cairo_new_path(cr);
    cairo_rectangle(cr, device.left, device.top, device.Width(), device.Height());
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_fill(cr);
}

void PdfDrawContext::PaintWithRasterOp(PathPaint paint) {
    const DrawState& state = GetState();
    if (paint == PathPaint::Fill) {
        BrushTile tile = CurrentBrushTile();
        for (uint32_t& pixel : tile.pixels) {
            if (pixel != 0) {
                pixel = ApplyRop2(state.rop2, pixel, kWhitePaper);
            }
        }
        PaintFill(tile);
    } else {
        PaintStroke(
            OnWhitePaper(state.rop2, state.pen.color),
            PenFillsGaps() ? std::optional(OnWhitePaper(state.rop2, state.bkColor)) : std::nullopt);
    }
}

}  // namespace draw
