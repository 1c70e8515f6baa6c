#include "objects/DxfSymbol.h"

#include <cmath>
#include <cstdio>
#include <memory>

#include "foundation/DCStateSaver.h"
#include "foundation/DrawingToolkit.h"
#include "foundation/HitTests.h"
#include "foundation/Matrix2D.h"
#include "objects/DxfSymbolReader.h"
#include "platform/draw/DrawContext.h"
#include "platform/fs/RegularFile.h"
#include "platform/fs/UniqueFile.h"

HRESULT CDxfSymbol::LoadFile(const std::string& path) {
    Clear();
    pfs::Result<pfs::RegularFile> opened = pfs::OpenRegularFile(path, pfs::kSymbolFileLimit);
    if (!opened) {
        return E_FAIL;
    }
    pfs::UniqueFile file(opened.Value().ReleaseToStream());
    if (!file) {
        return E_FAIL;
    }
    CDxfSymbolReader(file.get(), *this).ParseFile();
    return S_OK;
}

HRESULT CDxfSymbol::LoadFromMemory(std::span<const uint8_t> bytes) {
    Clear();
    if (bytes.empty()) {
        return S_OK;
    }
    // A read-only stream over the caller's bytes: the same reader as for a
    // file, and no file on disk.
    pfs::UniqueFile file(fmemopen(const_cast<uint8_t*>(bytes.data()), bytes.size(), "rb"));
    if (!file) {
        return E_FAIL;
    }
    CDxfSymbolReader(file.get(), *this).ParseFile();
    return S_OK;
}

void CDxfSymbol::Clear() {
    m_points.clear();
    m_lines.clear();
}

double CDxfSymbol::GetWidth() const {
    return std::fabs(m_extentsMax.x - m_extentsMin.x);
}

double CDxfSymbol::GetHeight() const {
    return std::fabs(m_extentsMax.y - m_extentsMin.y);
}

CVector2D CDxfSymbol::GetCenter() const {
    return CRect2D(m_extentsMin, m_extentsMax).GetCenter();
}

void CDxfSymbol::Transform(const CVector2D& scale, double angle, const CVector2D& position) {
    const CVector2D c = GetCenter();
    const CMatrix2D m(scale.x, scale.y, angle);
    auto place = [&](CVector2D& p) { p = (p - c).Transform(m) + position; };
    for (CVector2D& p : m_points) {
        place(p);
    }
    for (Line& line : m_lines) {
        place(line.start);
        place(line.end);
    }
}

void CDxfSymbol::Translate(const CVector2D& d) {
    for (CVector2D& p : m_points) {
        p += d;
    }
    for (Line& line : m_lines) {
        line.start += d;
        line.end += d;
    }
}

void CDxfSymbol::Mirror(int axis) {
    if (axis != 1 && axis != 2) {
        return;
    }
    const CVector2D c = GetCenter();
    auto mirror = [&](CVector2D& p) {
        if (axis == 1) {
            p.x = 2.0 * c.x - p.x;
        } else {
            p.y = 2.0 * c.y - p.y;
        }
    };
    for (CVector2D& p : m_points) {
        mirror(p);
    }
    for (Line& line : m_lines) {
        mirror(line.start);
        mirror(line.end);
    }
}

int CDxfSymbol::Draw(draw::DrawContext& dc, draw::COLORREF color, int originX, int originY) const {
    CDCStateSaver saver(dc);
    saver.SelectPen(draw::Pen::Create(draw::PS_SOLID, 0, color));
    const CVector2D origin(originX, originY);
    for (const CVector2D& p : m_points) {
        const POINT q = p.ToPoint();
        dc.SetPixel(q.x - originX, q.y - originY, color);
    }
    for (const Line& line : m_lines) {
        DrawLine(dc, line.start - origin, line.end - origin);
    }
    return 0;
}

int CDxfSymbol::HitTestRect(const CRect2D& r) const {
    for (const CVector2D& p : m_points) {
        const POINT q = p.ToPoint();
        if (r.Contains(q.x, q.y)) {
            return 1;
        }
    }
    for (const Line& line : m_lines) {
        if (SegmentIntersectsRect(r, line.start, line.end)) {
            return 1;
        }
    }
    return 0;
}

int CDxfSymbol::HitTestPoint(const CVector2D& p, int tolerance) const {
    for (const CVector2D& q : m_points) {
        if (CRect2D(q, q).GetInflated(3.0).Contains(p.x, p.y)) {
            return 1;
        }
    }
    const POINT rounded = p.ToPoint();
    for (const Line& line : m_lines) {
        if (HitTestSegment(rounded, line.start, line.end, tolerance)) {
            return 1;
        }
    }
    return 0;
}
