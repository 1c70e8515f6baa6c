#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/draw/Brush.h"
#include "platform/draw/DibPixels.h"
#include "platform/draw/DrawState.h"
#include "platform/draw/DrawTypes.h"
#include "platform/draw/Font.h"
#include "platform/draw/Pen.h"

namespace draw {

enum class DrawOp {
    Line,  // LineTo from the current position
    Polyline,
    Polygon,
    Rectangle,
    Ellipse,
    Arc,
    Pie,
    Chord,
    PolyBezier,
    FillRect,
    InvertRect,
    SetPixel,
    TextOut,
    StretchDIBits,
};

// The plan's drawing context, shaped like the Windows device context the
// drawing code was written for: selected pen, brush and font, colours and
// modes, a window-to-viewport mapping, a saved-state stack, a clip rectangle
// and drawing calls in logical coordinates. This class keeps that state and
// resolves the mapping; the back ends (image, PDF, recording) only render.
//
// Pixel conventions follow the Windows ones: a line leaves out its last
// pixel, a rectangle or ellipse covers its left and top edges but not its
// right and bottom ones, and text ignores the raster operation.
class DrawContext {
public:
    virtual ~DrawContext() = default;
    DrawContext(const DrawContext&) = delete;
    DrawContext& operator=(const DrawContext&) = delete;

    // Selected objects; each Select returns the one it replaced.
    Pen SelectPen(const Pen& pen);
    Brush SelectBrush(const Brush& brush);
    Font SelectFont(const Font& font);
    const Pen& GetCurrentPen() const { return m_state.pen; }
    const Brush& GetCurrentBrush() const { return m_state.brush; }
    const Font& GetCurrentFont() const { return m_state.font; }

