#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/timer.h>
#include <wx/treectrl.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "StarterLibraryDocument.h"
#include "document/ActiveDocumentServices.h"
#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "foundation/ActiveDocument.h"
#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "library/ui/FurnitureBrowserDlg.h"
#include "library/ui/LibraryBrowsers.h"
#include "library/ui/PhotoBrowserDlg.h"
#include "library/ui/TextureBrowserDlg.h"
#include "library/ui/ThumbnailCell.h"
#include "objects/LibraryCatalog.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/Test3DObject.h"
#include "view3d/HousView.h"
#include "view3d/ShownViewFixture.h"

namespace {

namespace fs = std::filesystem;

using namespace starter_library_test;
constexpr int kFacingSide = 5;

void PressButton(wxWindow& dialog, int id) {
    wxWindow* button = dialog.FindWindow(id);
    wxCommandEvent press(wxEVT_BUTTON, id);
    press.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(press);
}

// The modal dialog the program is waiting on, if any.
template <typename Dialog>
Dialog* FindModalDialog() {
    for (wxWindow* window : wxTopLevelWindows) {
        auto* dialog = dynamic_cast<Dialog*>(window);
        if (dialog != nullptr && dialog->IsModal()) {
            return dialog;
        }
    }
    return nullptr;
}

// Answers the modal dialog of the type once it runs: a timer looks for it,
// since the code under test opens it and waits.
template <typename Dialog>
class ModalAnswer : public wxTimer {
public:
    explicit ModalAnswer(std::function<void(Dialog&)> answer)
        : m_answer(std::move(answer)),
          m_deadline(std::chrono::steady_clock::now() + std::chrono::seconds(10)) {
        Start(20);
    }

    void Notify() override {
        Dialog* dialog = FindModalDialog<Dialog>();
        if (dialog == nullptr) {
            if (std::chrono::steady_clock::now() > m_deadline) {
                Stop();
                ADD_FAILURE() << "the modal browser never opened";
            }
            return;
        }
        Stop();
        m_answer(*dialog);
        if (dialog->IsModal()) {
            ADD_FAILURE() << "the browser stayed open";
            dialog->EndModal(wxID_CANCEL);
        }
    }

private:
    std::function<void(Dialog&)> m_answer;
    std::chrono::steady_clock::time_point m_deadline;
};

// The real 3D view and the real browsers on a copy of the starter library:
// the view's camera stands at (300, 200, -900) looking along +z and down,
// so that the window's middle looks at the ground in the plan's quadrant.
class LibraryDropIntoViewTest : public StarterLibraryDocumentTest {
protected:
    void SetUp() override {
        StarterLibraryDocumentTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        m_frame = new wxFrame(nullptr, wxID_ANY, "3D", wxPoint(20, 20), wxSize(400, 400));
        m_view = new CHousView(m_frame, m_doc.get());
        m_frame->Show();
        ASSERT_TRUE(WaitForViewDevice(*m_view));
        m_view->SetCameraPosition(300, 200, -900);
        m_view->SetCameraAngles(0, 0.4);
        m_view->UpdateCamera();
        m_browsers = std::make_unique<CLibraryBrowsers>(*m_doc, m_frame);
    }

    void TearDown() override {
        m_browsers.reset();
        if (m_frame != nullptr) {
            m_frame->Destroy();
        }
        StarterLibraryDocumentTest::TearDown();
    }

    [[nodiscard]] wxPoint Centre() const {
        const wxSize size = m_view->GetClientSize();
        return {size.x / 2, size.y / 2};
    }

    // Presses the cell and lets go over the view's client point: the cell
    // holds the pointer, so the release comes to it.
    void DragCellOntoView(wxWindow& cell, const wxPoint& viewPoint) {
        SendMouse(cell, wxEVT_LEFT_DOWN, wxPoint(20, 20));
        SendMouse(cell, wxEVT_LEFT_UP, cell.ScreenToClient(m_view->ClientToScreen(viewPoint)));
    }

    [[nodiscard]] std::vector<CDesignObject*>& Models() {
        return m_view->GetScene()->Objects(kModelObjectType);
    }

