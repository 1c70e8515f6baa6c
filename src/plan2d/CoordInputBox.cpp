#include "plan2d/CoordInputBox.h"

#include <wx/dialog.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "plan2d/CoordInputText.h"
#include "plan2d/VirtualKey.h"

namespace {

// The box's layout in dialog units.
const wxSize kBoxSize(56, 31);
const wxRect kFirstEditRect(28, 3, 25, 12);
const wxRect kSecondEditRect(28, 17, 25, 12);
const wxRect kFirstLabelRect(4, 6, 24, 8);
const wxRect kSecondLabelRect(4, 19, 24, 8);

}  // namespace

CCoordInputBox::CCoordInputBox(wxWindow* owner)
    : m_pWindow(new wxDialog(owner, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                             wxBORDER_RAISED)) {
    wxDialog* box = m_pWindow;
    auto place = [box](const wxRect& rect) {
        return wxRect(box->ConvertDialogToPixels(rect.GetPosition()),
                      box->ConvertDialogToPixels(rect.GetSize()));
    };
    const wxRect firstLabel = place(kFirstLabelRect);
    const wxRect secondLabel = place(kSecondLabelRect);
    const wxRect firstEdit = place(kFirstEditRect);
    const wxRect secondEdit = place(kSecondEditRect);
    m_pFirstLabel = new wxStaticText(box, kFirstLabel, wxString(), firstLabel.GetPosition(),
                                     firstLabel.GetSize());
    m_pSecondLabel = new wxStaticText(box, kSecondLabel, wxString(), secondLabel.GetPosition(),
                                      secondLabel.GetSize());
    m_pFirstEdit =
        new wxTextCtrl(box, kFirstEdit, wxString(), firstEdit.GetPosition(), firstEdit.GetSize());
    m_pSecondEdit = new wxTextCtrl(box, kSecondEdit, wxString(), secondEdit.GetPosition(),
                                   secondEdit.GetSize());
    box->SetClientSize(box->ConvertDialogToPixels(kBoxSize));
    m_pFirstEdit->Bind(wxEVT_KEY_DOWN, &CCoordInputBox::OnEditKeyDown, this);
    m_pSecondEdit->Bind(wxEVT_KEY_DOWN, &CCoordInputBox::OnEditKeyDown, this);
    SetPolarMode(0);
    box->Hide();
}

CCoordInputBox::~CCoordInputBox() {
    m_pWindow->Destroy();
}

void CCoordInputBox::SetPolarMode(int polar) {
    m_polar = polar;
    m_pFirstLabel->SetLabel(wxString::FromUTF8(polar == 1 ? "長度：" : "X："));
    m_pSecondLabel->SetLabel(wxString::FromUTF8(polar == 1 ? "角度：" : "Y："));
    m_pFirstEdit->SetFocus();
    m_pFirstEdit->SelectAll();
    m_pFirstEdit->ShowPosition(m_pFirstEdit->GetLastPosition());
}

void CCoordInputBox::ShowPoint(const POINT& logical) {
    const CoordInputText text = FormatCoordPoint(logical);
    m_pFirstEdit->ChangeValue(wxString::FromUTF8(text.first));
    m_pSecondEdit->ChangeValue(wxString::FromUTF8(text.second));
    SetPolarMode(0);
    m_reference = logical;
}

void CCoordInputBox::ShowSegment(const POINT& cursor, const POINT& lastPoint) {
    const CoordInputText text = FormatCoordSegment(cursor, lastPoint);
    m_pFirstEdit->ChangeValue(wxString::FromUTF8(text.first));
    m_pSecondEdit->ChangeValue(wxString::FromUTF8(text.second));
    SetPolarMode(1);
    m_reference = lastPoint;
}

void CCoordInputBox::FocusEntry() {
    m_pFirstEdit->SetFocus();
}

int CCoordInputBox::IsActive() {
    if (!m_pWindow->IsShown()) {
        m_active = 0;
    }
    return m_active;
}

void CCoordInputBox::OnEditKeyDown(wxKeyEvent& event) {
    if (IsCoordEntryKey(VirtualKeyFromWx(event.GetKeyCode()))) {
        m_active = 1;
    }
    event.Skip();
}