    // Colours and modes; each setter returns the previous value.
    int32_t SetROP2(int32_t rop2);
    int32_t GetROP2() const { return m_state.rop2; }
    int32_t SetBkMode(int32_t mode);
    int32_t GetBkMode() const { return m_state.bkMode; }
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return m_state.bkColor; }
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_state.textColor; }
    uint32_t SetTextAlign(uint32_t align);
    uint32_t GetTextAlign() const { return m_state.textAlign; }
    int32_t SetArcDirection(int32_t direction);
    int32_t GetArcDirection() const { return m_state.arcDirection; }
    int32_t SetStretchBltMode(int32_t mode);
    int32_t GetStretchBltMode() const { return m_state.stretchBltMode; }

    // Mapping.
    int32_t SetMapMode(int32_t mode) { return m_state.mapping.SetMapMode(mode); }
    int32_t GetMapMode() const { return m_state.mapping.MapMode(); }
    Size SetWindowExt(int32_t cx, int32_t cy) { return m_state.mapping.SetWindowExt(cx, cy); }
    Size GetWindowExt() const { return m_state.mapping.WindowExt(); }
    Size SetViewportExt(int32_t cx, int32_t cy) { return m_state.mapping.SetViewportExt(cx, cy); }
    Size GetViewportExt() const { return m_state.mapping.ViewportExt(); }
    Point SetWindowOrg(int32_t x, int32_t y) { return m_state.mapping.SetWindowOrg(x, y); }
    Point GetWindowOrg() const { return m_state.mapping.WindowOrg(); }
    Point SetViewportOrg(int32_t x, int32_t y) { return m_state.mapping.SetViewportOrg(x, y); }
    Point GetViewportOrg() const { return m_state.mapping.ViewportOrg(); }
    Point LPtoDP(Point logical) const { return m_state.mapping.LPtoDP(logical); }
    Point DPtoLP(Point device) const { return m_state.mapping.DPtoLP(device); }
    void LPtoDP(std::span<Point> points) const;
    void DPtoLP(std::span<Point> points) const;

    // Saved states: SaveDC returns the new depth (1 for the first save);
    // RestoreDC takes a depth, or a negative count back from the newest.
    int32_t SaveDC();
    bool RestoreDC(int32_t level);
    const DrawState& GetState() const { return m_state; }

    // Clipping to a rectangle, in logical coordinates when given.
    int32_t IntersectClipRect(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void RemoveClip();
    Rect GetClipBox() const;

    // Lines and figures. Figures are outlined with the pen and filled with
    // the brush; Polyline, Arc and PolyBezier are not filled.
    Point MoveTo(int32_t x, int32_t y);
    Point GetCurrentPosition() const { return m_state.currentPosition; }
    void LineTo(int32_t x, int32_t y);
    void Polyline(std::span<const Point> points);
    void Polygon(std::span<const Point> points);
    // 3 n + 1 points: a start point, then two control points and an end
    // point per curve. Other counts draw nothing.
    void PolyBezier(std::span<const Point> points);
    void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom);
    // The ellipse inside the box, from where the radial line from its centre
    // through (x1, y1) meets it to where the radial through (x2, y2) meets
    // it, in the arc direction (counter-clockwise as seen on the device by
    // default). Equal radials give the whole ellipse.
    void Arc(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t x1, int32_t y1,
             int32_t x2, int32_t y2);
    // FillRect and SetPixel ignore the raster operation, as their Windows
    // namesakes do; InvertRect always inverts.
    void Pie(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t x1, int32_t y1,
             int32_t x2, int32_t y2);
    void Chord(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t x1, int32_t y1,
               int32_t x2, int32_t y2);
    void FillRect(const Rect& rect, const Brush& brush);
    void InvertRect(const Rect& rect);
    void SetPixel(int32_t x, int32_t y, COLORREF color);

    // Text in UTF-8 at the reference point the text alignment names, in the
    // text colour, on an opaque background cell when the background mode
    // is OPAQUE.
    void TextOut(int32_t x, int32_t y, std::string_view text);
    Size GetTextExtent(std::string_view text) const;
    TextMetrics GetTextMetrics() const;

    // Draws the source rectangle of the pixel block stretched into the
    // destination rectangle. The source y counts from the bottom row of a
    // bottom-up block and from the top row of a top-down one. Returns the
    // number of source rows drawn, 0 when nothing could be.
    int32_t StretchDIBits(int32_t xDest, int32_t yDest, int32_t widthDest, int32_t heightDest,
                          int32_t xSrc, int32_t ySrc, int32_t widthSrc, int32_t heightSrc,
                          const DibPixels& pixels);

    // HORZRES, VERTRES (device pixels), LOGPIXELSX, LOGPIXELSY; 0 otherwise.
    int32_t GetDeviceCaps(int32_t index) const;
    virtual bool IsPrinting() const = 0;

protected:
    DrawContext() = default;

    virtual Size DeviceSize() const = 0;
    virtual int32_t DeviceDpi() const = 0;

    // Line .. PolyBezier. Box figures pass the two corners of the box and,
    // for Arc, Pie and Chord, then the two radial points.
    virtual void RenderFigure(DrawOp op, std::span<const Point> logical,
                              std::span<const Point> device) = 0;
    // Device rectangles are normalised.
    virtual void RenderFillRect(const Rect& logical, const Rect& device, const Brush& brush) = 0;
    virtual void RenderInvertRect(const Rect& logical, const Rect& device) = 0;
    virtual void RenderPixel(Point logical, Point device, COLORREF color) = 0;
    virtual void RenderText(Point logical, Point device, std::string_view text) = 0;
    // The source rectangle is already clipped to the block, in its own y
    // convention; the device rectangle keeps the sign of a mirrored target.
    virtual void RenderImage(const Rect& logical, const Rect& device, const DibPixels& pixels,
                             const Rect& source) = 0;

    // Changes whenever the clip does, so a back end can apply it lazily.
    uint64_t ClipSerial() const { return m_clipSerial; }

private:
    void Figure(DrawOp op, std::span<const Point> logical);
    void BoxFigure(DrawOp op, int32_t left, int32_t top, int32_t right, int32_t bottom,
                   const Point* radials);
    Rect DeviceRect(const Rect& logical) const;

    DrawState m_state;
    std::vector<DrawState> m_saved;
    std::vector<Point> m_device;  // reused for every figure
    uint64_t m_clipSerial = 0;
};

}  // namespace draw
