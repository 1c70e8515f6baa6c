// epoxy's GLX header must come before any GL header that wx brings in.
#include <epoxy/glx.h>

#include "view3d/GLCanvasContext.h"

#include <wx/glcanvas.h>

#include <cmath>

namespace {

std::unique_ptr<wxGLContext> CreateContext(wxGLCanvas& canvas) {
    wxGLContextAttrs attributes;
    attributes.PlatformDefaults().CompatibilityProfile().OGLVersion(4, 5).EndList();
    auto context = std::make_unique<wxGLContext>(&canvas, nullptr, &attributes);
    if (context->IsOK()) {
        return context;
    }
    return std::make_unique<wxGLContext>(&canvas);
}

int ToFramebufferPixels(int size, double scale) {
    return static_cast<int>(std::lround(size * scale));
}

}  // namespace

CGLCanvasContext::CGLCanvasContext(wxGLCanvas& canvas)
    : m_canvas(canvas), m_context(CreateContext(canvas)) {}

CGLCanvasContext::~CGLCanvasContext() = default;

bool CGLCanvasContext::MakeCurrent() {
    // Until the canvas has its X window there is nothing to make current.
    if (!m_context->IsOK() || !m_canvas.IsShownOnScreen() || m_canvas.GetXWindow() == 0 ||
        !m_context->SetCurrent(m_canvas)) {
        return false;
    }
    m_currentContext = glXGetCurrentContext();
    m_currentDrawable = glXGetCurrentDrawable();
    return true;
}

bool CGLCanvasContext::IsCurrent() const {
    return m_currentContext != nullptr && glXGetCurrentContext() == m_currentContext &&
           glXGetCurrentDrawable() == m_currentDrawable;
}

bool CGLCanvasContext::SwapBuffers() {
    return m_canvas.SwapBuffers();
}

int CGLCanvasContext::WindowWidth() const {
    return ToFramebufferPixels(m_canvas.GetClientSize().x, m_canvas.GetContentScaleFactor());
}

int CGLCanvasContext::WindowHeight() const {
    return ToFramebufferPixels(m_canvas.GetClientSize().y, m_canvas.GetContentScaleFactor());
}
