#include <gtest/gtest.h>
#include <wx/app.h>

#include <memory>

#include "foundation/Prompt.h"
#include "shell/CommandIds.h"
#include "shell/HousApp.h"
#include "shell/MainFrame.h"
#include "support/LightGlyphs.h"
#include "support/TempFolder.h"
#include "view3d/ContextMenuTable.h"
#include "view3d/HousView.h"

namespace {

TEST(MainFrameContextMenu, TheViewsMenusUseTheFramesCommandNumbers) {
    struct Pair {
        int menu;
        int frame;
    };
    using namespace context_menu;
    for (const Pair& pair :
         {Pair{kCopy, cmd::kCopy}, Pair{kPaste, cmd::kPaste}, Pair{kPasteHere, cmd::kPasteHere},
          Pair{kArrayCopy, cmd::kArrayCopy}, Pair{kExportSelection, cmd::kExportSelection},
          Pair{kExportPackagedModel, cmd::kExportPackagedModel},
          Pair{kMirrorLeftRight, cmd::kMirrorLeftRight},
          Pair{kMirrorFrontBack, cmd::kMirrorFrontBack},
          Pair{kShowSurfacePlanDrawing, cmd::kShowSurfacePlanDrawing},
          Pair{kReadBoundaryValues, cmd::kReadBoundaryValues}, Pair{kReplace, cmd::kReplace}}) {
        EXPECT_EQ(pair.menu, pair.frame);
    }
}

TEST(MainFrameContextMenu, TheViewOffersWhatTheFrameAnswers) {
    TempFolder home;
    CopyLightGlyphs(home.Path());
    CScopedPromptHandlers prompts([](const MessageRequest& request) {
        ADD_FAILURE() << request.text;
        return PromptAnswer::Ok;
    });
    CMainFrame* frame = CHousApp::CreateMainWindow(home.Path());
    frame->Show();
    wxTheApp->Yield();
    CHousView* view = frame->Get3DView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->IsCommandAvailable(cmd::kMirrorLeftRight));
    EXPECT_TRUE(view->IsCommandAvailable(cmd::kReadBoundaryValues));
    EXPECT_TRUE(view->IsCommandAvailable(context_menu::kAddShadowPicture));
    EXPECT_TRUE(view->IsCommandAvailable(context_menu::kReplace));
    EXPECT_FALSE(view->IsCommandAvailable(12345));
    frame->Close(true);
    wxTheApp->Yield();
    while (wxTheApp->Pending()) {
        wxTheApp->Dispatch();
    }
    wxTheApp->ProcessIdle();
}

}  // namespace
