#pragma once

#include <wx/window.h>

#include <memory>
#include <string_view>

#include "document/DocumentViews.h"
#include "foundation/Vector2D.h"
#include "foundation/WinTypes.h"
#include "plan2d/PaperFrameTips.h"
#include "plan2d/PlanEditModeClass.h"
#include "plan2d/PlanPainter.h"
#include "plan2d/PlanViewState.h"

namespace draw {
class DrawContext;
class ImageDrawContext;
}  // namespace draw

class CCoordInputBox;
class COutlineCapture;
class CPlanInput;
class CHousDoc;
class wxKeyEvent;
class wxMouseEvent;
class wxPaintEvent;
class wxScrollWinEvent;
class wxSizeEvent;

// The plan view of the design: the ground seen from above at the zoom of the
// plan frame's control bar. The plan is painted into a back buffer that the
// paint handler shows; a redraw paints the buffer again at once. The scroll
// position and extent live in the document. The view attaches itself to
// the document for its whole life.
class CH2DView : public wxWindow, public IPlanView {
public:
    CH2DView(wxWindow* parent, CHousDoc& doc, IPlanFrame* frame);
    ~CH2DView() override;

    // Once the frame's bars exist: scroll bars, camera pose, wall bar.
    void OnInitialUpdate();

    // The whole plan into the context.
    void DrawPlan(draw::DrawContext& dc);
    // Mapping for drawing in plan coordinates; on the screen the plan's
    // scroll size goes to the document and nothing covers the rulers.
    void OnPrepareDC(draw::DrawContext& dc);
    // Mapping of the paper and title frame.
    void PrepareTitleFrameDC(draw::DrawContext& dc);
    // Logical point of a client pixel (y down, not yet a stored point).
    CVector2D ClientToLogical(POINT client) const;
    // Client pixel of a stored point (x, -y) on a prepared context.
    POINT PlanToClient(const CVector2D& stored, const draw::DrawContext& dc) const;

    static PlanEditModeClass GetEditModeClass(int editMode) {
        return GetPlanEditModeClass(editMode);
    }

    // Extra device units per logical unit on a printer.
    double GetPrintFactor() const { return m_painter.GetPrintFactor(); }
    void SetPrintFactor(double factor) { m_painter.SetPrintFactor(factor); }

    // Shows a tool cursor by its resource id until RestoreCursor.
    void SetToolCursor(int resourceId);
    void RestoreCursor();

    CPlanViewState& State() { return m_state; }
    // The outline being drawn; the coordinate box hands it typed points.
    COutlineCapture& OutlineCapture();

    // The paper frame in client pixels.
    RECT GetPaperFrameClientRect();
    // Where the paper frame's tooltip "列印圖紙範圍" shows.
    void SetPaperTipRects(const PaperTipRects& rects) { m_paperTipRects = rects; }
    const PaperTipRects& GetPaperTipRects() const { return m_paperTipRects; }
    void InvalidateLineCache(int type) override;
    // The squares of 50 cm about each shown photo symbol on the current
    // floor are painted again: a camera move may have turned the photos.
    void InvalidatePhotoMarkers() override;
    void EndSelectionDrag() override { SetDragFlag(0); }
    void StoreCameraPlanPose(bool redraw);
    // Forgets the pending first point.
    void ResetSelectionState();
    // Command 32830.
    void OnNoOpCommand() {}
    // Windows virtual-key codes; the navigation bar sends its keys here.
    void OnKeyDown(int virtualKey, int repeatCount, int flags);

    // The status bar's first pane of the main window.
    void ShowStatusText(std::string_view text);
    // The coordinate entry box just below and right of the client point.
    void ShowCoordBoxNear(int x, int y);
    // Made on first use: most sessions never show it.
    CCoordInputBox& GetCoordInputBox();
    // Walls drawn at a fixed angle, or freely; the frame's button follows.
    void ToggleFixedWallAngle();

    int GetDragFlag() const { return m_state.GetDragFlag(); }
    void SetDragFlag(int flag) { m_state.SetDragFlag(flag); }
    PlanPastePoint& PastePoint() { return m_state.PastePoint(); }
    const CVector2D& GetCursorPoint() const { return m_state.GetCursorPoint(); }

    // Null until the view is first painted or redrawn, and again from a
    // change of size until the next.
    const draw::ImageDrawContext* GetBackBuffer() const { return m_pBackBuffer.get(); }
    draw::ImageDrawContext* GetBackBuffer() { return m_pBackBuffer.get(); }
    // How many times the whole plan was painted into the back buffer.
    int GetBackBufferPaintCount() const { return m_backBufferPaints; }
    // The creation pieces drawn over the plan; a mouse move updates them in
    // the back buffer.
    const CPlanOverlay& GetPlanOverlay() const { return m_painter.Overlay(); }

    // IPlanView
    void OnDocumentUpdate(int hint) override;
    void ActivateFrame() override;
    void ShowFrame(bool show) override;
    IPlanFrame* GetPlanFrame() override { return m_pFrame; }
    void HideCoordinateInputBox() override;
    void ResetToolState() override { ResetSelectionState(); }
    void RedrawNow() override;
    void ResetScrollPosition() override;
    int GetArcDirection() const override { return m_state.GetArcDirection(); }
    bool GetFullDrawFlag() const override { return m_state.GetFullDrawFlag(); }
    // A library entry let go over the plan while its drag is pending:
    // placed with its corner there.
    void DropLibraryEntry(int x, int y) override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnScroll(wxScrollWinEvent& event);
    void OnKey(wxKeyEvent& event);
    // Shows the paper frame's tooltip over its areas; other handlers still
    // see the move.
    void OnPaperTipMotion(wxMouseEvent& event);
    // The selected lines, rectangles, circles, arcs and curves take the
    // document's pen.
    void ApplyPenToSelectedShapes();
    void OnMouse(wxMouseEvent& event);

    // Scroll bars for the document's extent, positions pulled into range.
    void FitScrollBars();
    // A back buffer of the client size, painted afresh.
    void PaintBackBuffer();
    // The plan within the client rectangle, painted again and shown.
    void RepaintArea(const RECT& area);

    CHousDoc& m_doc;
    IPlanFrame* m_pFrame;
    CPlanViewState m_state;
    CPlanPainter m_painter;
    std::unique_ptr<CPlanInput> m_pInput;
    std::unique_ptr<CCoordInputBox> m_pCoordBox;
    std::unique_ptr<draw::ImageDrawContext> m_pBackBuffer;
    PaperTipRects m_paperTipRects{};
    int m_shownPaperTip = -1;
    int m_backBufferPaints = 0;
};
