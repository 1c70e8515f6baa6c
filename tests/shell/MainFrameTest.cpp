#include "shell/MainFrame.h"

#include <gtest/gtest.h>
#include <wx/app.h>

TEST(MainFrame, OpensAndClosesWithItsTitle) {
    auto* frame = new CMainFrame();
    frame->Show();
    wxTheApp->Yield();
    EXPECT_TRUE(frame->IsShown());
    EXPECT_EQ(frame->GetTitle().utf8_string(), "Velmora 室內設計");
    frame->Destroy();
    wxTheApp->Yield();
}
