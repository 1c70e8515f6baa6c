#pragma once

#include <wx/textctrl.h>

#include "foundation/Result.h"

// What a numeric edit hands to the window that owns it: the wheel, Enter,
// Esc and every key pressed in it. An owner that does not take one answers
// E_NOTIMPL.
class INumericEditOwner {
public:
    virtual ~INumericEditOwner() = default;
    virtual int OnWheel(int /*flags*/, int /*delta*/, int /*x*/, int /*y*/) { return E_NOTIMPL; }
    virtual int OnEnter() { return E_NOTIMPL; }
    virtual int OnEscape() { return E_NOTIMPL; }
    virtual int OnKey(int /*key*/, int /*repeat*/, int /*flags*/) { return E_NOTIMPL; }
};

// An edit that holds a number with at most one decimal and an optional
// leading '-', checked in the same way in every locale. Enter and Esc go to
// the owner and no further, so the dialog around the edit never closes on
// them; Tab goes to the owner and then moves the focus as usual.
class CNumericEdit : public wxTextCtrl {
public:
    CNumericEdit(wxWindow* parent, int id, const wxPoint& position, const wxSize& size);

    void SetOwner(INumericEditOwner* owner) { m_pOwner = owner; }

private:
    void OnCharHook(wxKeyEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnMouseWheel(wxMouseEvent& event);
    void OnTextChanged(wxCommandEvent& event);

    INumericEditOwner* m_pOwner = nullptr;
};
