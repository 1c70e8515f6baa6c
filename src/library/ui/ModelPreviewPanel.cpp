#include "library/ui/ModelPreviewPanel.h"

#include <epoxy/glx.h>
#include <wx/dcbuffer.h>
#include <wx/image.h>

#include <cstring>
#include <vector>

#include "library/ModelPreviewRenderer.h"

namespace {

constexpr float kTurnStep = 0.05f;

// A thread has one current context across GLX and EGL: the views' on-screen
// context gives way, and the views make theirs current again when they draw.
void ReleaseWindowContext() {
    if (glXGetCurrentContext() != nullptr) {
        glXMakeCurrent(glXGetCurrentDisplay(), None, nullptr);
    }
}

}  // namespace

CModelPreviewPanel::CModelPreviewPanel(wxWindow* parent, int id)
    : wxPanel(parent, id, wxDefaultPosition, wxSize(kWidth, kHeight), wxBORDER_SUNKEN, "ModelView"),
      m_timer(this, 0) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetMinSize(wxSize(kWidth, kHeight));
    Bind(wxEVT_PAINT, &CModelPreviewPanel::OnPaint, this);
    Bind(wxEVT_TIMER, &CModelPreviewPanel::OnTimer, this);
}

CModelPreviewPanel::~CModelPreviewPanel() {
    m_timer.Stop();
    if (m_renderer) {
        ReleaseWindowContext();
        m_renderer.reset();
    }
}

void CModelPreviewPanel::ShowModel(const std::string& path) {
    if (path == m_path && m_renderer && m_renderer->HasModel()) {
        return;
    }
    m_path = path;
    ReleaseWindowContext();
    if (!m_renderer) {
        m_renderer = std::make_unique<CModelPreviewRenderer>(kWidth, kHeight);
    }
    m_renderer->LoadModel(path);
    RenderFrame();
}

void CModelPreviewPanel::ClearModel() {
    m_path.clear();
    if (m_renderer) {
        ReleaseWindowContext();
        m_renderer->Clear();
    }
    m_frame = wxBitmap();
    Refresh();
}

std::optional<std::array<float, 3>> CModelPreviewPanel::GetModelSize() const {
    return m_renderer ? m_renderer->GetModelSize() : std::nullopt;
}

void CModelPreviewPanel::SetTurning(bool turn) {
    if (turn) {
        m_timer.Start(kTurnIntervalMs);
    } else {
        m_timer.Stop();
    }
}

void CModelPreviewPanel::RenderFrame() {
    m_frame = wxBitmap();
    if (m_renderer && m_renderer->HasModel()) {
        ReleaseWindowContext();
        const std::vector<uint8_t> bgra = m_renderer->Render(m_angle);
        const int width = m_renderer->GetWidth();
        const int height = m_renderer->GetHeight();
        if (bgra.size() == static_cast<size_t>(width) * height * 4) {
            wxImage image(width, height, false);
            unsigned char* rgb = image.GetData();
            for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) {
                rgb[i * 3] = bgra[i * 4 + 2];
                rgb[i * 3 + 1] = bgra[i * 4 + 1];
                rgb[i * 3 + 2] = bgra[i * 4];
            }
            m_frame = wxBitmap(image);
        }
    }
    Refresh();
}

void CModelPreviewPanel::OnTimer(wxTimerEvent& /*event*/) {
    // A hidden browser keeps its turntable setting but draws nothing.
    if (!IsShownOnScreen()) {
        return;
    }
    m_angle += kTurnStep;
    RenderFrame();
}

void CModelPreviewPanel::OnPaint(wxPaintEvent& /*event*/) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    if (m_frame.IsOk()) {
        const wxSize size = GetClientSize();
        dc.DrawBitmap(m_frame, (size.x - m_frame.GetWidth()) / 2,
                      (size.y - m_frame.GetHeight()) / 2);
    }
}
