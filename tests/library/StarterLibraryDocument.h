#pragma once

// A document on a copy of the generated starter library, with one more
// category that fills a page and starts a second, messages answered and
// kept; and the steps browser tests take with the toolkit.

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/treectrl.h>
#include <wx/utils.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "document/ActiveDocumentServices.h"
#include "document/HousDoc.h"
#include "foundation/ActiveDocument.h"
#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "library/ui/LibraryBrowserDlg.h"
#include "library/ui/ThumbnailCell.h"
#include "objects/LibraryCatalog.h"
#include "support/TempFolder.h"

namespace starter_library_test {

inline const std::filesystem::path kStarterLibrary = VELMORA_BUILD_STARTER_LIBRARY_DIR;
inline constexpr const char* kLargeCategory = "09測試";
inline constexpr int kLargeCategorySize = 7;

// Lets the toolkit deliver what the last step queued.
inline void Settle() {
    for (int i = 0; i < 5; ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
}

inline void SendMouse(wxWindow& window, wxEventType type, const wxPoint& point, bool ctrl = false) {
    wxMouseEvent event(type);
    event.SetEventObject(&window);
    event.SetId(window.GetId());
    event.SetPosition(point);
    event.m_leftDown = type == wxEVT_LEFT_DOWN;
    event.SetControlDown(ctrl);
    window.GetEventHandler()->ProcessEvent(event);
}

inline CThumbnailCell& Cell(wxWindow& dialog, int slot) {
    return *static_cast<CThumbnailCell*>(
        dialog.FindWindow(CLibraryBrowserDlg::kFirstCellId + slot));
}

inline wxTreeItemId FindRootItem(wxTreeCtrl& tree, const std::string& text) {
    wxTreeItemIdValue cookie;
    for (wxTreeItemId item = tree.GetFirstChild(tree.GetRootItem(), cookie); item.IsOk();
         item = tree.GetNextChild(tree.GetRootItem(), cookie)) {
        if (tree.GetItemText(item).utf8_string() == text) {
            return item;
        }
    }
    return {};
}

inline void ShowCategory(CLibraryBrowserDlg& dialog, const std::string& name) {
    auto* tree = static_cast<wxTreeCtrl*>(dialog.FindWindow(CLibraryBrowserDlg::kTreeId));
    const wxTreeItemId item = FindRootItem(*tree, name);
    ASSERT_TRUE(item.IsOk()) << name;
    tree->SelectItem(item);
    Settle();
}

inline std::string LabelOf(wxWindow& dialog, int id) {
    wxWindow* window = dialog.FindWindow(id);
    return window != nullptr ? window->GetLabel().utf8_string() : std::string("<none>");
}

class StarterLibraryDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        ASSERT_TRUE(fs::exists(kStarterLibrary / "RIr6.db")) << kStarterLibrary;
        fs::copy(kStarterLibrary, m_folder.Path(), fs::copy_options::recursive);
        const fs::path chair = m_folder.Path() / "SModel/01桌椅/餐椅.qvx";
        fs::create_directories(m_folder.Path() / "SModel" / kLargeCategory);
        for (int i = 0; i < kLargeCategorySize; ++i) {
            fs::copy_file(chair, m_folder.Path() / "SModel" / kLargeCategory /
                                     ("椅" + std::to_string(i) + ".qvx"));
        }
        m_previousFolder = GetProgramFolder();
        SetProgramFolder(m_folder.Path().string() + "/");
        CLibraryCatalog::SetCatalogFilePath({});
        m_doc = std::make_unique<CHousDoc>();
        SetActiveHousDocAccessor([this] { return m_doc.get(); });
        m_previousServices = SetDocumentServices(&m_services);
    }

    // After the windows are gone.
    void TearDown() override {
        Settle();
        SetDocumentServices(m_previousServices);
        SetActiveHousDocAccessor({});
        m_doc.reset();
        SetProgramFolder(m_previousFolder);
    }

    std::vector<std::string> m_messages;
    CScopedPromptHandlers m_prompts{[this](const MessageRequest& request) {
        m_messages.push_back(request.text);
        return PromptAnswer::Ok;
    }};
    TempFolder m_folder;
    std::string m_previousFolder;
    std::unique_ptr<CHousDoc> m_doc;
    CActiveDocumentServices m_services;
    IDocumentServices* m_previousServices = nullptr;
};

}  // namespace starter_library_test
