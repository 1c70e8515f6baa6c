#include "platform/draw/DrawContext.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "platform/draw/FontCache.h"

namespace draw {

namespace {

Rect Normalized(Point a, Point b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

int32_t RoundToInt32(double v) {
    return int32_t(std::lround(v));
}

// The mode setters keep the old value when given one they do not know, and
// return the value they replaced either way.
int32_t ReplaceIfValid(int32_t& field, int32_t value, bool valid) {
    const int32_t previous = field;
    if (valid) {
        field = value;
    }
    return previous;
}

}  // namespace

Pen DrawContext::SelectPen(const Pen& pen) {
    return std::exchange(m_state.pen, pen);
}

Brush DrawContext::SelectBrush(const Brush& brush) {
    return std::exchange(m_state.brush, brush);
}

Font DrawContext::SelectFont(const Font& font) {
    return std::exchange(m_state.font, font);
}

int32_t DrawContext::SetROP2(int32_t rop2) {
    return ReplaceIfValid(m_state.rop2, rop2, rop2 >= R2_BLACK && rop2 <= R2_WHITE);
}

int32_t DrawContext::SetBkMode(int32_t mode) {
    return ReplaceIfValid(m_state.bkMode, mode, mode == TRANSPARENT || mode == OPAQUE);
}

COLORREF DrawContext::SetBkColor(COLORREF color) {
    return std::exchange(m_state.bkColor, color & 0xFFFFFF);
}

COLORREF DrawContext::SetTextColor(COLORREF color) {
    return std::exchange(m_state.textColor, color & 0xFFFFFF);
}

uint32_t DrawContext::SetTextAlign(uint32_t align) {
    return std::exchange(m_state.textAlign, align);
}

int32_t DrawContext::SetArcDirection(int32_t direction) {
    return ReplaceIfValid(m_state.arcDirection, direction,
                          direction == AD_COUNTERCLOCKWISE || direction == AD_CLOCKWISE);
}

int32_t DrawContext::SetStretchBltMode(int32_t mode) {
    return ReplaceIfValid(m_state.stretchBltMode, mode, mode >= BLACKONWHITE && mode <= HALFTONE);
}

void DrawContext::LPtoDP(std::span<Point> points) const {
    for (Point& p : points) {
        p = m_state.mapping.LPtoDP(p);
    }
}

void DrawContext::DPtoLP(std::span<Point> points) const {
    for (Point& p : points) {
        p = m_state.mapping.DPtoLP(p);
    }
}

int32_t DrawContext::SaveDC() {
    m_saved.push_back(m_state);
    return int32_t(m_saved.size());
}

bool DrawContext::RestoreDC(int32_t level) {
    const auto depth = int32_t(m_saved.size());
    const int32_t target = level < 0 ? depth + 1 + level : level;
    if (level == 0 || target < 1 || target > depth) {
        return false;
    }
    // Most restores give back the clip they found; the back end then keeps
    // the clip it applied.
    if (m_saved[size_t(target - 1)].clip != m_state.clip) {
        ++m_clipSerial;
    }
    m_state = std::move(m_saved[size_t(target - 1)]);
    m_saved.resize(size_t(target - 1));
    return true;
}

int32_t DrawContext::IntersectClipRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    const Rect wanted = DeviceRect({left, top, right, bottom});
    const Size device = DeviceSize();
    const Rect current = m_state.clip.value_or(Rect{0, 0, device.cx, device.cy});
    Rect clip = wanted.Intersect(current);
    if (clip.IsEmpty()) {
        clip = {};
    }
    m_state.clip = clip;
    ++m_clipSerial;
    return clip.IsEmpty() ? NULLREGION : SIMPLEREGION;
}

void DrawContext::RemoveClip() {
    m_state.clip.reset();
    ++m_clipSerial;
}

Rect DrawContext::GetClipBox() const {
    const Size device = DeviceSize();
    const Rect clip = m_state.clip.value_or(Rect{0, 0, device.cx, device.cy});
    return Normalized(DPtoLP({clip.left, clip.top}), DPtoLP({clip.right, clip.bottom}));
}

Point DrawContext::MoveTo(int32_t x, int32_t y) {
    return std::exchange(m_state.currentPosition, Point{x, y});
}

void DrawContext::LineTo(int32_t x, int32_t y) {
    const Point line[] = {m_state.currentPosition, {x, y}};
    m_state.currentPosition = {x, y};
    Figure(DrawOp::Line, line);
}

void DrawContext::Polyline(std::span<const Point> points) {
    if (points.size() >= 2) {
        Figure(DrawOp::Polyline, points);
    }
}

void DrawContext::Polygon(std::span<const Point> points) {
    if (points.size() >= 2) {
        Figure(DrawOp::Polygon, points);
    }
}

void DrawContext::PolyBezier(std::span<const Point> points) {
    if (points.size() >= 4 && (points.size() - 1) % 3 == 0) {
        Figure(DrawOp::PolyBezier, points);
    }
}

void DrawContext::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    BoxFigure(DrawOp::Rectangle, left, top, right, bottom, nullptr);
}

