#include "plan2d/OutlineCapture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/GeometryMath.h"
#include "foundation/Prompt.h"
#include "objects/CeilingObject.h"
#include "objects/FloorObject.h"
#include "objects/WallObject.h"
#include "plan2d/GridSnap.h"
#include "plan2d/PlanEditModes.h"

namespace {

// Shape kind of a wall drawn with a thickness (CHousDoc::GetDrawShapeKind).
constexpr int kThickWallKind = 52;
constexpr int kWallSurface = 1;
constexpr int kCeilingSurface = 2;
constexpr int kFloorSurface = 3;
// Tail points closer to straight than this sine are merged.
constexpr double kStraightSine = 0.02;

POINT ToPlanPoint(const CVector2D& stored) {
    return POINT{RoundToInt(stored.x), RoundToInt(-stored.y)};
}

int SurfaceKindOfMode(int mode) {
    switch (mode) {
        case EditMode::kCeilingDrawing:
            return kCeilingSurface;
        case EditMode::kWallDrawing:
            return kWallSurface;
        case EditMode::kFloorDrawing:
            return kFloorSurface;
        default:
            return 0;
    }
}

// The unsigned angle between two directions, in degrees.
double AngleBetweenDegrees(const CVector2D& a, const CVector2D& b) {
    return std::fabs(a.GetAngleToDegrees(b));
}

}  // namespace

const OutlinePoints& COutlineCapture::Outline() const {
    return m_state.Outline() ? *m_state.Outline() : m_none;
}

const OutlinePoints& COutlineCapture::Companion() const {
    return m_state.CompanionOutline() ? *m_state.CompanionOutline() : m_none;
}

OutlinePoints& COutlineCapture::EditOutline() {
    if (!m_state.Outline()) {
        m_state.Outline() = std::make_unique<OutlinePoints>();
    }
    return *m_state.Outline();
}

OutlinePoints& COutlineCapture::EditCompanion() {
    if (!m_state.CompanionOutline()) {
        m_state.CompanionOutline() = std::make_unique<OutlinePoints>();
    }
    return *m_state.CompanionOutline();
}

void COutlineCapture::StartOutline(const CVector2D& point) {
    EditOutline().assign(1, point);
    EditCompanion().clear();
    m_doc.SetEditMode(m_doc.GetEditMode() + 1);
}

bool COutlineCapture::IsThickWall() const {
    return m_doc.GetDrawShapeKind(false) == kThickWallKind;
}

bool COutlineCapture::IsNearPoint(const CVector2D& a, const CVector2D& b) const {
    return m_doc.IsWithinPickTolerance(a.ToPoint(), b.ToPoint(), m_doc.GetPickTolerance());
}

bool COutlineCapture::ApplyFixedAngle(CVector2D& cursor) {
    const OutlinePoints& outline = Outline();
    if (m_doc.GetFixedWallAngle() == 0) {
        return true;
    }
    const int step = m_doc.GetFixedAngleStep();
    if (step <= 0) {
        return false;
    }
    if (outline.empty()) {
        return true;
    }
    const CVector2D last = outline.back();
    // Plan axes, y down.
    double dx = cursor.x - last.x;
    double dy = last.y - cursor.y;
    if (step % 90 == 0) {
        const bool horizontal = std::fabs(dx) >= std::fabs(dy);
        CVector2D projected = horizontal ? CVector2D(dx, 0.0) : CVector2D(0.0, dy);
        if (outline.size() >= 2) {
            const CVector2D before = outline[outline.size() - 2];
            const CVector2D previous(last.x - before.x, before.y - last.y);
            // Straight back along the previous side: take the other axis.
            if (AngleBetweenDegrees(previous, projected) >= 179.0) {
                projected = horizontal ? CVector2D(0.0, dy) : CVector2D(dx, 0.0);
            }
        }
        dx = projected.x;
        dy = projected.y;
    }
    double angle = std::atan2(dy, dx) * kDegreesPerRadian;
    if (angle < 0.0) {
        angle += 360.0;
    }
    angle = TruncateToInt(angle / step + 0.5) * static_cast<double>(step);
    const double length = RoundToGrid(std::hypot(dx, dy), m_doc.GetDrawUnit());
    const CVector2D point(last.x + length * CosDegrees(angle), last.y - length * SinDegrees(angle));
    if (!m_host.IsPlacePoint(point)) {
        m_host.ShowStatusText(kOutsideAreaText);
        return false;
    }
    cursor = point;
    return true;
}

