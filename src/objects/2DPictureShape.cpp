#include "objects/2DPictureShape.h"

#include <cmath>
#include <filesystem>

#include "foundation/ApplicationValues.h"
#include "foundation/GeometryMath.h"
#include "objects/DocumentServices.h"
#include "platform/draw/DrawContext.h"
#include "platform/fs/PathLookup.h"
#include "platform/fs/StoredPath.h"

C2DPictureShape::C2DPictureShape(Kind kind, int type) : m_kind(kind) {
    m_type = type;
}

C2DPictureShape::C2DPictureShape(const C2DPictureShape& other)
    : C2DShape(other),
      m_kind(other.m_kind),
      m_width(other.m_width),
      m_height(other.m_height),
      m_angle(other.m_angle),
      m_position(other.m_position),
      m_placedSymbol(other.m_placedSymbol),
      m_sourcePath(other.m_sourcePath),
      m_sourceSymbol(other.m_sourceSymbol) {}

std::unique_ptr<ShapeGeometryRecord> C2DPictureShape::CopyGeometry() const {
    auto record = std::make_unique<ShapeGeometryRecord>();
    record->values[0] = RoundToInt(m_position.x);
    record->values[1] = RoundToInt(-m_position.y);
    return record;
}

void C2DPictureShape::RestoreGeometry(const ShapeGeometryRecord& record) {
    SetPosition(record.values[0], record.values[1]);
}

void C2DPictureShape::MoveBy(float dx, float dy) {
    if (dx == 0.0f && dy == 0.0f) {
        return;
    }
    const CVector2D d(dx, dy);
    m_placedSymbol.Translate(d);
    m_position += d;
}

void C2DPictureShape::MoveFromSavedPosition(float dx, float dy) {
    if (dx == 0.0f && dy == 0.0f) {
        return;
    }
    SetPosition(m_savedPosition[0] + RoundToInt(dx), m_savedPosition[1] + RoundToInt(-dy));
}

void C2DPictureShape::SavePosition() {
    m_savedPosition[0] = RoundToInt(m_position.x);
    m_savedPosition[1] = RoundToInt(-m_position.y);
}

CIntBoundingBox2D C2DPictureShape::GetBoundingBox() const {
    const POINT p = m_position.ToPoint();
    return CIntBoundingBox2D{0, p.x, p.y, p.x, p.y};
}

int C2DPictureShape::HitTestRect(const CRect2D& planRect) const {
    const CRect2D r(planRect.left, -planRect.top, planRect.right, -planRect.bottom);
    return m_placedSymbol.HitTestRect(r.GetNormalized());
}

int C2DPictureShape::HitTestPoint(POINT point, int tolerance) const {
    return m_placedSymbol.HitTestPoint(CVector2D(point), tolerance);
}

void C2DPictureShape::Draw(draw::DrawContext& dc, int /*rop2*/) const {
    const PlanDrawOrigin origin = GetDocumentServices().GetPlanDrawOrigin(dc);
    m_placedSymbol.Draw(dc, GetDrawColor(dc), origin.x, origin.y);
}

HRESULT C2DPictureShape::LoadSymbolFile(const std::string& path) {
    const HRESULT result = m_sourceSymbol.LoadFile(path);
    m_placedSymbol.Assign(m_sourceSymbol);
    m_sourcePath = path;
    return result;
}

HRESULT C2DPictureShape::LoadSymbolFromMemory(std::span<const uint8_t> bytes) {
    const HRESULT result = m_sourceSymbol.LoadFromMemory(bytes);
    m_placedSymbol.Assign(m_sourceSymbol);
    return result;
}

HRESULT C2DPictureShape::LoadSymbolFileAndRender(const std::string& path) {
    const HRESULT result = LoadSymbolFile(path);
    RenderSymbol();
    return result;
}

void C2DPictureShape::RenderSymbol() {
    // A symbol without extents on an axis (no header, or a flat drawing)
    // cannot be fitted along it and keeps its own size there.
    const double w = m_sourceSymbol.GetWidth();
    const double h = m_sourceSymbol.GetHeight();
    const double sx = std::isfinite(w) && w > 0.0 ? m_width / w : 1.0;
    const double sy = std::isfinite(h) && h > 0.0 ? m_height / h : 1.0;
    m_placedSymbol.Assign(m_sourceSymbol);
    m_placedSymbol.Transform({sx, -sy}, -RadiansToDegrees(m_angle), m_position);
}

void C2DPictureShape::SetSize(int32_t width, int32_t height) {
    if (width == m_width && height == m_height) {
        return;
    }
    m_width = width;
    m_height = height;
    RenderSymbol();
}

void C2DPictureShape::SetAngle(double angle) {
    if (angle == m_angle) {
        return;
    }
    m_angle = angle;
    RenderSymbol();
}

void C2DPictureShape::SetPosition(double x, double y) {
    const CVector2D position(x, -y);
    if (position == m_position) {
        return;
    }
    m_placedSymbol.Translate(position - m_position);
    m_position = position;
}

void C2DPictureShape::MirrorSymbol(int axis) {
    m_sourceSymbol.Mirror(axis);
    RenderSymbol();
}

std::optional<std::string> C2DPictureShape::FindStoredFile(std::string_view storedPath) {
    const pfs::MappedPath mapped = pfs::FromStoredPath(storedPath);
    std::string candidate;
    switch (mapped.kind) {
        case pfs::StoredPathKind::Local:
            candidate = mapped.path;
            break;
        case pfs::StoredPathKind::Relative:
            candidate = GetProgramFilePath(mapped.path);
            break;
        case pfs::StoredPathKind::Foreign:
            return std::nullopt;
    }
    std::error_code ec;
    const std::optional<std::filesystem::path> found = pfs::ResolvePathCaseInsensitive(candidate);
    if (!found || !std::filesystem::is_regular_file(*found, ec)) {
        return std::nullopt;
    }
    return found->string();
}
