#include "objects/DesignObject.h"

#include "platform/draw/DrawContext.h"

CDesignObject::CDesignObject(const CDesignObject& other)
    : m_type(other.m_type), m_color(other.m_color) {}

CDesignObject* CDesignObject::GetTopParent() const {
    CDesignObject* top = m_parent;
    while (top != nullptr && top->GetParent() != nullptr) {
        top = top->GetParent();
    }
    return top;
}

void CDesignObject::GetOutlineSegments(std::vector<CSegment2F>& segments, int precision) const {
    std::vector<CVector2D> outline;
    AppendOutlinePoints(outline, precision);
    if (outline.size() < 2) {
        return;
    }
    std::vector<CVector2F> points;
    points.reserve(outline.size());
    for (const CVector2D& p : outline) {
        points.push_back(p.Scale(1.0, -1.0).ToVector2F());
    }
    for (std::size_t i = 1; i < points.size(); ++i) {
        segments.emplace_back(points[i - 1], points[i]);
    }
    if (IsClosed()) {
        segments.emplace_back(points.back(), points.front());
    }
}

int CDesignObject::InvertBoundingBox(draw::DrawContext& dc) const {
    const CIntBoundingBox2D box = GetBoundingBox();
    if (box.empty != 0) {
        return box.empty;
    }
    dc.InvertRect(draw::Rect{box.minX, box.minY, box.maxX, box.maxY});
    return 1;
}
