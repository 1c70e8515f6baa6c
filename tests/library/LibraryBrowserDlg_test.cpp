#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/treectrl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "StarterLibraryDocument.h"
#include "document/ActiveDocumentServices.h"
#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "foundation/ActiveDocument.h"
#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "library/ui/FurnitureBrowserDlg.h"
#include "library/ui/LibraryBrowsers.h"
#include "library/ui/ModelPreviewPanel.h"
#include "library/ui/PhotoBrowserDlg.h"
#include "library/ui/TextureBrowserDlg.h"
#include "library/ui/ThumbnailCell.h"
#include "objects/MaterialFileWriter.h"
#include "platform/desktop/WebLink.h"

namespace {

namespace fs = std::filesystem;

using namespace starter_library_test;

void PressButton(wxWindow& dialog, int id) {
    wxWindow* button = dialog.FindWindow(id);
    wxCommandEvent press(wxEVT_BUTTON, id);
    press.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(press);
}

// Stands for the plan or 3D view: remembers where entries were let go and
// whether a drag was pending then.
class FakeView : public wxPanel, public IDocumentView {
public:
    FakeView(wxWindow* parent, CHousDoc& doc) : wxPanel(parent, wxID_ANY), m_doc(doc) {}

    void OnDocumentUpdate(int /*hint*/) override {}
    void ActivateFrame() override {}
    void ShowFrame(bool /*show*/) override {}
    void DropLibraryEntry(int x, int y) override {
        drops.push_back(wxPoint(x, y));
        pendingAtDrop.push_back(m_doc.GetPlacement().inProgress != 0 ||
                                m_doc.GetPlacement().textureDrag != 0);
    }

    std::vector<wxPoint> drops;
    std::vector<bool> pendingAtDrop;

private:
    CHousDoc& m_doc;
};

class LibraryBrowserDlgTest : public StarterLibraryDocumentTest {
protected:
    void SetUp() override {
        StarterLibraryDocumentTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        m_frame = new wxFrame(nullptr, wxID_ANY, "views", wxPoint(20, 20), wxSize(400, 400));
        m_view = new FakeView(m_frame, *m_doc);
        m_frame->Show();
    }

    void TearDown() override {
        if (m_frame != nullptr) {
            m_frame->Destroy();
        }
        StarterLibraryDocumentTest::TearDown();
    }

    // The cell's point over the view's client point, as a release there
    // would come to the cell that holds the pointer.
    wxPoint OverView(wxWindow& cell, const wxPoint& viewPoint) const {
        return cell.ScreenToClient(m_view->ClientToScreen(viewPoint));
    }

    wxFrame* m_frame = nullptr;
    FakeView* m_view = nullptr;
};

TEST_F(LibraryBrowserDlgTest, StarterLibraryShowsPagesOfSixThumbnails) {
    CFurnitureBrowserDlg dialog(*m_doc, kBrowserModeAdd, m_frame);
    dialog.Show();
    Settle();
    EXPECT_EQ(LabelOf(dialog, CLibraryBrowserDlg::kCounterId), "[0/0]");
    EXPECT_FALSE(dialog.FindWindow(CLibraryBrowserDlg::kAddId)->IsEnabled());

    ShowCategory(dialog, kLargeCategory);
    EXPECT_EQ(LabelOf(dialog, CLibraryBrowserDlg::kCounterId), "[1/7]");
    for (int slot = 0; slot < CLibraryBrowserPage::kCellCount; ++slot) {
        EXPECT_TRUE(Cell(dialog, slot).HasPicture()) << slot;
        EXPECT_EQ(LabelOf(dialog, CLibraryBrowserDlg::kFirstNameId + slot).empty(), false) << slot;
    }
    EXPECT_TRUE(Cell(dialog, 0).IsSelected());
    EXPECT_TRUE(dialog.FindWindow(CLibraryBrowserDlg::kNextPageId)->IsEnabled());
    EXPECT_TRUE(dialog.FindWindow(CLibraryBrowserDlg::kSliderId)->IsShown());
    EXPECT_TRUE(dialog.FindWindow(CLibraryBrowserDlg::kAddId)->IsEnabled());

    // The selected model is drawn in the preview; without a stored size the
    // entry takes its mesh's, and the views are told it with the folder.
    EXPECT_TRUE(dialog.GetPreview()->HasFrame());
    const LibraryPlacement& placement = m_doc->GetPlacement();
    EXPECT_GT(placement.width, 0.0f);
    EXPECT_GT(placement.height, 0.0f);
    EXPECT_EQ(placement.folder, kLargeCategory);

    // "旋轉" turns the preview and is remembered in the settings file.
    auto* turn = static_cast<wxCheckBox*>(dialog.FindWindow(CLibraryBrowserDlg::kTurnId));
    ASSERT_TRUE(turn->IsEnabled());
    turn->SetValue(true);
    wxCommandEvent check(wxEVT_CHECKBOX, CLibraryBrowserDlg::kTurnId);
    check.SetEventObject(turn);
    check.SetInt(1);
    turn->GetEventHandler()->ProcessEvent(check);
    EXPECT_TRUE(dialog.GetPreview()->IsTurning());
    EXPECT_EQ(m_doc->Settings().previewTurn, 1);
    std::ifstream settings(m_folder.Path() / "zadivav.ini", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(settings)),
                           std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("PREVIEWTURN=1"), std::string::npos) << text;

