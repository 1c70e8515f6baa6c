#pragma once

// A shown 3D view on a fresh program folder, its device ready, with the
// camera at (0, 0, -500) looking along +z, messages answered and kept, and
// mouse events sent as the toolkit sends them.

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "objects/Test3DObject.h"
#include "support/LightGlyphs.h"
#include "support/TempFolder.h"
#include "view3d/HousView.h"

// Lets the toolkit run until the shown view has made its device; whether it
// did within the time allowed.
inline bool WaitForViewDevice(CHousView& view) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (view.GetEngine().GetDevice() == nullptr && std::chrono::steady_clock::now() < deadline) {
        view.Refresh();
        wxTheApp->Yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return view.GetEngine().GetDevice() != nullptr;
}

class ShownViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramFolder(m_programFolder.Path());
        CopyLightGlyphs(m_programFolder.Path());
        m_frame = new wxFrame(nullptr, wxID_ANY, "3D", wxDefaultPosition, wxSize(400, 300));
        m_view = new CHousView(m_frame, &m_doc);
        m_frame->Show();
        ASSERT_TRUE(WaitForViewDevice(*m_view));
        m_view->SetCameraPosition(0, 0, -500);
        m_view->SetCameraAngles(0, 0);
        m_view->UpdateCamera();
    }

    void TearDown() override {
        m_frame->Destroy();
        wxTheApp->Yield();
    }

    // A box of six materials, one a side; the side facing the camera is
    // material 5.
    CTest3DObject* AddBox(int type, const gfx::Vector3& min, const gfx::Vector3& max) {
        auto* object = new CTest3DObject(type);
        object->MakeBox(min, max, 6, m_view->GetEngine().GetDevice());
        object->UpdateWorldMatrix();
        m_view->GetScene()->AddObjectIfAbsent(type, object);
        return object;
    }

    [[nodiscard]] wxPoint WindowPoint(float x, float y, float z) const {
        const POINT point = m_view->ProjectToWindow(x, y, z);
        return {point.x, point.y};
    }

    void Mouse(wxEventType type, wxPoint at, bool leftDown, bool control = false,
               bool shift = false) {
        wxMouseEvent event(type);
        event.SetPosition(at);
        event.m_leftDown = leftDown;
        event.m_controlDown = control;
        event.m_shiftDown = shift;
        event.SetEventObject(m_view);
        m_view->GetEventHandler()->ProcessEvent(event);
    }

    // Press at from, drag to to and let go there.
    void Drag(wxPoint from, wxPoint to, bool control = false, bool shift = false) {
        Mouse(wxEVT_LEFT_DOWN, from, true, control, shift);
        Mouse(wxEVT_MOTION, to, true, control, shift);
        Mouse(wxEVT_LEFT_UP, to, false, control, shift);
    }

    [[nodiscard]] size_t SelectedCount() {
        size_t count = 0;
        for (int type = 0; type < 7; ++type) {
            count += m_view->GetScene()->Selected(type).size();
        }
        return count;
    }

    TempFolder m_programFolder;
    std::vector<std::string> m_messages;
    CScopedPromptHandlers m_prompts{[this](const MessageRequest& request) {
        m_messages.push_back(request.text);
        return PromptAnswer::Ok;
    }};
    CHousDoc m_doc;
    wxFrame* m_frame = nullptr;
    CHousView* m_view = nullptr;
};