bool COutlineCapture::CheckNewPoint(CVector2D& cursor) {
    const OutlinePoints& outline = Outline();
    if (!ApplyFixedAngle(cursor) || outline.empty()) {
        return false;
    }
    const CVector2D last = outline.back();
    if (IsNearPoint(last, cursor)) {
        m_repeatedPoint = true;
        m_host.ShowStatusText(kRepeatedPointText);
        return false;
    }
    m_repeatedPoint = false;
    if (outline.size() > 1 && (cursor.x == outline.front().x || cursor.y == outline.front().y)) {
        m_host.SetToolCursor(kAlignedCursor);
    }
    m_host.ShowStatusText(FormatSegmentStatus(ToPlanPoint(last), ToPlanPoint(cursor),
                                              RoundToInt((cursor - last).GetLength())));
    return true;
}

bool COutlineCapture::AddOutlinePoint(CVector2D point) {
    const OutlinePoints& outline = Outline();
    if (outline.empty()) {
        return false;
    }
    const CVector2D last = outline.back();
    bool closing = false;
    if (!IsThickWall()) {
        if (point == last) {
            return false;
        }
        const std::size_t n = outline.size();
        for (std::size_t i = 1; i + 3 <= n; ++i) {
            if (ClassifySegmentIntersection(last, point, outline[i], outline[i + 1]) != 0) {
                return false;
            }
        }
        if (SpansArea(outline) && IsNearPoint(point, outline.front())) {
            FinishOutline();
            return true;
        }
        if (n > 2 && ClassifySegmentIntersection(last, point, outline[0], outline[1]) != 0) {
            return false;
        }
    } else {
        if (outline.size() >= 3 && !Companion().empty() &&
            IsNearPoint(point, Companion().front())) {
            point = Companion().front();
            closing = true;
        }
        if (!ExtendThickWallLine(point)) {
            return false;
        }
    }
    EditOutline().push_back(point);
    MergeCollinearTail();
    if (closing) {
        CloseOutline(true);
    }
    return true;
}

void COutlineCapture::MergeCollinearTail() {
    OutlinePoints& outline = EditOutline();
    const std::size_t n = outline.size();
    if (n < 3) {
        return;
    }
    const CVector2D a = outline[n - 3];
    const CVector2D b = outline[n - 2];
    const CVector2D c = outline[n - 1];
    const double lengths = (b - a).GetLength() * (c - b).GetLength();
    // A side of no length has no direction: its point goes as well.
    const double sine = lengths == 0.0 ? 0.0 : (b - a).Cross(c - b) / lengths;
    if (std::fabs(sine) > kStraightSine) {
        return;
    }
    outline.erase(outline.end() - 2);
    if (m_doc.GetWallThickness() != 0.0 && EditCompanion().size() >= 2) {
        EditCompanion().erase(EditCompanion().end() - 2);
    }
    if (n == 3 && a.ToPoint().x == c.ToPoint().x && a.ToPoint().y == c.ToPoint().y) {
        outline.erase(outline.begin() + 1);
        EditCompanion().clear();
    }
    m_host.RedrawPlan();
}

bool COutlineCapture::ExtendThickWallLine(const CVector2D& point) {
    const OutlinePoints& outline = Outline();
    const CVector2D last = outline.back();
    if (outline.size() >= 2) {
        const CVector2D before = outline[outline.size() - 2];
        if ((last - before).GetAngleToDegrees(point - last) > 178.0) {
            return false;
        }
    }
    const auto [a, b] = OffsetSegment(last, point, m_doc.GetWallThickness() * 2.0);
    if (EditCompanion().size() < 2) {
        EditCompanion() = {a, b};
        return true;
    }
    const CVector2D t = EditCompanion()[EditCompanion().size() - 2];
    const CVector2D m = EditCompanion().back();
    const CVector2D i = IntersectLines(t, m, a, b);
    if (i == t || AngleBetweenDegrees(i - t, m - t) > 90.0 ||
        AngleBetweenDegrees(b - i, point - last) > 1.0) {
        return false;
    }
    EditCompanion().back() = i;
    EditCompanion().push_back(b);
    return true;
}

std::pair<CVector2D, CVector2D> COutlineCapture::OffsetSegment(const CVector2D& a,
                                                               const CVector2D& b, double d) {
    const CVector2D normal = (b - a).GetNormal() * d;
    return {a + normal, b + normal};
}

