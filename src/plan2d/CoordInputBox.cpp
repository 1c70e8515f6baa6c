#include "plan2d/CoordInputBox.h"

#include <wx/dialog.h>
#include <wx/stattext.h>

#include "foundation/EditValidation.h"
#include "plan2d/CoordInputText.h"

namespace {

// The box's layout in dialog units.
const wxSize kBoxSize(56, 31);
const wxRect kFirstEditRect(28, 3, 25, 12);
const wxRect kSecondEditRect(28, 17, 25, 12);
const wxRect kFirstLabelRect(4, 6, 24, 8);
const wxRect kSecondLabelRect(4, 19, 24, 8);

constexpr int kVkF3 = 114;
constexpr int kVkF7 = 118;
constexpr int kVkF8 = 119;

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
    m_pFirstEdit = new CNumericEdit(box, kFirstEdit, firstEdit.GetPosition(), firstEdit.GetSize());
    m_pSecondEdit =
        new CNumericEdit(box, kSecondEdit, secondEdit.GetPosition(), secondEdit.GetSize());
    box->SetClientSize(box->ConvertDialogToPixels(kBoxSize));
    m_pFirstEdit->SetOwner(this);
    m_pSecondEdit->SetOwner(this);
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
    SelectFirstEdit();
}

void CCoordInputBox::SelectFirstEdit() {
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

int CCoordInputBox::OnWheel(int flags, int delta, int x, int y) {
    return m_pTarget != nullptr ? m_pTarget->OnMouseWheel(flags, delta, x, y) : 0;
}

int CCoordInputBox::OnEnter() {
    SelectFirstEdit();
    const double first = ParseFloatText(m_pFirstEdit->GetValue().utf8_string());
    const double second = ParseFloatText(m_pSecondEdit->GetValue().utf8_string());
    if (m_pTarget != nullptr && m_pTarget->ApplyTypedPoint(first, second) == 1) {
        m_active = 0;
    }
    return 0;
}

int CCoordInputBox::OnEscape() {
    if (m_pTarget != nullptr) {
        m_pTarget->CancelTypedPoint();
    }
    return 0;
}

int CCoordInputBox::OnKey(int key, int /*repeat*/, int /*flags*/) {
    if (IsCoordEntryKey(key)) {
        m_active = 1;
    } else if (key == kVkF7) {
        wxCommandEvent command(wxEVT_MENU, kCycleWalkSpeedCommand);
        if (wxWindow* frame = wxGetTopLevelParent(m_pWindow->GetParent())) {
            frame->GetEventHandler()->ProcessEvent(command);
        }
    } else if (m_pTarget != nullptr && key == kVkF3) {
        m_pTarget->ToggleSnap();
    } else if (m_pTarget != nullptr && key == kVkF8) {
        m_pTarget->ToggleFixedWallAngle();
    }
    return 0;
}
