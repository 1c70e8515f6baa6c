// The floor of the start-up benchmark: the least a wxWidgets program with one
// OpenGL canvas does before its first frame is on screen. It clears the
// canvas on every paint and reports its first paint as the program does
// (VELMORA_FIRST_PAINT_FILE). With --multisampled it clears, as the 3D
// view's device does, a 1024 x 768 back buffer of its own with the most
// samples the driver gives (at most 16) and a depth-stencil buffer, and
// shows it in the window: the fair floor of the program's memory.

#include <epoxy/gl.h>
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/glcanvas.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

class CFloorCanvasApp : public wxApp {
public:
    bool OnInit() override {
        for (int i = 1; i < argc; ++i) {
            m_multisampled = m_multisampled || argv[i] == "--multisampled";
        }
        auto* frame = new wxFrame(nullptr, wxID_ANY, "floor");
        frame->SetSize(wxSize(1280, 800));
        wxGLAttributes attributes;
        attributes.PlatformDefaults().RGBA().DoubleBuffer().EndList();
        m_canvas = new wxGLCanvas(frame, attributes);
        m_context = new wxGLContext(m_canvas);
        m_canvas->Bind(wxEVT_PAINT, &CFloorCanvasApp::OnPaint, this);
        frame->Show();
        return true;
    }

    int OnExit() override {
        delete m_context;
        return wxApp::OnExit();
    }

private:
    void OnPaint(wxPaintEvent&) {
        wxPaintDC validate(m_canvas);
        m_context->SetCurrent(*m_canvas);
        if (m_multisampled && m_backBuffer == 0) {
            CreateBackBuffer();
        }
        glBindFramebuffer(GL_FRAMEBUFFER, m_backBuffer);
        glClearColor(0.59f, 0.59f, 0.78f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        if (m_backBuffer != 0) {
            glBindFramebuffer(GL_READ_FRAMEBUFFER, m_backBuffer);
            glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
            glBlitFramebuffer(0, 0, kWidth, kHeight, 0, 0, kWidth, kHeight, GL_COLOR_BUFFER_BIT,
                              GL_NEAREST);
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
        }
        m_canvas->SwapBuffers();
        if (!m_reported) {
            m_reported = true;
            CallAfter([] { ReportFirstPaint(); });
        }
    }

    static void ReportFirstPaint() {
        const char* path = std::getenv("VELMORA_FIRST_PAINT_FILE");
        if (path == nullptr || *path == '\0') {
            return;
        }
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::ofstream(path, std::ios::trunc)
            << std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()) +
                   '\n';
    }

    void CreateBackBuffer() {
        GLint samples = 0;
        glGetIntegerv(GL_MAX_SAMPLES, &samples);
        samples = std::min(samples, 16);
        glGenFramebuffers(1, &m_backBuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, m_backBuffer);
        glGenTextures(1, &m_colour);
        glBindTexture(GL_TEXTURE_2D_MULTISAMPLE, m_colour);
        glTexImage2DMultisample(GL_TEXTURE_2D_MULTISAMPLE, samples, GL_RGBA8, kWidth, kHeight,
                                GL_TRUE);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D_MULTISAMPLE,
                               m_colour, 0);
        glGenRenderbuffers(1, &m_depthStencil);
        glBindRenderbuffer(GL_RENDERBUFFER, m_depthStencil);
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH24_STENCIL8, kWidth,
                                         kHeight);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                  m_depthStencil);
    }

    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 768;
    bool m_multisampled = false;
    GLuint m_backBuffer = 0;
    GLuint m_colour = 0;
    GLuint m_depthStencil = 0;
    wxGLCanvas* m_canvas = nullptr;
    wxGLContext* m_context = nullptr;
    bool m_reported = false;
};

wxIMPLEMENT_APP(CFloorCanvasApp);
