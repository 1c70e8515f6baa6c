#include "objects/WallObject.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "foundation/DCStateSaver.h"
#include "foundation/GeometryMath.h"
#include "objects/DocumentServices.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/draw/DrawContext.h"
#include "platform/draw/Pen.h"
#include "platform/gfx/VectorMath.h"

namespace {

// Hatch styles 0..5 are the DC's own; higher styles fill with bricks.
constexpr int kLastHatchStyle = 5;

// Brick courses with staggered joints, 8 by 8; the 0 bits are the mortar
// lines, drawn in the DC's text colour.
draw::MonoPattern MakeBrickPattern() {
    draw::MonoPattern pattern;
    pattern.width = 8;
    pattern.height = 8;
    pattern.stride = 1;
    pattern.bits = {0x00, 0xF7, 0xF7, 0xF7, 0x00, 0x7F, 0x7F, 0x7F};
    return pattern;
}

draw::Point RoundedPoint(const CVector2F& p, const PlanDrawOrigin& origin) {
    return {RoundToInt(p.x) - origin.x, RoundToInt(p.y) - origin.y};
}

struct PlanLine {
    draw::Point start;
    draw::Point end;
};

// In R2_COPYPEN every line paints its pixels in the same pen colour, so the
// order of the lines does not matter, a repeated line adds nothing and a line
// without length draws no pixel. A wall's top edges usually lie on its foot
// and its vertical edges are points, so this leaves a third of the strokes.
void KeepDistinctLines(std::vector<PlanLine>& lines) {
    std::erase_if(lines, [](const PlanLine& l) { return l.start == l.end; });
    const auto key = [](const PlanLine& l) {
        return std::tie(l.start.x, l.start.y, l.end.x, l.end.y);
    };
    std::sort(lines.begin(), lines.end(),
              [&](const PlanLine& a, const PlanLine& b) { return key(a) < key(b); });
    lines.erase(std::unique(lines.begin(), lines.end(),
                            [&](const PlanLine& a, const PlanLine& b) { return key(a) == key(b); }),
                lines.end());
}

}  // namespace

void CWallObject::UpdatePlanOutline() {
    const auto count = m_outline.size();
    // A wall shows its foot, its top and its vertical edges; the flat
    // surfaces only their outline.
    const bool wall = GetType() == kWallObjectType;
    const std::size_t segments = count * (wall ? 3 : 1);
    if (m_planOutline.size() != segments) {
        m_planOutline.assign(segments, CSegment2F());
    }
    const gfx::Matrix transform = GetScaleRotationMatrix();
    const float height = m_boxMax.y - m_boxMin.y;
    const auto planPoint = [&](const CVector2F& p, float y) {
        const gfx::Vector3 q = gfx::Vec3TransformNormal({p.x, y, -p.y}, transform);
        return CVector2F(m_position[0] + q.x, -(m_position[2] + q.z));
    };
    for (std::size_t i = 0; i < count; ++i) {
        const CVector2F& from = m_outline[i];
        const CVector2F& to = m_outline[(i + 1) % count];
        const CVector2F bottomStart = planPoint(from, 0.0f);
        const CVector2F bottomEnd = planPoint(to, 0.0f);
        if (!wall) {
            m_planOutline[i] = CSegment2F(bottomStart, bottomEnd);
            continue;
        }
        const CVector2F topStart = planPoint(from, height);
        m_planOutline[3 * i] = CSegment2F(bottomStart, bottomEnd);
        m_planOutline[3 * i + 1] = CSegment2F(topStart, planPoint(to, height));
        m_planOutline[3 * i + 2] = CSegment2F(bottomStart, topStart);
    }
}

void CWallObject::Draw(draw::DrawContext& dc, int rop2) const {
    if (m_planSymbolShown == 0 || m_planOutline.empty()) {
        return;
    }
    const draw::COLORREF colour =
        IsSelected() != 0 && !dc.IsPrinting() ? draw::Rgb(255, 0, 0) : m_color;
    const PlanDrawOrigin origin = GetDocumentServices().GetPlanDrawOrigin(dc);
    CDCStateSaver saver(dc);
    saver.SelectPen(draw::Pen::Create(draw::PS_SOLID, 0, colour));
    saver.SetROP2(rop2);
    std::vector<PlanLine> lines;
    lines.reserve(m_planOutline.size());
    std::vector<draw::Point> fill;
    for (const CSegment2F& segment : m_planOutline) {
        const draw::Point start = RoundedPoint(segment.start, origin);
        lines.push_back({start, RoundedPoint(segment.end, origin)});
        if (m_fillMode != 0) {
            fill.push_back(start);
        }
    }
    // Other raster operations depend on the order and the count of lines
    // (an XOR line drawn twice cancels): they get every line as it is.
    if (dc.GetROP2() == draw::R2_COPYPEN) {
        KeepDistinctLines(lines);
    }
    for (const PlanLine& line : lines) {
        dc.MoveTo(line.start.x, line.start.y);
        dc.LineTo(line.end.x, line.end.y);
    }
    if (const std::optional<draw::Brush> brush = MakeFillBrush(); brush && !fill.empty()) {
        saver.SelectBrush(*brush);
        dc.Polygon(fill);
    }
}

std::optional<draw::Brush> CWallObject::MakeFillBrush() const {
    if (m_fillMode == 1) {
        return draw::Brush::Solid(m_fillColour);
    }
    if (m_fillMode != 2) {
        return std::nullopt;
    }
    if (m_hatchStyle > kLastHatchStyle) {
        return draw::Brush::Pattern(MakeBrickPattern());
    }
    return draw::Brush::Hatched(m_hatchStyle, m_hatchColour);
}

CIntBoundingBox2D CWallObject::GetBoundingBox() const {
    if (m_planOutline.empty()) {
        return {};
    }
    const auto x = [](const CSegment2F& s) { return RoundToInt(s.start.x); };
    const auto y = [](const CSegment2F& s) { return RoundToInt(s.start.y); };
    CIntBoundingBox2D box{0, x(m_planOutline[0]), y(m_planOutline[0]), x(m_planOutline[0]),
                          y(m_planOutline[0])};
    for (const CSegment2F& segment : m_planOutline) {
        box.minX = std::min(box.minX, x(segment));
        box.minY = std::min(box.minY, y(segment));
        box.maxX = std::max(box.maxX, x(segment));
        box.maxY = std::max(box.maxY, y(segment));
    }
    return box;
}