    // The first chair of the test's category dropped in the middle of the view.
    C3DObject* DropChair() {
        CFurnitureBrowserDlg& dialog = m_browsers->ShowFurnitureBrowser();
        Settle();
        ShowCategory(dialog, kLargeCategory);
        DragCellOntoView(Cell(dialog, 0), Centre());
        return Models().empty() ? nullptr : static_cast<C3DObject*>(Models().back());
    }

    wxFrame* m_frame = nullptr;
    CHousView* m_view = nullptr;
    std::unique_ptr<CLibraryBrowsers> m_browsers;
};

TEST_F(LibraryDropIntoViewTest, AFurnitureEntryDraggedIntoTheViewStandsAtTheDropPoint) {
    CFurnitureBrowserDlg& dialog = m_browsers->ShowFurnitureBrowser();
    Settle();
    ShowCategory(dialog, kLargeCategory);
    EXPECT_EQ(LabelOf(dialog, CLibraryBrowserDlg::kCounterId), "[1/7]");
    for (int slot = 0; slot < CLibraryBrowserPage::kCellCount; ++slot) {
        EXPECT_TRUE(Cell(dialog, slot).HasPicture()) << slot;
    }

    const wxPoint at = Centre() + wxPoint(25, 15);
    const POINT window{at.x, at.y};
    const gfx::Vector3 floor = m_view->UnprojectToPlane(&window, 1, 0);
    ASSERT_GE(floor.x, 0.0f);
    ASSERT_LE(floor.z, 0.0f);
    CThumbnailCell& cell = Cell(dialog, 2);
    SendMouse(cell, wxEVT_LEFT_DOWN, wxPoint(20, 20));
    EXPECT_EQ(m_doc->GetPlacement().inProgress, 1);
    SendMouse(cell, wxEVT_LEFT_UP, cell.ScreenToClient(m_view->ClientToScreen(at)));

    ASSERT_EQ(Models().size(), 1u);
    const auto* model = static_cast<C3DObject*>(Models()[0]);
    EXPECT_NEAR(model->GetPosition().x, floor.x, 0.01f);
    EXPECT_NEAR(model->GetPosition().z, floor.z, 0.01f);
    EXPECT_FLOAT_EQ(model->GetPosition().y, 0.0f);
    EXPECT_TRUE(fs::equivalent(model->GetFilePath(),
                               m_folder.Path() / "SModel" / kLargeCategory / "椅2.qvx"));
    EXPECT_NE(model->GetMesh(), nullptr);
    EXPECT_EQ(m_doc->GetPlacement().inProgress, 0);
    EXPECT_EQ(m_doc->GetDesignModified(), 1);
    EXPECT_TRUE(m_messages.empty());
}

// The browser's cell holds the pointer while a model is dragged, yet the
// cursor shows what a drop would do where the pointer is: land on the table,
// be refused by the lamp, or stand on the ground, all before the release.
TEST_F(LibraryDropIntoViewTest, DraggedModelShowsWhereItWouldGoBeforeRelease) {
    struct Box {
        const char* file;
        float left;
    };
    for (const Box& box : {Box{"/lib/SModel/03燈具/lamp.qvx", 180.0f},
                           Box{"/lib/SModel/01桌椅/table.qvx", 360.0f}}) {
        auto* object = new CTest3DObject(kModelObjectType);
        object->MakeBox({box.left, 0, -300}, {box.left + 60, 150, -260}, 1,
                        m_view->GetEngine().GetDevice());
        object->SetFilePath(box.file);
        object->UpdateWorldMatrix();
        m_view->GetScene()->AddObjectIfAbsent(kModelObjectType, object);
    }
    const POINT lamp = m_view->ProjectToWindow(210, 75, -300);
    const POINT table = m_view->ProjectToWindow(390, 75, -300);
    const POINT ground = m_view->ProjectToWindow(300, 0, -500);

    CFurnitureBrowserDlg& dialog = m_browsers->ShowFurnitureBrowser();
    Settle();
    ShowCategory(dialog, kLargeCategory);
    CThumbnailCell& cell = Cell(dialog, 0);
    SendMouse(cell, wxEVT_LEFT_DOWN, wxPoint(20, 20));
    EXPECT_EQ(dialog.GetDragCursorShown(), 593);
    const struct {
        POINT at;
        int cursor;
    } moves[] = {{table, 589}, {lamp, 592}, {ground, 593}, {lamp, 592}};
    for (const auto& move : moves) {
        SCOPED_TRACE(move.cursor);
        wxMouseEvent motion(wxEVT_MOTION);
        motion.SetEventObject(&cell);
        motion.SetPosition(
            cell.ScreenToClient(m_view->ClientToScreen(wxPoint(move.at.x, move.at.y))));
        motion.m_leftDown = true;
        cell.GetEventHandler()->ProcessEvent(motion);
        EXPECT_EQ(dialog.GetDragCursorShown(), move.cursor);
    }
    // Let go over the lamp: nothing is placed and the cursor is the normal one.
    SendMouse(cell, wxEVT_LEFT_UP, cell.ScreenToClient(m_view->ClientToScreen({lamp.x, lamp.y})));
    EXPECT_EQ(Models().size(), 2u);
    EXPECT_EQ(dialog.GetDragCursorShown(), 0);
    EXPECT_FALSE(cell.GetCursor().IsOk());
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(LibraryDropIntoViewTest, ATextureDraggedOntoAWallFaceCoversThatFace) {
    auto* wall = new CTest3DObject(kWallObjectType);
    wall->MakeBox({200, 0, -300}, {400, 200, -280}, 6, m_view->GetEngine().GetDevice());
    wall->UpdateWorldMatrix();
    m_view->GetScene()->AddObjectIfAbsent(kWallObjectType, wall);
    const POINT facing = m_view->ProjectToWindow(300, 100, -300);

    CTextureBrowserDlg& dialog = m_browsers->ShowTextureBrowser();
    Settle();
    ShowCategory(dialog, "木紋");
    ASSERT_GT(dialog.GetEntryCount(), 0);
    DragCellOntoView(Cell(dialog, 0), wxPoint(facing.x, facing.y));

    std::string name;
    wall->GetTextureName(kFacingSide, name);
    EXPECT_EQ(name, dialog.GetTexturePath());
    EXPECT_NE(wall->GetTexture(kFacingSide), nullptr);
    EXPECT_GT(wall->GetMappingRecord(kFacingSide).tileWidth, 0.0f);
    for (int material = 0; material < kFacingSide; ++material) {
        EXPECT_EQ(wall->GetTexture(material), nullptr) << material;
    }
    EXPECT_TRUE(m_doc->GetPlacement().pendingTexturePath.empty());

    // A click on the face shows its texture in the open browser, in its
    // category, after another category was shown.
    ShowCategory(dialog, "磚牆");
    wxMouseEvent down(wxEVT_LEFT_DOWN);
    down.SetPosition(wxPoint(facing.x, facing.y));
    down.m_leftDown = true;
    down.SetEventObject(m_view);
    m_view->GetEventHandler()->ProcessEvent(down);
    wxMouseEvent up(wxEVT_LEFT_UP);
    up.SetPosition(wxPoint(facing.x, facing.y));
    up.SetEventObject(m_view);
    m_view->GetEventHandler()->ProcessEvent(up);
    EXPECT_EQ(dialog.GetTexturePath(), name);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(LibraryDropIntoViewTest, ReplacingASelectedChairKeepsItsPlaceAndSize) {
    C3DObject* chair = DropChair();
    ASSERT_NE(chair, nullptr);
    const gfx::Vector3 position = chair->GetPosition();
    const std::array<float, 3> size = chair->GetRealSize();
    m_view->GetScene()->SelectObject(kModelObjectType, chair);

    bool sawBrowser = false;
    const ModalAnswer<CFurnitureBrowserDlg> answer(
        [this, &sawBrowser](CFurnitureBrowserDlg& dialog) {
            sawBrowser = true;
            // It opens on the replaced chair's entry.
            EXPECT_EQ(LabelOf(dialog, CLibraryBrowserDlg::kAddId), "置換");
            EXPECT_TRUE(dialog.FindWindow(CLibraryBrowserDlg::kAddId)->IsEnabled());
            EXPECT_EQ(LabelOf(dialog, CLibraryBrowserDlg::kCounterId), "[1/7]");
            EXPECT_TRUE(Cell(dialog, 0).IsSelected());
            EXPECT_TRUE(dialog.IsKeepSizeChecked());

            ShowCategory(dialog, "02沙發");
            SendMouse(Cell(dialog, 1), wxEVT_LEFT_DOWN, wxPoint(20, 20));
            SendMouse(Cell(dialog, 1), wxEVT_LEFT_UP, wxPoint(20, 20));
            EXPECT_EQ(m_doc->GetPlacement().inProgress, 0);
            PressButton(dialog, CLibraryBrowserDlg::kAddId);
        });
    m_browsers->OpenReplaceBrowsers();
    ASSERT_TRUE(sawBrowser);

    ASSERT_EQ(Models().size(), 1u);
    auto* sofa = static_cast<C3DObject*>(Models()[0]);
    EXPECT_NE(sofa, chair);
    EXPECT_EQ(fs::path(sofa->GetFilePath()).parent_path().filename(), "02沙發");
    EXPECT_EQ(sofa->GetPosition(), position);
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_NEAR(sofa->GetRealSize()[axis], size[axis], 0.01f) << axis;
    }
    EXPECT_EQ(m_view->GetScene()->Selected(kModelObjectType), std::vector<CDesignObject*>{sofa});
    EXPECT_TRUE(m_messages.empty());

    // One undo step brings the chair back.
    m_doc->Undo();
    ASSERT_EQ(Models().size(), 1u);
    EXPECT_EQ(Models()[0], chair);
}

TEST_F(LibraryDropIntoViewTest, ReplaceOpensTheFurnitureThenThePhotoBrowser) {
    C3DObject* chair = DropChair();
    ASSERT_NE(chair, nullptr);
    CPhotoBrowserDlg& photos = m_browsers->ShowPhotoBrowser();
    Settle();
    ShowCategory(photos, "海報");
    DragCellOntoView(Cell(photos, 0), Centre() + wxPoint(-90, 40));
    std::vector<CDesignObject*>& placedPhotos = m_view->GetScene()->Objects(kPhotoObjectType);
    ASSERT_EQ(placedPhotos.size(), 1u);
    auto* photo = static_cast<C3DObject*>(placedPhotos[0]);
    const std::string firstPoster = photo->GetFilePath();
    m_view->GetScene()->SelectObject(kModelObjectType, chair);
    m_view->GetScene()->SelectObject(kPhotoObjectType, photo);

    std::vector<std::string> opened;
    const auto answerPhoto = [&opened](CPhotoBrowserDlg& dialog) {
        opened.emplace_back("photo");
        // It opens on the photo's own poster; the other one replaces it.
        EXPECT_EQ(LabelOf(dialog, CLibraryBrowserDlg::kAddId), "置換");
        EXPECT_EQ(LabelOf(dialog, CLibraryBrowserDlg::kCounterId), "[1/2]");
        EXPECT_TRUE(dialog.IsKeepSizeChecked());
        const int other = 1 - dialog.GetPage().GetSelectedSlot();
        SendMouse(Cell(dialog, other), wxEVT_LEFT_DOWN, wxPoint(20, 20));
        SendMouse(Cell(dialog, other), wxEVT_LEFT_UP, wxPoint(20, 20));
        PressButton(dialog, CLibraryBrowserDlg::kAddId);
    };
    const ModalAnswer<CFurnitureBrowserDlg> furnitureAnswer(
        [&opened](CFurnitureBrowserDlg& dialog) {
            opened.emplace_back("furniture");
            ShowCategory(dialog, "02沙發");
            PressButton(dialog, CLibraryBrowserDlg::kAddId);
        });
    const ModalAnswer<CPhotoBrowserDlg> photoAnswer(answerPhoto);
    m_browsers->OpenReplaceBrowsers();

    EXPECT_EQ(opened, (std::vector<std::string>{"furniture", "photo"}));
    ASSERT_EQ(Models().size(), 1u);
    EXPECT_NE(Models()[0], chair);
    // The size is kept: the same photo shows the other poster.
    ASSERT_EQ(placedPhotos.size(), 1u);
    EXPECT_EQ(placedPhotos[0], photo);
    EXPECT_NE(photo->GetFilePath(), firstPoster);
    EXPECT_EQ(fs::path(photo->GetFilePath()).parent_path().filename(), "海報");
    EXPECT_NE(photo->GetTexture(0), nullptr);
    EXPECT_TRUE(m_messages.empty());
}

}  // namespace
