#include "view3d/HousView.h"

#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/utils.h>

#include "document/HousDoc.h"

namespace {

wxGLAttributes CanvasAttributes() {
    // The device draws into a back buffer of its own; the window needs only
    // colour to show it in.
    wxGLAttributes attributes;
    attributes.PlatformDefaults().RGBA().DoubleBuffer().EndList();
    return attributes;
}

}  // namespace

CHousView::CHousView(wxWindow* parent, CHousDoc* doc)
    : wxGLCanvas(parent, CanvasAttributes(), wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS, "CHousView"),
      m_pDoc(doc),
      m_glContext(*this),
      m_renderer(*doc, m_glContext),
      m_designFile(*doc, m_renderer) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_SIZE, &CHousView::OnSize, this);
    Bind(wxEVT_PAINT, &CHousView::OnPaint, this);
    Bind(wxEVT_KEY_DOWN, &CHousView::OnKeyDown, this);
    Bind(wxEVT_MOUSEWHEEL, &CHousView::OnMouseWheel, this);
    Bind(wxEVT_LEFT_DOWN, &CHousView::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &CHousView::OnLeftUp, this);
    Bind(wxEVT_LEFT_DCLICK, &CHousView::OnLeftDClick, this);
    Bind(wxEVT_MIDDLE_DOWN, &CHousView::OnMiddleDown, this);
    Bind(wxEVT_MIDDLE_UP, &CHousView::OnMiddleUp, this);
    Bind(wxEVT_MOTION, &CHousView::OnMouseMove, this);
    Bind(wxEVT_RIGHT_DOWN, &CHousView::OnRightDown, this);
    Bind(wxEVT_CONTEXT_MENU, &CHousView::OnContextMenu, this);
    BindPlacementCommands();
    BindFaceEditorCommands();
    m_pDoc->Attach3DView(this);
}

CHousView::~CHousView() {
    if (m_pDoc->Get3DView() == this) {
        m_pDoc->Attach3DView(nullptr);
    }
}

void CHousView::SizeRenderer() {
    const wxSize size = GetClientSize();
    if (m_renderer.IsFirstSizePending() && !m_glContext.MakeCurrent()) {
        return;
    }
    m_renderer.OnSize(size.x, size.y);
}

void CHousView::OnSize(wxSizeEvent& event) {
    event.Skip();
    SizeRenderer();
}

void CHousView::OnPaint(wxPaintEvent& /*event*/) {
    wxPaintDC validate(this);
    // A size that came before the canvas was on screen could not set up
    // the device; the first paint does.
    if (m_renderer.IsFirstSizePending()) {
        SizeRenderer();
    }
    m_renderer.RenderFrame();
}

void CHousView::OnDocumentUpdate(int hint) {
    m_renderer.OnUpdate(hint);
}

void CHousView::ActivateFrame() {
    SetFocus();
}

void CHousView::ShowFrame(bool show) {
    Show(show);
}

void CHousView::RepaintNow() {
    m_renderer.RenderFrame();
}

void CHousView::SetStatusText(std::string_view text) {
    auto* frame = wxDynamicCast(wxGetTopLevelParent(this), wxFrame);
    if (frame != nullptr && frame->GetStatusBar() != nullptr) {
        frame->SetStatusText(wxString::FromUTF8(text.data(), text.size()));
    }
}

CameraPosition CHousView::GetCameraPosition() const {
    const gfx::Vector3 eye = m_renderer.GetCamera().GetCameraPosition();
    return {eye.x, eye.y, eye.z};
}

void CHousView::SetCameraPosition(float x, float y, float z) {
    GetCamera().SetCameraPosition({x, y, z});
}

double CHousView::GetCameraHeading() const {
    return m_renderer.GetCamera().GetCameraHeading();
}

double CHousView::GetCameraPitch() const {
    return m_renderer.GetCamera().GetCameraPitch();
}

void CHousView::SetCameraAngles(double heading, double pitch) {
    GetCamera().SetCameraAngles(heading, pitch);
}

void CHousView::SetWireframe(bool wireframe) {
    m_renderer.SetWireframe(wireframe);
}

void CHousView::ToggleWireframe() {
    m_renderer.SetWireframe(!m_renderer.IsWireframe());
    RepaintNow();
}

void CHousView::ToggleGrid() {
    GetEngine().SetGridShown(GetEngine().GetGridShown() != 0 ? 0 : 1);
    RepaintNow();
}

void CHousView::SetClearColor(uint8_t red, uint8_t green, uint8_t blue) {
    GetEngine().SetClearColor(red, green, blue);
}

bool CHousView::SaveDesign(int mode) {
    return m_designFile.SaveDesign(mode);
}

bool CHousView::LoadDesign(const std::string& path, bool merge) {
    return m_designFile.LoadDesign(path, merge);
}

void CHousView::InitRenderer() {
    // The first size sets the renderer up; before it there is nothing to reset.
    if (m_renderer.IsFirstSizePending() || !m_glContext.MakeCurrent()) {
        return;
    }
    m_renderer.InitRenderer();
}

void CHousView::ClearDesign() {
    m_pDoc->ClearDesign();
}

void CHousView::SetViewPointBlock(const ViewPointTable& table) {
    m_designFile.GetFileState().SetViewPointTable(table);
}

bool CHousView::IsOrthographic() const {
    return m_renderer.GetCamera().IsOrthoOn() != 0;
}

void CHousView::ReturnToPerspective() {
    CHousViewCamera& camera = GetCamera();
    camera.SetOrthoOn(0);
    camera.RestorePerspective();
    camera.UpdateCamera();
    RepaintNow();
}

gfx::VertexBuffer* CHousView::GetOverlayLineBuffer() const {
    return m_renderer.GetEngine().GetOverlayLineBuffer();
}

gfx::VertexBuffer* CHousView::GetOverlayShapeBuffer() const {
    return m_renderer.GetEngine().GetOverlayShapeBuffer();
}

void CHousView::UpdateCamera() {
    GetCamera().UpdateCamera();
}

void CHousView::ResetCamera() {
    m_renderer.ResetCamera();
}

void CHousView::SetOrthoView(int preset) {
    GetCamera().SetOrthoView(preset);
    RepaintNow();
}

POINT CHousView::ProjectToWindow(float x, float y, float z) const {
    return m_renderer.GetCamera().ProjectToWindow(x, y, z);
}

gfx::Vector3 CHousView::UnprojectToPlane(const POINT* windowPoint, int axis, int value) const {
    POINT point;
    if (windowPoint != nullptr) {
        point = *windowPoint;
    } else {
        const wxPoint cursor = ScreenToClient(wxGetMousePosition());
        point = {cursor.x, cursor.y};
    }
    return m_renderer.GetCamera().UnprojectToPlane(point, axis, value);
}
