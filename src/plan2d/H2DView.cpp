#include "plan2d/H2DView.h"

#include <cairo.h>
#include <wx/dcclient.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/graphics.h>
#include <wx/statusbr.h>

#include <algorithm>

#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "objects/2DShape.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "plan2d/CoordInputBox.h"
#include "plan2d/PlanCursors.h"
#include "plan2d/PlanInput.h"
#include "plan2d/PlanLibraryDrop.h"
#include "plan2d/PlanMapping.h"
#include "plan2d/PlanScroll.h"
#include "plan2d/PlanSketch.h"
#include "plan2d/VirtualKey.h"
#include "platform/draw/ImageDrawContext.h"
#include "platform/draw/RecordingDrawContext.h"

namespace {

// The other hints of the document that this view answers.
constexpr int kPenChangedHint = 710;
constexpr int kMoveCameraMarkerHint = 901;
constexpr int kRulerChangedHint = 997;
constexpr int kSettingsChangedHint = 998;

constexpr const char* kPaperTipText = "列印圖紙範圍";

bool IsRedrawHint(int hint) {
    return hint == 932 || hint == 942 || hint == 995 || hint == kFullRefreshHint;
}

ScrollAction ScrollActionOf(wxEventType type) {
    if (type == wxEVT_SCROLLWIN_TOP) {
        return ScrollAction::Top;
    }
    if (type == wxEVT_SCROLLWIN_BOTTOM) {
        return ScrollAction::Bottom;
    }
    if (type == wxEVT_SCROLLWIN_LINEUP) {
        return ScrollAction::LineUp;
    }
    if (type == wxEVT_SCROLLWIN_LINEDOWN) {
        return ScrollAction::LineDown;
    }
    if (type == wxEVT_SCROLLWIN_PAGEUP) {
        return ScrollAction::PageUp;
    }
    if (type == wxEVT_SCROLLWIN_PAGEDOWN) {
        return ScrollAction::PageDown;
    }
    return ScrollAction::Thumb;
}

}  // namespace

CH2DView::CH2DView(wxWindow* parent, CHousDoc& doc, IPlanFrame* frame)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
               wxHSCROLL | wxVSCROLL | wxWANTS_CHARS | wxBORDER_NONE),
      m_doc(doc),
      m_pFrame(frame),
      m_state(doc),
      m_painter(doc) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CH2DView::OnPaint, this);
    Bind(wxEVT_SIZE, &CH2DView::OnSize, this);
    Bind(wxEVT_KEY_DOWN, &CH2DView::OnKey, this);
    Bind(wxEVT_MOTION, &CH2DView::OnPaperTipMotion, this);
    for (const auto& type :
         {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP,
          wxEVT_MIDDLE_DOWN, wxEVT_MIDDLE_UP, wxEVT_MOTION, wxEVT_MOUSEWHEEL, wxEVT_LEAVE_WINDOW}) {
        Bind(type, &CH2DView::OnMouse, this);
    }
    for (const auto& type :
         {wxEVT_SCROLLWIN_TOP, wxEVT_SCROLLWIN_BOTTOM, wxEVT_SCROLLWIN_LINEUP,
          wxEVT_SCROLLWIN_LINEDOWN, wxEVT_SCROLLWIN_PAGEUP, wxEVT_SCROLLWIN_PAGEDOWN,
          wxEVT_SCROLLWIN_THUMBTRACK, wxEVT_SCROLLWIN_THUMBRELEASE}) {
        Bind(type, &CH2DView::OnScroll, this);
    }
    m_pInput = std::make_unique<CPlanInput>(*this, doc, m_state);
    m_doc.Attach2DView(this);
}

CH2DView::~CH2DView() {
    if (m_doc.Get2DView() == this) {
        m_doc.Attach2DView(nullptr);
    }
}

void CH2DView::OnInitialUpdate() {
    FitScrollBars();
    m_doc.StoreCameraPlanPose();
    m_doc.UpdateWallBarFields();
    // Each edge a band of the pick sense, the centre handle a square of it.
    const int sense = m_doc.Settings().selectSense;
    const RECT frame = GetPaperFrameClientRect();
    SetPaperTipRects(ComputePaperTipRects(frame, sense, GetPaperFrameCentre(frame), sense));
}