void DrawContext::Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    BoxFigure(DrawOp::Ellipse, left, top, right, bottom, nullptr);
}

void DrawContext::Arc(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t x1,
                      int32_t y1, int32_t x2, int32_t y2) {
    const Point radials[] = {{x1, y1}, {x2, y2}};
    BoxFigure(DrawOp::Arc, left, top, right, bottom, radials);
}

void DrawContext::Pie(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t x1,
                      int32_t y1, int32_t x2, int32_t y2) {
    const Point radials[] = {{x1, y1}, {x2, y2}};
    BoxFigure(DrawOp::Pie, left, top, right, bottom, radials);
}

void DrawContext::Chord(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t x1,
                        int32_t y1, int32_t x2, int32_t y2) {
    const Point radials[] = {{x1, y1}, {x2, y2}};
    BoxFigure(DrawOp::Chord, left, top, right, bottom, radials);
}

void DrawContext::FillRect(const Rect& rect, const Brush& brush) {
    RenderFillRect(rect, DeviceRect(rect), brush);
}

void DrawContext::InvertRect(const Rect& rect) {
    RenderInvertRect(rect, DeviceRect(rect));
}

void DrawContext::SetPixel(int32_t x, int32_t y, COLORREF color) {
    RenderPixel({x, y}, LPtoDP({x, y}), color & 0xFFFFFF);
}

void DrawContext::TextOut(int32_t x, int32_t y, std::string_view text) {
    if (!text.empty()) {
        RenderText({x, y}, LPtoDP({x, y}), text);
    }
}

Size DrawContext::GetTextExtent(std::string_view text) const {
    const Mapping& mapping = m_state.mapping;
    const TextLayout layout =
        FontCache::Instance().Layout(m_state.font, mapping.ScaleY(), text, false);
    return {RoundToInt32(layout.width / std::fabs(mapping.ScaleX())),
            RoundToInt32((layout.ascent + layout.descent) / std::fabs(mapping.ScaleY()))};
}

TextMetrics DrawContext::GetTextMetrics() const {
    const double sy = std::fabs(m_state.mapping.ScaleY());
    const TextLayout layout = FontCache::Instance().Layout(m_state.font, sy, {}, false);
    TextMetrics metrics;
    metrics.height = RoundToInt32((layout.ascent + layout.descent) / sy);
    metrics.ascent = RoundToInt32(layout.ascent / sy);
    metrics.descent = metrics.height - metrics.ascent;
    metrics.externalLeading = RoundToInt32(layout.externalLeading / sy);
    return metrics;
}

int32_t DrawContext::StretchDIBits(int32_t xDest, int32_t yDest, int32_t widthDest,
                                   int32_t heightDest, int32_t xSrc, int32_t ySrc, int32_t widthSrc,
                                   int32_t heightSrc, const DibPixels& pixels) {
    if (!pixels.IsValid() || widthSrc <= 0 || heightSrc <= 0 || widthDest == 0 || heightDest == 0) {
        return 0;
    }
    // A source reaching outside the block is refused; no caller draws one.
    if (xSrc < 0 || ySrc < 0 || int64_t(xSrc) + widthSrc > pixels.width ||
        int64_t(ySrc) + heightSrc > pixels.Rows()) {
        return 0;
    }
    const int64_t right = int64_t(xDest) + widthDest;
    const int64_t bottom = int64_t(yDest) + heightDest;
    if (right < INT32_MIN || right > INT32_MAX || bottom < INT32_MIN || bottom > INT32_MAX) {
        return 0;
    }
    const Rect logical{xDest, yDest, int32_t(right), int32_t(bottom)};
    const Point a = LPtoDP({logical.left, logical.top});
    const Point b = LPtoDP({logical.right, logical.bottom});
    if (a.x == b.x || a.y == b.y) {
        return 0;
    }
    RenderImage(logical, {a.x, a.y, b.x, b.y}, pixels,
                {xSrc, ySrc, xSrc + widthSrc, ySrc + heightSrc});
    return heightSrc;
}

int32_t DrawContext::GetDeviceCaps(int32_t index) const {
    switch (index) {
        case HORZRES:
            return DeviceSize().cx;
        case VERTRES:
            return DeviceSize().cy;
        case LOGPIXELSX:
        case LOGPIXELSY:
            return DeviceDpi();
        default:
            return 0;
    }
}

void DrawContext::Figure(DrawOp op, std::span<const Point> logical) {
    m_device.assign(logical.begin(), logical.end());
    LPtoDP(m_device);
    RenderFigure(op, logical, m_device);
}

void DrawContext::BoxFigure(DrawOp op, int32_t left, int32_t top, int32_t right, int32_t bottom,
                            const Point* radials) {
    Point points[4] = {{left, top}, {right, bottom}};
    size_t count = 2;
    if (radials) {
        points[2] = radials[0];
        points[3] = radials[1];
        count = 4;
    }
    Figure(op, std::span<const Point>(points, count));
}

Rect DrawContext::DeviceRect(const Rect& logical) const {
    return Normalized(LPtoDP({logical.left, logical.top}), LPtoDP({logical.right, logical.bottom}));
}

}  // namespace draw