bool COutlineCapture::UpdateCloseCursor(const CVector2D& cursor) {
    const OutlinePoints& outline = Outline();
    if (!SpansArea(outline)) {
        return false;
    }
    const bool near = IsThickWall()
                          ? !EditCompanion().empty() && IsNearPoint(cursor, EditCompanion().front())
                          : IsNearPoint(cursor, outline.front());
    if (near) {
        m_host.SetToolCursor(kCloseCursor);
    }
    return near;
}

void COutlineCapture::ReturnToWaitingMode() {
    const int mode = m_doc.GetEditMode();
    if (EditMode::IsDrawingInProgress(mode)) {
        m_doc.SetEditMode(mode - 1);
    }
}

void COutlineCapture::ClearLists() {
    m_state.Outline().reset();
    m_state.CompanionOutline().reset();
    m_repeatedPoint = false;
}

void COutlineCapture::FinishOutline() {
    m_host.SetToolCursor(0);
    if (IPlanView* view = m_doc.Get2DView()) {
        view->ResetToolState();
    }
    const int mode = m_doc.GetEditMode();
    if (mode != EditMode::kWallDrawing) {
        RemoveCollinearPoints(EditOutline());
    }
    CreateSurfaceFromOutline(EditOutline(), SurfaceKindOfMode(mode));
    ClearLists();
    ReturnToWaitingMode();
    m_host.RedrawPlan();
}

void COutlineCapture::CloseOutline(bool rightAngle) {
    if (EditOutline().size() < 2) {
        return;
    }
    const int mode = m_doc.GetEditMode();
    if (mode == EditMode::kWallDrawing && m_doc.GetWallThickness() > 0.0) {
        CompleteThickWall();
        return;
    }
    if (EditOutline().size() < 3 || (rightAngle && !AddRightAngleCorner())) {
        return;
    }
    CreateSurfaceFromOutline(EditOutline(), SurfaceKindOfMode(mode));
    ReturnToWaitingMode();
    ClearLists();
    if (IPlanView* view = m_doc.Get2DView()) {
        view->ResetToolState();
    }
    m_doc.UpdateAllViews(kFullRefreshHint);
}

void COutlineCapture::CompleteThickWall() {
    EditOutline().insert(EditOutline().end(), EditCompanion().rbegin(), EditCompanion().rend());
    CreateSurfaceFromOutline(EditOutline(), kWallSurface);
    ClearLists();
    if (IPlanView* view = m_doc.Get2DView()) {
        view->ResetToolState();
    }
    m_doc.UpdateAllViews(kFullRefreshHint);
    m_doc.SetEditMode(EditMode::kWall);
}

void COutlineCapture::StepBackOutline() {
    const std::size_t n = EditOutline().size();
    if (n <= 1) {
        CancelOutline();
        return;
    }
    EditOutline().pop_back();
    if (n == 2) {
        EditCompanion().clear();
    } else if (EditCompanion().size() > 1) {
        // The new tail has no side after it: its companion point is the
        // plain end of the offset side again.
        EditCompanion().pop_back();
        const auto [a, b] = OffsetSegment(EditOutline()[EditOutline().size() - 2],
                                          EditOutline().back(), m_doc.GetWallThickness() * 2.0);
        EditCompanion().back() = b;
    }
    m_host.RedrawPlan();
}

void COutlineCapture::CancelOutline() {
    ClearLists();
    m_host.SetToolCursor(0);
    if (IPlanView* view = m_doc.Get2DView()) {
        view->ResetToolState();
    }
    m_host.RedrawPlan();
    ReturnToWaitingMode();
    m_doc.SetDesignModified(1);
}

void COutlineCapture::OnDeleteOutline() {
    const char* question = nullptr;
    switch (m_doc.GetEditMode()) {
        case EditMode::kCeilingDrawing:
            question = "確定刪除天花板?";
            break;
        case EditMode::kWallDrawing:
            question = "確定刪除牆?";
            break;
        case EditMode::kFloorDrawing:
            question = "確定刪除地板?";
            break;
        default:
            return;
    }
    if (ShowMessage(question, PromptButtons::YesNo, PromptIcon::Warning) == PromptAnswer::Yes) {
        CancelOutline();
    }
}

bool COutlineCapture::RightAngleClosingPoint(CVector2D* corner) const {
    const std::size_t n = Outline().size();
    if (n < 2) {
        return false;
    }
    const CVector2D first = Outline().front();
    const CVector2D before = Outline()[n - 2];
    const CVector2D last = Outline().back();
    const CVector2D c1(first.x, last.y);
    const CVector2D c2(last.x, first.y);
    const CVector2D side = last - before;
    const bool firstTurnsLess =
        AngleBetweenDegrees(side, c1 - last) < AngleBetweenDegrees(side, c2 - last);
    for (const CVector2D& candidate : firstTurnsLess ? std::array{c1, c2} : std::array{c2, c1}) {
        if (CanAppendPoint(Outline(), candidate)) {
            if (corner != nullptr) {
                *corner = candidate;
            }
            return true;
        }
    }
    return false;
}

