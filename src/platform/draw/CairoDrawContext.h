#pragma once

#include <cairo.h>

#include <optional>
#include <vector>

#include "platform/draw/BrushTile.h"
#include "platform/draw/DrawContext.h"
#include "platform/draw/StrokeStyle.h"

namespace draw {

// The drawing shared by the cairo back ends. User space of the cairo context
// is device pixels; figures are rasterised without antialiasing, with lines
// through pixel centres, so that the pixels match the Windows conventions and
// an XOR figure covers exactly the pixels its copy would. Text is smoothed.
class CairoDrawContext : public DrawContext {
public:
    ~CairoDrawContext() override;

protected:
    enum class PathPaint { Fill, Stroke };

    // Takes over cr, whose matrix maps device pixels to the surface.
    explicit CairoDrawContext(cairo_t* cr);

    cairo_t* Cairo() const { return m_cr; }

    void RenderFigure(DrawOp op, std::span<const Point> logical,
                      std::span<const Point> device) override;
    void RenderFillRect(const Rect& logical, const Rect& device, const Brush& brush) override;
    void RenderPixel(Point logical, Point device, COLORREF color) override;
    void RenderText(Point logical, Point device, std::string_view text) override;
    void RenderImage(const Rect& logical, const Rect& device, const DibPixels& pixels,
                     const Rect& source) override;

    // Paints the current path, which must be kept, with a raster operation
    // other than R2_COPYPEN. For a stroke the stroke style is already set on
    // the cairo context.
    virtual void PaintWithRasterOp(PathPaint paint) = 0;

    // Copy painting of the current path, kept, in the given colours.
    void PaintFill(const BrushTile& tile);
    // gapColor: the colour of the gaps of a dashed line, when they are drawn.
    void PaintStroke(COLORREF penColor, std::optional<COLORREF> gapColor);
    // The current brush as a tile in the current colours.
    BrushTile CurrentBrushTile() const;
    // Cosmetic dashed lines draw their gaps in the background colour when the
    // background mode is opaque.
    bool PenFillsGaps() const;
    // Applies the clip of the current state, after painting the queued lines
    // under the clip they were queued with.
    void ApplyClip();
    // Paints the queued lines; every other drawing, and every reading of the
    // pixels or end of a page, must come after it.
    void FlushLines() const;

private:
    void PaintFigure(DrawOp op, std::span<const Point> device);
    // Keeps a line to paint with the ones after it when that gives the same
    // pixels; false when it must be painted now.
    bool QueueAxisLine(Point start, Point end);
    void AppendThinLine(Point start, Point end) const;
    void BuildPath(DrawOp op, std::span<const Point> device, bool cosmeticEnds);
    void AppendArc(DrawOp op, std::span<const Point> device);
    void SetSourceColor(COLORREF color) const;

    cairo_t* m_cr;
    bool m_keepsText;
    uint64_t m_appliedClip = ~uint64_t(0);
    StrokeStyle m_stroke;
    // Pairs of line ends waiting for one stroke in m_queuedColor, under the
    // clip last applied.
    mutable std::vector<Point> m_queuedLines;
    COLORREF m_queuedColor = 0;
};

}  // namespace draw