void CH2DView::DrawPlan(draw::DrawContext& dc) {
    m_painter.DrawPlan(dc, MakePlanSketch(m_state));
}

void CH2DView::OnPrepareDC(draw::DrawContext& dc) {
    m_painter.OnPrepareDC(dc);
}

void CH2DView::PrepareTitleFrameDC(draw::DrawContext& dc) {
    m_painter.PrepareTitleFrameDC(dc);
}

void CH2DView::DropLibraryEntry(int x, int y) {
    if (m_doc.GetPlacement().inProgress != 0) {
        DropLibraryEntryOnPlan(m_doc, POINT{x, y});
    }
}

CVector2D CH2DView::ClientToLogical(POINT client) const {
    const HousSettings& settings = m_doc.Settings();
    const PlanMappingSetup setup = ComputePlanMapping(
        settings.length, settings.width, m_doc.GetPlanZoomFactor(), m_doc.GetRulerMargin(), 1.0);
    return ::ClientToLogical(setup.ToMapping(), client, m_doc.GetPlanViewOrigin());
}

POINT CH2DView::PlanToClient(const CVector2D& stored, const draw::DrawContext& dc) const {
    return m_painter.PlanToClient(stored, dc);
}

void CH2DView::SetToolCursor(int resourceId) {
    m_state.Flags().toolCursorSet = 1;
    SetCursor(GetPlanToolCursor(resourceId));
}

void CH2DView::RestoreCursor() {
    if (m_state.Flags().toolCursorSet != 0) {
        SetCursor(wxCursor(wxCURSOR_ARROW));
        m_state.Flags().toolCursorSet = 0;
    }
}

RECT CH2DView::GetPaperFrameClientRect() {
    draw::RecordingDrawContext dc;
    PrepareTitleFrameDC(dc);
    const POINT position = m_doc.GetPaperPosition();
    const POINT offset = m_doc.GetFrameOffset();
    const POINT size = m_doc.GetDefaultPaperSize();
    const int left = position.x - offset.x;
    const int top = position.y - offset.y;
    const draw::Point topLeft = dc.LPtoDP(draw::Point{left, top});
    const draw::Point bottomRight = dc.LPtoDP(draw::Point{left + size.x, top + size.y});
    const POINT scroll = m_doc.GetPlanViewOrigin();
    return RECT{topLeft.x - scroll.x, topLeft.y - scroll.y, bottomRight.x - scroll.x,
                bottomRight.y - scroll.y};
}

void CH2DView::InvalidateLineCache(int type) {
    m_state.InvalidateLineCache(type);
}

void CH2DView::InvalidatePhotoMarkers() {
    I3DView* view = m_doc.Get3DView();
    CDesignScene* scene = view != nullptr ? view->GetScene() : nullptr;
    if (scene == nullptr || !m_pBackBuffer) {
        return;
    }
    constexpr double kMarkerReach = 50.0;
    const HousSettings& settings = m_doc.Settings();
    const draw::Mapping mapping =
        ComputePlanMapping(settings.length, settings.width, m_doc.GetPlanZoomFactor(),
                           m_doc.GetRulerMargin(), 1.0)
            .ToMapping();
    const POINT scroll = m_doc.GetPlanViewOrigin();
    for (CDesignObject* object : scene->Objects(kPhotoObjectType)) {
        const auto* photo = static_cast<const C3DObject*>(object);
        if (photo->GetPlanIcon() == nullptr || photo->GetPlanSymbolShown() == 0 ||
            !scene->IsOnCurrentFloor(*photo)) {
            continue;
        }
        const gfx::Vector3 at = photo->GetPosition();
        const POINT first =
            ::PlanToClient(mapping, CVector2D(at.x - kMarkerReach, at.z + kMarkerReach), scroll);
        const POINT second =
            ::PlanToClient(mapping, CVector2D(at.x + kMarkerReach, at.z - kMarkerReach), scroll);
        RepaintArea(RECT{std::min(first.x, second.x), std::min(first.y, second.y),
                         std::max(first.x, second.x) + 1, std::max(first.y, second.y) + 1});
    }
}

