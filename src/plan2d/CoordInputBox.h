#pragma once

#include <wx/gdicmn.h>

#include "foundation/WinTypes.h"

class wxDialog;
class wxKeyEvent;
class wxStaticText;
class wxTextCtrl;
class wxWindow;

// The small modeless box that follows the mouse while an outline is drawn:
// the cursor's coordinates before the first point, then the length and
// angle of the segment being drawn. Typing a digit or Tab makes it active;
// while it is active the plan leaves the keyboard to it and the 3D view
// ignores its input. The box window is a child of its owner view.
class CCoordInputBox {
public:
    static constexpr int kFirstEdit = 1104;
    static constexpr int kSecondEdit = 1205;
    static constexpr int kFirstLabel = 1207;
    static constexpr int kSecondLabel = 1208;

    // The window is created hidden.
    explicit CCoordInputBox(wxWindow* owner);
    ~CCoordInputBox();
    CCoordInputBox(const CCoordInputBox&) = delete;
    CCoordInputBox& operator=(const CCoordInputBox&) = delete;

    wxDialog& Window() { return *m_pWindow; }

    // 1: length and angle; 0: x and y. Puts the focus into the first edit
    // with its text selected.
    void SetPolarMode(int polar);
    int GetPolarMode() const { return m_polar; }

    void ShowPoint(const POINT& logical);
    void ShowSegment(const POINT& cursor, const POINT& lastPoint);
    // Where length and angle are measured from.
    const POINT& GetReferencePoint() const { return m_reference; }

    void FocusEntry();

    // A box whose window is hidden is never active.
    int IsActive();
    void ClearActive() { m_active = 0; }

private:
    void OnEditKeyDown(wxKeyEvent& event);

    wxDialog* m_pWindow = nullptr;
    int m_polar = 0;
    int m_active = 0;
    POINT m_reference;
    wxTextCtrl* m_pFirstEdit = nullptr;
    wxTextCtrl* m_pSecondEdit = nullptr;
    wxStaticText* m_pFirstLabel = nullptr;
    wxStaticText* m_pSecondLabel = nullptr;
};
