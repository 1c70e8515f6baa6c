#include "plan2d/NumericEdit.h"

#include <algorithm>

#include "plan2d/CoordInputText.h"
#include "plan2d/VirtualKey.h"

namespace {

constexpr int kVkTab = 9;
// The modifier bits of a wheel message.
constexpr int kMkShift = 0x4;
constexpr int kMkControl = 0x8;
// Each toolkit key event is one press.
constexpr int kOnePress = 1;

}  // namespace

CNumericEdit::CNumericEdit(wxWindow* parent, int id, const wxPoint& position, const wxSize& size)
    : wxTextCtrl(parent, id, wxString(), position, size) {
    Bind(wxEVT_CHAR_HOOK, &CNumericEdit::OnCharHook, this);
    Bind(wxEVT_KEY_DOWN, &CNumericEdit::OnKeyDown, this);
    Bind(wxEVT_MOUSEWHEEL, &CNumericEdit::OnMouseWheel, this);
    Bind(wxEVT_TEXT, &CNumericEdit::OnTextChanged, this);
}

void CNumericEdit::OnCharHook(wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
        case WXK_TAB:
        case WXK_NUMPAD_TAB:
            if (m_pOwner != nullptr) {
                m_pOwner->OnKey(kVkTab, kOnePress, 0);
            }
            event.Skip();
            break;
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
            if (m_pOwner != nullptr) {
                m_pOwner->OnEnter();
            }
            break;
        case WXK_ESCAPE:
            if (m_pOwner != nullptr) {
                m_pOwner->OnEscape();
            }
            break;
        default:
            event.Skip();
            break;
    }
}

void CNumericEdit::OnKeyDown(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    // Tab has been handed over before the focus moved.
    if (m_pOwner != nullptr && key != WXK_TAB && key != WXK_NUMPAD_TAB) {
        m_pOwner->OnKey(VirtualKeyFromWx(key), kOnePress, 0);
    }
    event.Skip();
}

void CNumericEdit::OnMouseWheel(wxMouseEvent& event) {
    if (m_pOwner == nullptr) {
        return;
    }
    const int flags = (event.ControlDown() ? kMkControl : 0) | (event.ShiftDown() ? kMkShift : 0);
    // A wheel message carries the pointer in screen coordinates.
    const wxPoint screen = ClientToScreen(event.GetPosition());
    m_pOwner->OnWheel(flags, event.GetWheelRotation(), screen.x, screen.y);
}

void CNumericEdit::OnTextChanged(wxCommandEvent& event) {
    const std::optional<CoordTextRepair> repair = RepairCoordText(GetValue().utf8_string());
    if (repair) {
        ChangeValue(wxString::FromUTF8(repair->text));
        const long last = GetLastPosition();
        SetSelection(std::min<long>(repair->selectFrom, last), last);
        ShowPosition(last);
    }
    event.Skip();
}