void CH2DView::RepaintArea(const RECT& area) {
    const int level = m_pBackBuffer->SaveDC();
    m_pBackBuffer->IntersectClipRect(area.left, area.top, area.right, area.bottom);
    DrawPlan(*m_pBackBuffer);
    m_pBackBuffer->RestoreDC(level);
    RefreshRect(wxRect(area.left, area.top, area.right - area.left, area.bottom - area.top), false);
}

void CH2DView::StoreCameraPlanPose(bool redraw) {
    m_state.StoreCameraPlanPose(redraw);
}

void CH2DView::ResetSelectionState() {
    m_state.ResetSelectionState();
}

void CH2DView::OnKeyDown(int virtualKey, int repeatCount, int /*flags*/) {
    m_pInput->OnKeyDown(virtualKey, repeatCount, KeyModifiers{});
}

void CH2DView::ShowStatusText(std::string_view text) {
    auto* frame = wxDynamicCast(wxGetTopLevelParent(this), wxFrame);
    if (frame != nullptr && frame->GetStatusBar() != nullptr) {
        frame->SetStatusText(wxString::FromUTF8(text.data(), text.size()), 0);
    }
}

void CH2DView::ToggleFixedWallAngle() {
    m_pInput->ToggleFixedWallAngle();
}

CCoordInputBox& CH2DView::GetCoordInputBox() {
    if (!m_pCoordBox) {
        m_pCoordBox = std::make_unique<CCoordInputBox>(this);
        m_pCoordBox->SetTarget(m_pInput.get());
    }
    return *m_pCoordBox;
}

void CH2DView::ShowCoordBoxNear(int x, int y) {
    wxDialog& box = GetCoordInputBox().Window();
    box.Move(ClientToScreen(wxPoint(x + 20, y + 20)));
    box.Show();
    box.Update();
}

void CH2DView::OnDocumentUpdate(int hint) {
    if (hint == kPenChangedHint) {
        ApplyPenToSelectedShapes();
    } else if (hint == kMoveCameraMarkerHint) {
        m_doc.StoreCameraPlanPose();
    } else if (IsRedrawHint(hint)) {
        RedrawNow();
    } else if (hint == kZoomChangedHint || hint == kRulerChangedHint ||
               hint == kSettingsChangedHint) {
        FitScrollBars();
        m_doc.StoreCameraPlanPose();
        RedrawNow();
    }
}

void CH2DView::ApplyPenToSelectedShapes() {
    I3DView* view = m_doc.Get3DView();
    CDesignScene* scene = view != nullptr ? view->GetScene() : nullptr;
    if (scene == nullptr) {
        return;
    }
    for (const int type : {kLineShapeType, kRectShapeType, kCircleShapeType, kCurveShapeType}) {
        for (CDesignObject* object : scene->Selected(type)) {
            if (auto* shape = dynamic_cast<C2DShape*>(object)) {
                shape->SetPenStyle(m_doc.GetPenStyle());
                shape->SetPenWidth(m_doc.GetPenWidth());
            }
        }
    }
}

void CH2DView::ActivateFrame() {
    SetFocus();
}

void CH2DView::ShowFrame(bool show) {
    GetParent()->Show(show);
}

void CH2DView::HideCoordinateInputBox() {
    if (m_pCoordBox && m_pCoordBox->Window().IsShown()) {
        m_pCoordBox->Window().Hide();
    }
}

void CH2DView::RedrawNow() {
    PaintBackBuffer();
    Refresh(false);
    Update();
}

void CH2DView::PaintBackBuffer() {
    const wxSize size = GetClientSize();
    if (size.x <= 0 || size.y <= 0) {
        return;
    }
    if (!m_pBackBuffer || m_pBackBuffer->Width() != size.x || m_pBackBuffer->Height() != size.y) {
        m_pBackBuffer = std::make_unique<draw::ImageDrawContext>(size.x, size.y);
    }
    ++m_backBufferPaints;
    // Every paint starts from the state of a fresh client context.
    const int level = m_pBackBuffer->SaveDC();
    DrawPlan(*m_pBackBuffer);
    m_pBackBuffer->RestoreDC(level);
}

