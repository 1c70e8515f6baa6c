#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "foundation/ApplicationValues.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/SceneServices.h"
#include "objects/Test3DObject.h"
#include "platform/draw/DrawTypes.h"
#include "platform/gfx/Device.h"
#include "support/TempFolder.h"
#include "view3d/HousView.h"

namespace {

TEST(HousView, PaintsTheGridIntoItsBackBuffer) {
    const TempFolder programFolder;
    SetProgramFolder(programFolder.Path());
    CHousDoc doc;
    doc.Settings().grid3DColor = draw::Rgb(255, 255, 0);

    auto* frame = new wxFrame(nullptr, wxID_ANY, "3D", wxDefaultPosition, wxSize(640, 480));
    auto* view = new CHousView(frame, &doc);
    EXPECT_EQ(doc.Get3DView(), view);
    CDesignScene* scene = view->GetScene();
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(g_pCurrentScene, scene);
    frame->Show();

    // The first paint on screen sets up the device and draws.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (view->GetEngine().GetDevice() == nullptr &&
           std::chrono::steady_clock::now() < deadline) {
        view->Refresh();
        wxTheApp->Yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    gfx::Device* device = view->GetEngine().GetDevice();
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(g_pD3DDevice, device);
    EXPECT_EQ(scene->GetDocument(), &doc);
    EXPECT_NE(view->GetOverlayLineBuffer(), nullptr);
    EXPECT_NE(view->GetOverlayShapeBuffer(), nullptr);
    doc.UpdateAllViews(2100);

    std::vector<uint8_t> pixels;
    ASSERT_EQ(gfx::kOk, device->GetBackBufferPixels(&pixels));
    int gridPixels = 0;
    for (size_t i = 0; i + 3 < pixels.size(); i += 4) {
        const int b = pixels[i], g = pixels[i + 1], r = pixels[i + 2];
        if (r > 200 && g > 200 && b < 60) {
            ++gridPixels;
        }
    }
    EXPECT_GT(gridPixels, 1000);

    // Closing the design empties the view's scene.
    scene->AddObjectIfAbsent(kModelObjectType, new CTest3DObject(kModelObjectType));
    view->ClearDesign();
    EXPECT_TRUE(scene->Objects(kModelObjectType).empty());

    frame->Destroy();
    wxTheApp->Yield();
    EXPECT_EQ(doc.Get3DView(), nullptr);
    EXPECT_EQ(g_pD3DDevice, nullptr);
    EXPECT_EQ(g_pCurrentScene, nullptr);
}

}  // namespace
