#include "plan2d/H2DView.h"

#include <cairo.h>
#include <wx/dcclient.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/graphics.h>
#include <wx/statusbr.h>

#include <algorithm>

#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "plan2d/CoordInputBox.h"
#include "plan2d/PlanScroll.h"
#include "plan2d/VirtualKey.h"
#include "platform/draw/ImageDrawContext.h"

namespace {

// The other hints of the document that this view answers.
constexpr int kMoveCameraMarkerHint = 901;
constexpr int kRulerChangedHint = 997;
constexpr int kSettingsChangedHint = 998;

bool IsRedrawHint(int hint) {
    return hint == 932 || hint == 942 || hint == 995 || hint == kFullRefreshHint;
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
    Bind(wxEVT_LEFT_UP, &CH2DView::OnLeftUp, this);
    for (const auto& type :
         {wxEVT_SCROLLWIN_TOP, wxEVT_SCROLLWIN_BOTTOM, wxEVT_SCROLLWIN_LINEUP,
          wxEVT_SCROLLWIN_LINEDOWN, wxEVT_SCROLLWIN_PAGEUP, wxEVT_SCROLLWIN_PAGEDOWN,
          wxEVT_SCROLLWIN_THUMBTRACK, wxEVT_SCROLLWIN_THUMBRELEASE}) {
        Bind(type, &CH2DView::OnScroll, this);
    }
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
}

void CH2DView::DrawPlan(draw::DrawContext& dc) {
    m_painter.DrawPlan(dc);
}

void CH2DView::OnPrepareDC(draw::DrawContext& dc) {
    m_painter.OnPrepareDC(dc);
}

void CH2DView::InvalidateLineCache(int type) {
    m_state.InvalidateLineCache(type);
}

void CH2DView::StoreCameraPlanPose(bool redraw) {
    m_state.StoreCameraPlanPose(redraw);
}

void CH2DView::ResetSelectionState() {
    m_state.ResetSelectionState();
}

void CH2DView::OnKeyDown(int virtualKey, int repeatCount, int flags) {
    m_state.OnKeyDown(virtualKey, repeatCount, flags);
}

void CH2DView::ShowStatusText(std::string_view text) {
    auto* frame = wxDynamicCast(wxGetTopLevelParent(this), wxFrame);
    if (frame != nullptr && frame->GetStatusBar() != nullptr) {
        frame->SetStatusText(wxString::FromUTF8(text.data(), text.size()), 0);
    }
}

CCoordInputBox& CH2DView::GetCoordInputBox() {
    if (!m_pCoordBox) {
        m_pCoordBox = std::make_unique<CCoordInputBox>(this);
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
    if (hint == kMoveCameraMarkerHint) {
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
    // A page is a tenth of the extent and a line a tenth of a page.
    const int page = std::max(1, extent / 10);
    const int line = std::max(1, page / 10);

    const wxEventType type = event.GetEventType();
    int wanted = current;
    if (type == wxEVT_SCROLLWIN_TOP) {
        wanted = 0;
    } else if (type == wxEVT_SCROLLWIN_BOTTOM) {
        wanted = extent;
    } else if (type == wxEVT_SCROLLWIN_LINEUP) {
        wanted = current - line;
    } else if (type == wxEVT_SCROLLWIN_LINEDOWN) {
        wanted = current + line;
    } else if (type == wxEVT_SCROLLWIN_PAGEUP) {
        wanted = current - page;
    } else if (type == wxEVT_SCROLLWIN_PAGEDOWN) {
        wanted = current + page;
    } else {
        wanted = event.GetPosition();
    }
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
    const int virtualKey = VirtualKeyFromWx(event.GetKeyCode());
    if (!m_state.OnKeyDown(virtualKey, 1, 0)) {
        event.Skip();
    }
}

void CH2DView::OnLeftUp(wxMouseEvent& event) {
    // The pictures drawn roughly while scrolling are drawn in full again.
    if (!m_state.GetFullDrawFlag()) {
        m_state.SetFullDrawFlag(true);
        RedrawNow();
    }
    event.Skip();
}