void CH2DView::FitScrollBars() {
    m_doc.UpdatePlanScrollSize();
    const POINT extent = m_doc.GetPlanScrollSize();
    const wxSize client = GetClientSize();
    const POINT origin = m_doc.GetPlanViewOrigin();
    const POINT fitted{FitScrollPosition(extent.x, client.x + 1, origin.x),
                       FitScrollPosition(extent.y, client.y + 1, origin.y)};
    m_doc.SetPlanViewOrigin(fitted);
    SetScrollbar(wxHORIZONTAL, fitted.x, client.x, extent.x);
    SetScrollbar(wxVERTICAL, fitted.y, client.y, extent.y);
}

void CH2DView::ResetScrollPosition() {
    m_doc.SetPlanViewOrigin(POINT{0, 0});
    SetScrollPos(wxHORIZONTAL, 0);
    SetScrollPos(wxVERTICAL, 0);
    RedrawNow();
}

void CH2DView::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    if (!m_pBackBuffer) {
        PaintBackBuffer();
        if (!m_pBackBuffer) {
            return;
        }
    }
    std::unique_ptr<wxGraphicsContext> gc(
        wxGraphicsRenderer::GetCairoRenderer()->CreateContext(dc));
    auto* cr = static_cast<cairo_t*>(gc->GetNativeContext());
    cairo_set_source_surface(cr, m_pBackBuffer->Surface(), 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
}

// The plan is painted once the size has settled: a window being laid out
// gets several sizes before it is first shown.
void CH2DView::OnSize(wxSizeEvent& event) {
    FitScrollBars();
    m_pBackBuffer.reset();
    Refresh(false);
    event.Skip();
}

void CH2DView::OnScroll(wxScrollWinEvent& event) {
    const bool horizontal = event.GetOrientation() == wxHORIZONTAL;
    const POINT extentPoint = m_doc.GetPlanScrollSize();
    const POINT origin = m_doc.GetPlanViewOrigin();
    const int extent = horizontal ? extentPoint.x : extentPoint.y;
    const int client = horizontal ? GetClientSize().x : GetClientSize().y;
    const int current = horizontal ? origin.x : origin.y;
    const int wanted = RequestedScrollPosition(ScrollActionOf(event.GetEventType()), extent,
                                               current, event.GetPosition());
    const int position = ClampScrollPosition(extent, client, wanted);
    SetScrollPos(event.GetOrientation(), position);
    if (position == current) {
        return;
    }
    m_doc.SetPlanViewOrigin(horizontal ? POINT{position, origin.y} : POINT{origin.x, position});
    m_state.SetFullDrawFlag(false);
    m_doc.SetDesignModified(1);
    RedrawNow();
}

void CH2DView::OnKey(wxKeyEvent& event) {
    const KeyModifiers modifiers{event.ShiftDown(), event.ControlDown(), event.AltDown()};
    const int virtualKey = VirtualKeyFromWx(event.GetKeyCode());
    // A key with Alt also goes on to the default handling.
    if (!m_pInput->OnKeyDown(virtualKey, 1, modifiers) || modifiers.alt) {
        event.Skip();
    }
}

void CH2DView::OnPaperTipMotion(wxMouseEvent& event) {
    const wxPoint at = event.GetPosition();
    const int tip = FindPaperTip(m_paperTipRects, POINT{at.x, at.y});
    if (tip != m_shownPaperTip) {
        m_shownPaperTip = tip;
        if (tip >= 0) {
            SetToolTip(wxString::FromUTF8(kPaperTipText));
        } else {
            UnsetToolTip();
        }
    }
    event.Skip();
}

void CH2DView::OnMouse(wxMouseEvent& event) {
    m_pInput->OnMouse(event);
}

COutlineCapture& CH2DView::OutlineCapture() {
    return m_pInput->Capture();
}
