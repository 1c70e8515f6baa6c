#include "shell/PromptDialogs.h"

#include <wx/app.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>

#include "foundation/RefineLevelPrompt.h"
#include "foundation/ResourceStrings.h"
#include "shell/FileDialogFilter.h"
#include "shell/LoadWarningDlg.h"
#include "shell/RefineLevelDlg.h"

namespace {

// The program's name in the string table, the caption of its message boxes.
constexpr unsigned kApplicationNameStringId = 57344;

wxString ToWx(const std::string& text) {
    return wxString::FromUTF8(text);
}

wxWindow* DialogParent() {
    return wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr;
}

wxString MessageCaption() {
    const std::string name = LoadResourceString(kApplicationNameStringId);
    return name.empty() ? wxTheApp->GetAppDisplayName() : ToWx(name);
}

long ButtonStyle(PromptButtons buttons) {
    switch (buttons) {
        case PromptButtons::Ok:
            return wxOK;
        case PromptButtons::OkCancel:
            return wxOK | wxCANCEL;
        case PromptButtons::YesNo:
            return wxYES_NO;
        case PromptButtons::YesNoCancel:
            break;
    }
    return wxYES_NO | wxCANCEL;
}

long IconStyle(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Information:
            return wxICON_INFORMATION;
        case PromptIcon::Warning:
            return wxICON_WARNING;
        case PromptIcon::Error:
            return wxICON_ERROR;
        case PromptIcon::Question:
            break;
    }
    return wxICON_QUESTION;
}

PromptAnswer ToAnswer(int result, PromptButtons buttons) {
    switch (result) {
        case wxID_YES:
            return PromptAnswer::Yes;
        case wxID_NO:
            return PromptAnswer::No;
        case wxID_OK:
            return PromptAnswer::Ok;
        default:
            break;
    }
    // A Yes/No box closed by the window manager counts as No.
    return buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Cancel;
}

void CaptionButtons(wxMessageDialog& dialog) {
    // The interface is Chinese whatever the locale's stock labels are.
    dialog.SetYesNoCancelLabels(ToWx("是"), ToWx("否"), ToWx("取消"));
    dialog.SetOKCancelLabels(ToWx("確定"), ToWx("取消"));
    dialog.SetOKLabel(ToWx("確定"));
}

}  // namespace

PromptAnswer ShowMessageDialog(const MessageRequest& request) {
    wxMessageDialog dialog(DialogParent(), ToWx(request.text), MessageCaption(),
                           ButtonStyle(request.buttons) | IconStyle(request.icon) | wxCENTRE);
    CaptionButtons(dialog);
    return ToAnswer(dialog.ShowModal(), request.buttons);
}

std::optional<std::string> ShowFileNameDialog(const FileNameRequest& request) {
    const long style =
        request.save ? wxFD_SAVE | wxFD_OVERWRITE_PROMPT : wxFD_OPEN | wxFD_FILE_MUST_EXIST;
    const std::string wildcard = ToDialogWildcard(request.filter);
    wxFileDialog dialog(
        DialogParent(),
        request.title.empty() ? wxString(wxFileSelectorPromptStr) : ToWx(request.title),
        ToWx(request.folder), ToWx(request.defaultName),
        wildcard.empty() ? wxString(wxFileSelectorDefaultWildcardStr) : ToWx(wildcard), style);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    std::string path = dialog.GetPath().utf8_string();
    if (path.empty()) {
        return std::nullopt;
    }
    if (request.save) {
        path = AddDefaultExtension(std::move(path), request.filter);
    }
    return path;
}

bool ShowLoadWarningDialog(std::string_view format, std::string_view path) {
    CLoadWarningDlg dialog(format, path, DialogParent());
    dialog.ShowModal();
    return dialog.GetResult() != 0;
}

void InstallPromptDialogs() {
    SetMessageHandler(ShowMessageDialog);
    SetFileNameHandler(ShowFileNameDialog);
    SetLoadWarningHandler(ShowLoadWarningDialog);
    SetRefineLevelHandler(AskRefineLevelDialog);
}
