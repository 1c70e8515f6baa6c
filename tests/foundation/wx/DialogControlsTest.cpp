#include "foundation/wx/DialogControls.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

namespace {

constexpr int kEditId = 1103;

// A dialog-like panel whose edit sits inside an inner panel, as pages hold
// their controls.
class DialogControlsTest : public testing::Test {
protected:
    void SetUp() override {
        m_frame = new wxFrame(nullptr, wxID_ANY, "test", wxDefaultPosition, wxSize(300, 200));
        m_panel = new wxPanel(m_frame, wxID_ANY, wxPoint(0, 0), wxSize(300, 200));
        m_inner = new wxPanel(m_panel, wxID_ANY, wxPoint(10, 20), wxSize(200, 100));
        m_edit = new wxTextCtrl(m_inner, kEditId, "12", wxPoint(30, 40), wxSize(80, 25));
    }
    void TearDown() override { m_frame->Destroy(); }

    wxFrame* m_frame = nullptr;
    wxPanel* m_panel = nullptr;
    wxPanel* m_inner = nullptr;
    wxTextCtrl* m_edit = nullptr;
};

TEST_F(DialogControlsTest, IntEditRoundTrip) {
    int value = 5;
    EXPECT_TRUE(ValidateIntEdit(*m_edit, value, 1, 20));
    EXPECT_EQ(value, 12);

    m_edit->SetValue("21");
    EXPECT_FALSE(ValidateIntEdit(*m_edit, value, 1, 20));
    EXPECT_EQ(value, 12);
    EXPECT_EQ(GetDlgItemTextString(*m_panel, kEditId), "12");
}

TEST_F(DialogControlsTest, FloatEditRefusalLeavesTheText) {
    float value = 3.0f;
    m_edit->SetValue("0.5");
    EXPECT_FALSE(ValidateFloatEdit(*m_edit, value, 1.0f, 10.0f));
    EXPECT_EQ(value, 3.0f);
    EXPECT_EQ(GetWindowTextString(*m_edit), "0.5");
    m_edit->SetValue("2.5");
    EXPECT_TRUE(ValidateFloatEdit(*m_edit, value, 1.0f, 10.0f));
    EXPECT_EQ(value, 2.5f);
}

TEST_F(DialogControlsTest, ControlRectIsInTheParentsClientArea) {
    EXPECT_EQ(GetDlgItemRect(*m_inner, kEditId), m_edit->GetRect());
    EXPECT_EQ(GetDlgItemRect(*m_panel, kEditId), wxRect(wxPoint(40, 60), m_edit->GetSize()));
    EXPECT_EQ(GetDlgItemRect(*m_panel, 9999), wxRect());
    EXPECT_EQ(GetDlgItemTextString(*m_panel, 9999), "");
}

}  // namespace
