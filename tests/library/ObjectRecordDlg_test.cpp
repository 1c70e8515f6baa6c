#include "library/ui/ObjectRecordDlg.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/textctrl.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "CatalogFixture.h"
#include "LibraryFileBytes.h"
#include "library/ModelCatalogEntry.h"
#include "library/PictureCatalogEntry.h"
#include "library/TextureCatalogEntry.h"
#include "objects/ModelObjectTestPackage.h"

namespace {

// Runs the dialog modally while the test works its controls; whatever the
// test leaves open is closed, so the run never waits for a user.
int RunModal(wxDialog& dialog, const std::function<void()>& whileShown) {
    dialog.CallAfter([&dialog, whileShown] {
        whileShown();
        if (dialog.IsModal()) {
            dialog.EndModal(wxID_ABORT);
        }
    });
    return dialog.ShowModal();
}

void Press(wxWindow& dialog, int buttonId) {
    wxWindow* button = dialog.FindWindow(buttonId);
    ASSERT_NE(button, nullptr) << buttonId;
    wxCommandEvent event(wxEVT_BUTTON, buttonId);
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
}

wxTextCtrl* Edit(wxWindow& dialog, int id) {
    return static_cast<wxTextCtrl*>(dialog.FindWindow(id));
}

std::string TextOf(wxWindow& dialog, int id) {
    return Edit(dialog, id)->GetValue().utf8_string();
}

void Type(wxWindow& dialog, int id, const char* utf8) {
    Edit(dialog, id)->SetValue(wxString::FromUTF8(utf8));
}

class ObjectRecordDlgTest : public CatalogFixture {
protected:
    std::string Folder() const { return std::filesystem::path(CatalogPath()).parent_path(); }
};

TEST_F(ObjectRecordDlgTest, ModelRecordIsCheckedThenStoredInEntryAndRow) {
    Sql("insert into QVXModels values('Chair','Old',1,2,3,4,'d','s',3,'v')");
    ModelCatalogEntry entry;
    entry.filePath = PathOf("SModel/Chair.qvx");
    entry.name = "椅子";
    entry.width = 45.5f;
    entry.depth = 50.0f;
    entry.height = 80.0f;
    entry.price = 1200.0f;

    CObjectRecordDlg dialog(Folder(), entry, nullptr);
    const int result = RunModal(dialog, [&] {
        EXPECT_EQ(dialog.GetTitle().utf8_string(), "物件資料 - ./SModel/Chair.qvx");
        EXPECT_EQ(dialog.FindWindow(CObjectRecordDlg::kReloadId)->GetLabel().utf8_string(),
                  "讀取模型檔案資料");
        EXPECT_TRUE(Edit(dialog, CObjectRecordDlg::kDepthId)->IsEnabled());
        EXPECT_EQ(TextOf(dialog, CObjectRecordDlg::kNameId), "椅子");
        EXPECT_EQ(TextOf(dialog, CObjectRecordDlg::kWidthId), "45.5");

        Type(dialog, CObjectRecordDlg::kNameId, "餐椅");
        Type(dialog, CObjectRecordDlg::kWidthId, "0");
        Type(dialog, CObjectRecordDlg::kDepthId, "0");
        Type(dialog, CObjectRecordDlg::kPriceId, "1e9");
        Type(dialog, CObjectRecordDlg::kSerialNumberId, "C-2");
        Type(dialog, CObjectRecordDlg::kVendorId, "木工坊");
        Type(dialog, CObjectRecordDlg::kDescriptionId, "橡木\n兩張");
        Press(dialog, wxID_OK);
        EXPECT_TRUE(dialog.IsModal());
        EXPECT_EQ(TextOf(dialog, CObjectRecordDlg::kWidthId), "0");

        Type(dialog, CObjectRecordDlg::kWidthId, "52.25");
        Press(dialog, wxID_OK);
        EXPECT_TRUE(dialog.IsModal());
        EXPECT_EQ(TextOf(dialog, CObjectRecordDlg::kPriceId), "1000000000.000000");

        Type(dialog, CObjectRecordDlg::kPriceId, "990");
        Press(dialog, wxID_OK);
    });
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(m_messages, (std::vector<std::string>{"寬,深,高, 價格不可為負值或0",
                                                    "請輸入介於 0 和 100000000 之間的數字。"}));
    EXPECT_EQ(TextOf(dialog, CObjectRecordDlg::kWidthId), "52.250000");
    EXPECT_EQ(entry.name, "餐椅");
    EXPECT_EQ(entry.width, 52.25f);
    EXPECT_EQ(entry.depth, 0.0f);
    EXPECT_EQ(entry.price, 990.0f);
    EXPECT_EQ(entry.description, "橡木\n兩張");
    EXPECT_EQ(Rows("select * from QVXModels"),
              std::vector<std::string>{"Chair|餐椅|52.25|0.0|80.0|990.0|橡木\n兩張|C-2|3|木工坊"});
}

TEST_F(ObjectRecordDlgTest, ModelReloadShowsThePackagesTextsButStoresNothingOnCancel) {
    Sql("insert into QVXModels values('box','Old',1,2,3,4,'d','s',3,'v')");
    ModelCatalogEntry entry;
    entry.filePath = PathOf("SModel/box.qvx");
    WriteFile(entry.filePath, model_test::MakePackage({}));
    entry.name = "Old";
    entry.width = 1.0f;

    CObjectRecordDlg dialog(Folder(), entry, nullptr);
    const int result = RunModal(dialog, [&] {
        Press(dialog, CObjectRecordDlg::kReloadId);
        EXPECT_EQ(TextOf(dialog, CObjectRecordDlg::kNameId), "方盒");
        EXPECT_EQ(TextOf(dialog, CObjectRecordDlg::kSerialNumberId), "B-1");
        EXPECT_EQ(TextOf(dialog, CObjectRecordDlg::kPriceId), "10");
        EXPECT_EQ(TextOf(dialog, CObjectRecordDlg::kWidthId), "1");
        Press(dialog, wxID_CANCEL);
    });
    EXPECT_NE(result, wxID_OK);
    EXPECT_EQ(entry.name, "Old");
    ASSERT_NE(entry.package, nullptr);
    EXPECT_EQ(entry.package->GetName(), "方盒");
    EXPECT_EQ(Rows("select Name, Price from QVXModels"), std::vector<std::string>{"Old|4.0"});
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ObjectRecordDlgTest, PhotoRecordHasNoDepthAndAPlainImageIsNotReloaded) {
    Sql("insert into TMaps values('Pic.bmp','Old',1,2,3,'d','s',4,7,8,'v')");
    PictureCatalogEntry entry;
    entry.filePath = PathOf("STPicture/Pic.bmp");
    WriteFile(entry.filePath, BmpBytes(8, 8));
    entry.name = "海報";
    entry.width = 80.0;
    entry.height = 60.0;

    CObjectRecordDlg dialog(Folder(), entry, nullptr);
    const int result = RunModal(dialog, [&] {
        EXPECT_EQ(dialog.GetKind(), kObjectRecordPhoto);
        EXPECT_EQ(dialog.FindWindow(CObjectRecordDlg::kReloadId)->GetLabel().utf8_string(),
                  "讀取貼圖檔案資料");
        EXPECT_FALSE(Edit(dialog, CObjectRecordDlg::kDepthId)->IsEnabled());
        Type(dialog, CObjectRecordDlg::kNameId, "大海報");
        Press(dialog, CObjectRecordDlg::kReloadId);
        EXPECT_EQ(TextOf(dialog, CObjectRecordDlg::kNameId), "大海報");
        Type(dialog, CObjectRecordDlg::kHeightId, "90");
        Press(dialog, wxID_OK);
    });
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(entry.name, "大海報");
    EXPECT_EQ(entry.height, 90.0);
    EXPECT_EQ(Rows("select Name, Width, Height, Price, Rate from TMaps"),
              std::vector<std::string>{"大海報|80.0|90.0|0.0|4"});
    EXPECT_TRUE(m_messages.empty());
}

}  // namespace
