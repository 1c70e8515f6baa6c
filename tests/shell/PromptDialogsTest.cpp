#include "shell/PromptDialogs.h"

#include <gtest/gtest.h>
#include <wx/filedlg.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>

#include <functional>

// Answers every modal dialog in place of the user, so nothing waits for one.
class AnsweringHook : public wxModalDialogHook {
public:
    explicit AnsweringHook(std::function<int(wxDialog*)> answer) : m_answer(std::move(answer)) {
        Register();
    }
    ~AnsweringHook() override { Unregister(); }

protected:
    int Enter(wxDialog* dialog) override { return m_answer(dialog); }

private:
    std::function<int(wxDialog*)> m_answer;
};

TEST(PromptDialogs, MessageBoxShowsTheQuestionAndReturnsTheAnswer) {
    struct Case {
        PromptButtons buttons;
        PromptIcon icon;
        int pressed;
        long style;
        PromptAnswer answer;
    };
    const Case cases[] = {
        {PromptButtons::YesNoCancel, PromptIcon::Question, wxID_CANCEL,
         wxYES_NO | wxCANCEL | wxICON_QUESTION, PromptAnswer::Cancel},
        {PromptButtons::YesNo, PromptIcon::Warning, wxID_YES, wxYES_NO | wxICON_WARNING,
         PromptAnswer::Yes},
        {PromptButtons::YesNo, PromptIcon::Warning, wxID_NO, wxYES_NO | wxICON_WARNING,
         PromptAnswer::No},
        {PromptButtons::Ok, PromptIcon::Error, wxID_OK, wxOK | wxICON_ERROR, PromptAnswer::Ok},
    };
    for (const Case& c : cases) {
        wxString shownText;
        long shownStyle = 0;
        AnsweringHook hook([&](wxDialog* dialog) {
            auto* box = dynamic_cast<wxMessageDialog*>(dialog);
            if (box == nullptr) {
                ADD_FAILURE() << "not a message box";
                return static_cast<int>(wxID_CANCEL);
            }
            shownText = box->GetMessage();
            shownStyle = box->GetMessageDialogStyle();
            // Chinese buttons whatever the locale's stock labels are.
            EXPECT_EQ(box->GetYesLabel().utf8_string(), "是");
            EXPECT_EQ(box->GetNoLabel().utf8_string(), "否");
            EXPECT_EQ(box->GetOKLabel().utf8_string(), "確定");
            EXPECT_EQ(box->GetCancelLabel().utf8_string(), "取消");
            return c.pressed;
        });
        const PromptAnswer answer =
            ShowMessageDialog(MessageRequest{"設計案已修改!是否儲存?", c.buttons, c.icon});
        EXPECT_EQ(answer, c.answer);
        EXPECT_EQ(shownText.utf8_string(), "設計案已修改!是否儲存?");
        const long buttonsAndIcon = wxOK | wxCANCEL | wxYES_NO | wxICON_MASK;
        EXPECT_EQ(shownStyle & buttonsAndIcon, c.style);
    }
}

// The chosen path itself comes from the GTK chooser, which only a user fills.
TEST(PromptDialogs, SaveDialogProposesTheNameWithTheFilter) {
    wxString wildcard;
    wxString proposed;
    wxString folder;
    long style = 0;
    AnsweringHook hook([&](wxDialog* dialog) {
        auto* files = dynamic_cast<wxFileDialog*>(dialog);
        if (files == nullptr) {
            ADD_FAILURE() << "not a file dialog";
            return static_cast<int>(wxID_CANCEL);
        }
        wildcard = files->GetWildcard();
        proposed = files->GetFilename();
        folder = files->GetDirectory();
        style = files->GetWindowStyle();
        return static_cast<int>(wxID_CANCEL);
    });
    FileNameRequest request;
    request.save = true;
    request.filter = "txt File (*.txt)|*.txt||";
    request.defaultName = "missfile.txt";
    request.folder = "/tmp";

    EXPECT_EQ(ShowFileNameDialog(request), std::nullopt);
    EXPECT_EQ(wildcard.utf8_string(), "txt File (*.txt)|*.txt");
    EXPECT_EQ(proposed.utf8_string(), "missfile.txt");
    EXPECT_EQ(folder.utf8_string(), "/tmp");
    EXPECT_TRUE(style & wxFD_SAVE);
    EXPECT_TRUE(style & wxFD_OVERWRITE_PROMPT);
}

TEST(PromptDialogs, OpenDialogWithoutAChosenFileGivesNothing) {
    for (int pressed : {static_cast<int>(wxID_CANCEL), static_cast<int>(wxID_OK)}) {
        long style = 0;
        AnsweringHook hook([&](wxDialog* dialog) {
            style = dialog->GetWindowStyle();
            return pressed;
        });
        EXPECT_EQ(ShowFileNameDialog(FileNameRequest{}), std::nullopt);
        EXPECT_TRUE(style & wxFD_FILE_MUST_EXIST);
    }
}
