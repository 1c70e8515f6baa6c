#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <chrono>
#include <thread>

#include "document/HousDoc.h"
#include "foundation/Prompt.h"
#include "output/DesktopPaper.h"
#include "plan2d/H2DChild.h"
#include "shell/HousApp.h"
#include "shell/MainFrame.h"
#include "support/LightGlyphs.h"
#include "support/TempFolder.h"
#include "view3d/HousView.h"

namespace {

// What the window shows, read back from the screen.
wxImage Screenshot(wxWindow& window) {
    const wxSize size = window.GetClientSize();
    wxBitmap bitmap(size);
    wxMemoryDC memory(bitmap);
    wxClientDC screen(&window);
    memory.Blit(0, 0, size.x, size.y, &screen, 0, 0);
    memory.SelectObject(wxNullBitmap);
    return bitmap.ConvertToImage();
}

int CountPixels(const wxImage& image, unsigned char r, unsigned char g, unsigned char b) {
    int count = 0;
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            if (std::abs(image.GetRed(x, y) - r) < 40 && std::abs(image.GetGreen(x, y) - g) < 40 &&
                std::abs(image.GetBlue(x, y) - b) < 40) {
                ++count;
            }
        }
    }
    return count;
}

}  // namespace

TEST(ProgramWindow, ShowsThe3DGridBesideThePlan) {
    TempFolder home;
    // A yellow grid on the grey-blue background.
    home.Write("zadivav.ini", "[3DView]\r\n3DGRID_COLOR=65535\r\n");
    CopyLightGlyphs(home.Path());
    CScopedPromptHandlers prompts([](const MessageRequest& request) {
        ADD_FAILURE() << request.text;
        return PromptAnswer::Ok;
    });

    CMainFrame* frame = CHousApp::CreateMainWindow(home.Path());
    frame->Show();
    CHousView* view = frame->Get3DView();
    ASSERT_NE(view, nullptr);
    ASSERT_NE(frame->GetPlanFrame(), nullptr);
    // The plan's paper frame has the desktop's paper, not the 0 x 0 of no printer.
    const POINT paper = frame->GetActiveChildDocument()->GetDefaultPaperSize();
    const POINT desktopPaper = GetDesktopPaperSettings().paperSize;
    EXPECT_GT(paper.x, 0);
    EXPECT_EQ(paper.x, desktopPaper.x);
    EXPECT_EQ(paper.y, desktopPaper.y);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (view->GetEngine().GetDevice() == nullptr &&
           std::chrono::steady_clock::now() < deadline) {
        view->Refresh();
        wxTheApp->Yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_NE(view->GetEngine().GetDevice(), nullptr);
    view->RepaintNow();
    wxTheApp->Yield();

    const wxImage shot = Screenshot(*view);
    const int width = shot.GetWidth();
    const int height = shot.GetHeight();
    EXPECT_GT(CountPixels(shot, 255, 255, 0), 100) << "no grid on screen";
    EXPECT_GT(CountPixels(shot, 150, 150, 200), width * height / 4) << "no background";
    EXPECT_GT(frame->GetPlanFrame()->GetSize().x, 0);

    frame->Destroy();
    wxTheApp->Yield();
}