    auto* next = static_cast<wxButton*>(dialog.FindWindow(CLibraryBrowserDlg::kNextPageId));
    wxCommandEvent press(wxEVT_BUTTON, CLibraryBrowserDlg::kNextPageId);
    press.SetEventObject(next);
    next->GetEventHandler()->ProcessEvent(press);
    EXPECT_EQ(LabelOf(dialog, CLibraryBrowserDlg::kCounterId), "[7/7]");
    EXPECT_TRUE(Cell(dialog, 0).HasPicture());
    EXPECT_FALSE(Cell(dialog, 1).HasPicture());
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(LibraryBrowserDlgTest, PressedCellDroppedOverAViewHandsItThePoint) {
    CLibraryBrowsers browsers(*m_doc, m_frame);
    CFurnitureBrowserDlg& dialog = browsers.ShowFurnitureBrowser();
    EXPECT_EQ(m_doc->GetLibraryBrowsers(), &browsers);
    Settle();
    ShowCategory(dialog, kLargeCategory);

    CThumbnailCell& cell = Cell(dialog, 2);
    SendMouse(cell, wxEVT_LEFT_DOWN, wxPoint(20, 20));
    EXPECT_EQ(m_doc->GetPlacement().inProgress, 1);
    EXPECT_EQ(m_doc->GetPlacement().kind, 0);
    EXPECT_EQ(LabelOf(dialog, CLibraryBrowserDlg::kCounterId), "[3/7]");
    EXPECT_FALSE(dialog.FindWindow(CLibraryBrowserDlg::kTreeId)->IsEnabled());
    // The cell holds the pointer, so its cursor shows over the views.
    EXPECT_TRUE(cell.GetCursor().IsOk());

    SendMouse(cell, wxEVT_LEFT_UP, OverView(cell, wxPoint(40, 30)));
    EXPECT_FALSE(cell.GetCursor().IsOk());
    ASSERT_EQ(m_view->drops.size(), 1u);
    EXPECT_EQ(m_view->drops[0], wxPoint(40, 30));
    EXPECT_TRUE(m_view->pendingAtDrop[0]);
    EXPECT_EQ(m_doc->GetPlacement().inProgress, 0);
    EXPECT_TRUE(dialog.FindWindow(CLibraryBrowserDlg::kTreeId)->IsEnabled());

    // Let go over the browser itself: the drag ends without a drop.
    SendMouse(cell, wxEVT_LEFT_DOWN, wxPoint(20, 20));
    SendMouse(cell, wxEVT_LEFT_UP, wxPoint(20, 20));
    EXPECT_EQ(m_view->drops.size(), 1u);
    EXPECT_EQ(m_doc->GetPlacement().inProgress, 0);
}

TEST_F(LibraryBrowserDlgTest, EmptyCellStartsNoDragAndRateNeedsAnEntry) {
    CFurnitureBrowserDlg dialog(*m_doc, kBrowserModeAdd, m_frame);
    dialog.Show();
    Settle();
    wxWindow& rate = *dialog.FindWindow(CLibraryBrowserDlg::kRateId);
    // An empty category: a rate click changes nothing.
    SendMouse(rate, wxEVT_LEFT_DOWN, wxPoint(80, 5));

    ShowCategory(dialog, "02沙發");
    EXPECT_EQ(LabelOf(dialog, CLibraryBrowserDlg::kCounterId), "[1/2]");
    CThumbnailCell& empty = Cell(dialog, 4);
    SendMouse(empty, wxEVT_LEFT_DOWN, wxPoint(20, 20));
    EXPECT_EQ(m_doc->GetPlacement().inProgress, 0);
    EXPECT_EQ(dialog.GetSelectedIndex(), std::optional<int>(0));
    SendMouse(empty, wxEVT_LEFT_UP, OverView(empty, wxPoint(40, 30)));
    EXPECT_TRUE(m_view->drops.empty());

    // The rightmost column of the strip rates the selected entry 5, which
    // the next listing of the category puts first.
    SendMouse(Cell(dialog, 1), wxEVT_LEFT_DOWN, wxPoint(20, 20));
    SendMouse(Cell(dialog, 1), wxEVT_LEFT_UP, wxPoint(20, 20));
    const std::string second = LabelOf(dialog, CLibraryBrowserDlg::kFirstNameId + 1);
    SendMouse(rate, wxEVT_LEFT_DOWN, wxPoint(kRateStripWidth - 1, 5));
    ShowCategory(dialog, "01桌椅");
    ShowCategory(dialog, "02沙發");
    EXPECT_EQ(LabelOf(dialog, CLibraryBrowserDlg::kFirstNameId), second);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(LibraryBrowserDlgTest, ReplaceModeWalksToTheReplacedModelsEntry) {
    CFurnitureBrowserDlg dialog(*m_doc, kBrowserModeReplace, m_frame);
    EXPECT_EQ(LabelOf(dialog, CLibraryBrowserDlg::kAddId), "置換");
    auto* keepSize = static_cast<wxCheckBox*>(dialog.FindWindow(CLibraryBrowserDlg::kKeepSizeId));
    EXPECT_TRUE(keepSize->IsEnabled());
    EXPECT_TRUE(keepSize->GetValue());

    // Folders and file are found ignoring case, as a stored path may name them.
    ASSERT_TRUE(dialog.ShowEntryOfFile(m_doc->GetModelFolder() + "/02沙發/三人沙發.QVX"));
    EXPECT_TRUE(dialog.FindWindow(CLibraryBrowserDlg::kAddId)->IsEnabled());
    EXPECT_EQ(dialog.GetEntryCount(), 2);
    EXPECT_EQ(
        LabelOf(dialog, CLibraryBrowserDlg::kFirstNameId + dialog.GetPage().GetSelectedSlot()),
        "三人沙發");

    // A model outside the library selects nothing.
    CFurnitureBrowserDlg other(*m_doc, kBrowserModeReplace, m_frame);
    EXPECT_FALSE(other.ShowEntryOfFile("/elsewhere/02沙發/三人沙發.qvx"));
    EXPECT_FALSE(other.FindWindow(CLibraryBrowserDlg::kAddId)->IsEnabled());
    EXPECT_EQ(LabelOf(other, CLibraryBrowserDlg::kCounterId), "[0/0]");

    // Other modes add, without the keep-size box.
    CFurnitureBrowserDlg adding(*m_doc, kBrowserModeAdd, m_frame);
    EXPECT_EQ(LabelOf(adding, CLibraryBrowserDlg::kAddId), "新增");
    EXPECT_FALSE(adding.FindWindow(CLibraryBrowserDlg::kKeepSizeId)->IsEnabled());
}

TEST_F(LibraryBrowserDlgTest, TextureDragCarriesTheEntrysFileImageAndTileSize) {
    CTextureBrowserDlg dialog(*m_doc, kBrowserModeAdd, m_frame);
    dialog.Show();
    Settle();
    auto* tree = static_cast<wxTreeCtrl*>(dialog.FindWindow(CLibraryBrowserDlg::kTreeId));
    wxTreeItemIdValue cookie;
    const wxTreeItemId first = tree->GetFirstChild(tree->GetRootItem(), cookie);
    ASSERT_TRUE(first.IsOk());
    ShowCategory(dialog, tree->GetItemText(first).utf8_string());
    ASSERT_GT(dialog.GetEntryCount(), 0);

    SendMouse(Cell(dialog, 0), wxEVT_LEFT_DOWN, wxPoint(20, 20), true);
    const LibraryPlacement& placement = m_doc->GetPlacement();
    EXPECT_EQ(placement.textureDragCtrl, 1);
    EXPECT_EQ(placement.textureDrag, 0);
    EXPECT_EQ(placement.pendingTexturePath, dialog.GetTexturePath());
    ASSERT_NE(placement.pendingTextureImage, nullptr);
    EXPECT_FALSE(placement.pendingTextureImage->empty());
    ASSERT_NE(placement.pendingMapping, nullptr);
    EXPECT_GT(placement.pendingMapping->tileWidth, 0.0f);
    EXPECT_EQ(placement.pendingMapping->tileFlag, 1);

    SendMouse(Cell(dialog, 0), wxEVT_LEFT_UP, OverView(Cell(dialog, 0), wxPoint(5, 6)));
    ASSERT_EQ(m_view->drops.size(), 1u);
    EXPECT_EQ(m_view->drops[0], wxPoint(5, 6));
    EXPECT_EQ(placement.textureDragCtrl, 0);
    EXPECT_TRUE(placement.pendingTexturePath.empty());

    // The same file selected again from its path, ignoring case.
    const std::string path = dialog.GetTexturePath();
    ShowCategory(dialog, tree->GetItemText(first).utf8_string());
    dialog.SelectTextureFile(path);
    EXPECT_EQ(dialog.GetTexturePath(), path);
}

// A material file keeps its link in CP950, ended by a NUL that older
// editors leave with bytes after it; the button opens the decoded text
// before the NUL, in the texture and in the photo browser alike.
TEST_F(LibraryBrowserDlgTest, WebPageButtonOpensTheMaterialsLinkCutAtItsNul) {
    MaterialFileContents contents;
    contents.name = "連結";
    contents.webLink = std::string("www.家具.tw") + '\0' + "舊網址";
    contents.width = 40.0f;
    contents.height = 30.0f;
    ASSERT_TRUE(image::AllocateRaster(contents.image, 4, 4));
    MaterialFileContents plain = contents;
    plain.name = "無連結";
    plain.webLink.clear();
    const std::string category = "99連結";
    std::string error;
    for (const char* library : {"STexture", "STPicture"}) {
        fs::create_directories(m_folder.Path() / library / category);
        ASSERT_TRUE(WriteMaterialFile(m_folder.Path() / library / category / "linked.qvp", contents,
                                      &error))
            << error;
        ASSERT_TRUE(
            WriteMaterialFile(m_folder.Path() / library / category / "plain.qvp", plain, &error))
            << error;
    }
    std::vector<std::string> opened;
    bool browserStarts = true;
    desktop::SetWebLinkLauncher([&](const std::string& url) {
        opened.push_back(url);
        return browserStarts;
    });

    CTextureBrowserDlg textures(*m_doc, kBrowserModeAdd, m_frame);
    CPhotoBrowserDlg photos(*m_doc, kBrowserModeAdd, m_frame);
    for (CLibraryBrowserDlg* dialog :
         {static_cast<CLibraryBrowserDlg*>(&textures), static_cast<CLibraryBrowserDlg*>(&photos)}) {
        SCOPED_TRACE(dialog->GetTitle().utf8_string());
        opened.clear();
        m_messages.clear();
        dialog->Show();
        Settle();
        ShowCategory(*dialog, category);
        ASSERT_EQ(dialog->GetEntryCount(), 2);
        auto* button = static_cast<wxButton*>(dialog->FindWindow(CLibraryBrowserDlg::kWebLinkId));
        for (int slot = 0; slot < 2; ++slot) {
            SendMouse(Cell(*dialog, slot), wxEVT_LEFT_DOWN, wxPoint(20, 20));
            SendMouse(Cell(*dialog, slot), wxEVT_LEFT_UP, wxPoint(20, 20));
            if (LabelOf(*dialog, CLibraryBrowserDlg::kFirstNameId + slot) == "無連結") {
                EXPECT_FALSE(button->IsEnabled());
                continue;
            }
            ASSERT_TRUE(button->IsEnabled());
            EXPECT_EQ(button->GetToolTipText().utf8_string(), "www.家具.tw");
            browserStarts = true;
            PressButton(*dialog, CLibraryBrowserDlg::kWebLinkId);
            browserStarts = false;
            PressButton(*dialog, CLibraryBrowserDlg::kWebLinkId);
        }
        EXPECT_EQ(opened, (std::vector<std::string>{"http://www.家具.tw", "http://www.家具.tw"}));
        // Only the browser that did not start is told of.
        EXPECT_EQ(m_messages, std::vector<std::string>{"無法開啟網站!"});
        dialog->Hide();
    }
    desktop::SetWebLinkLauncher({});
}

}  // namespace
