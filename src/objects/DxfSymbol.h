#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "foundation/Rect2D.h"
#include "foundation/Result.h"
#include "foundation/Vector2D.h"
#include "platform/draw/DrawTypes.h"

namespace draw {
class DrawContext;
}

// A plan symbol read from the small subset of ASCII DXF the symbol files
// use: the drawing extents of the HEADER and the POINT and LINE entities of
// the ENTITIES section, kept in double precision. Coordinates are the file's
// until a transform or a translation changes them; the extents always keep
// the file's values.
class CDxfSymbol {
public:
    struct Line {
        CVector2D start;
        CVector2D end;
    };

    // Empties the entities and reads the file; the extents stay as they were
    // unless the file's header sets them. E_FAIL when the file cannot be
    // opened; otherwise S_OK with whatever the parse read before it stopped.
    HRESULT LoadFile(const std::string& path);
    // The same from DXF text in memory (a packaged model's symbol).
    HRESULT LoadFromMemory(std::span<const uint8_t> bytes);

    void Assign(const CDxfSymbol& other) { *this = other; }
    // Empties the entities.
    void Clear();

    double GetWidth() const;
    double GetHeight() const;
    CVector2D GetCenter() const;
    const CVector2D& GetExtentsMin() const { return m_extentsMin; }
    const CVector2D& GetExtentsMax() const { return m_extentsMax; }
    const std::vector<CVector2D>& GetPoints() const { return m_points; }
    const std::vector<Line>& GetLines() const { return m_lines; }

    // Every point p becomes M (p - c) + position, c the extents centre and M
    // the scale-then-rotate matrix (angle in degrees).
    void Transform(const CVector2D& scale, double angle, const CVector2D& position);
    void Translate(const CVector2D& d);
    // Axis 1 mirrors x, axis 2 mirrors y about the extents centre; other
    // values change nothing.
    void Mirror(int axis);

    // Points as pixels and lines with a solid thin pen in the colour, each
    // point minus the origin; the DC's mix mode is used as it is.
    int Draw(draw::DrawContext& dc, draw::COLORREF color, int originX, int originY) const;
    // r normalised.
    int HitTestRect(const CRect2D& r) const;
    int HitTestPoint(const CVector2D& p, int tolerance) const;

private:
    friend class CDxfSymbolReader;

    CVector2D m_extentsMin;
    CVector2D m_extentsMax;
    std::vector<CVector2D> m_points;
    std::vector<Line> m_lines;
};