bool COutlineCapture::AddRightAngleCorner() {
    CVector2D corner;
    if (!RightAngleClosingPoint(&corner)) {
        return false;
    }
    EditOutline().push_back(corner);
    MergeCollinearTail();
    return true;
}

bool COutlineCapture::CanClose() const {
    const int mode = m_doc.GetEditMode();
    const bool closable = mode == EditMode::kCeilingDrawing || mode == EditMode::kFloorDrawing ||
                          (mode == EditMode::kWallDrawing && m_doc.GetWallThickness() == 0.0);
    return closable && Outline().size() >= 3 && IsSimplePolygon(Outline());
}

bool COutlineCapture::CanCloseRightAngle() const {
    const int mode = m_doc.GetEditMode();
    const bool closable = mode == EditMode::kCeilingDrawing || mode == EditMode::kFloorDrawing ||
                          (mode == EditMode::kWallDrawing && m_doc.GetWallThickness() == 0.0);
    return closable && Outline().size() > 2 && RightAngleClosingPoint(nullptr);
}

bool COutlineCapture::CanFinish() const {
    return m_doc.GetEditMode() == EditMode::kWallDrawing && m_doc.GetWallThickness() > 0.0 &&
           Outline().size() > 1;
}

bool COutlineCapture::ApplyTypedPoint(double a, double b, const CVector2D& mouse) {
    CVector2D plan(a, b);
    if (m_doc.IsDrawingInProgress() && !EditOutline().empty()) {
        if (!(a > 0.0)) {
            return false;
        }
        const CVector2D last = EditOutline().back();
        if (last == CVector2D(a, b)) {
            return true;
        }
        const double angle = (mouse - last).GetPositiveAngleDegrees() >= 180.0 ? b : -b;
        const CVector2D offset = CVector2D(a, 0.0).RotateDegrees(angle);
        const CVector2D stored(RoundToDecimals(last.x + offset.x, 1),
                               RoundToDecimals(last.y + offset.y, 1));
        plan = CVector2D(stored.x, -stored.y);
    }
    if (plan.x < 0.0 || plan.y < 0.0) {
        return false;
    }
    AddPointAt(plan);
    m_host.RedrawPlan();
    return true;
}

void COutlineCapture::AddPointAt(const CVector2D& planPoint) {
    const HousSettings& settings = m_doc.Settings();
    const POINT rounded = planPoint.ToPoint();
    if (rounded.x < 0 || rounded.y < 0 || rounded.x > settings.length ||
        rounded.y > settings.width) {
        m_host.ShowStatusText(kOutsideAreaText);
        return;
    }
    CVector2D stored(planPoint.x, -planPoint.y);
    const int mode = m_doc.GetEditMode();
    if (mode == EditMode::kCeiling || mode == EditMode::kWall || mode == EditMode::kFloor) {
        StartOutline(stored);
        return;
    }
    if (SurfaceKindOfMode(mode) == 0) {
        return;
    }
    if (!CheckNewPoint(stored) || !AddOutlinePoint(stored)) {
        m_host.ShowStatusText(kWrongDirectionText);
    }
}

void COutlineCapture::CancelTypedPoint() {
    if (EditOutline().size() > 1) {
        CloseOutline(true);
        return;
    }
    ClearLists();
    m_doc.SetEditMode(EditMode::kNone);
}

CWallObject* COutlineCapture::CreateSurfaceFromOutline(OutlinePoints& points, int kind) {
    OrientOutlineClockwise(points);
    I3DView* view3D = m_doc.Get3DView();
    CDesignScene* scene = view3D != nullptr ? view3D->GetScene() : nullptr;
    if (scene == nullptr) {
        return nullptr;
    }
    CWallObject* surface = nullptr;
    switch (kind) {
        case kWallSurface:
            surface = scene->AddWallFromOutline(points);
            break;
        case kCeilingSurface:
            surface = scene->AddCeilingFromOutline(points);
            break;
        case kFloorSurface:
            surface = scene->AddFloorFromOutline(points);
            break;
        default:
            break;
    }
    if (surface != nullptr) {
        m_doc.SetDesignModified(1);
    }
    return surface;
}
