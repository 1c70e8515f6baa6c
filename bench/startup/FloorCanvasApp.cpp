// The floor of the start-up benchmark: the least a wxWidgets program with one
// OpenGL canvas does before its first frame is on screen. It clears the
// canvas on every paint and reports its first paint as the program does
// (VELMORA_FIRST_PAINT_FILE).

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/glcanvas.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

class CFloorCanvasApp : public wxApp {
public:
    bool OnInit() override {
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
        glClearColor(0.59f, 0.59f, 0.78f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
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

    wxGLCanvas* m_canvas = nullptr;
    wxGLContext* m_context = nullptr;
    bool m_reported = false;
};

wxIMPLEMENT_APP(CFloorCanvasApp);
