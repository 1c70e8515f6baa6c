#pragma once

#include <wx/gdicmn.h>

#include "foundation/WinTypes.h"
#include "plan2d/NumericEdit.h"

class wxDialog;
class wxStaticText;
class wxWindow;

// What the coordinate entry box asks of the plan view it serves.
class ICoordInputTarget {
public:
    virtual ~ICoordInputTarget() = default;
    // The two typed numbers become the next outline point; 1 when taken.
    virtual int ApplyTypedPoint(double first, double second) = 0;
    // Esc in the box: the outline closes or ends.
    virtual void CancelTypedPoint() = 0;
    // F3: object snapping on or off.
    virtual void ToggleSnap() = 0;
    // F8: the fixed wall angle on or off.
    virtual void ToggleFixedWallAngle() = 0;
    // The wheel turned over the box, as the plan's own wheel (zoom).
    virtual int OnMouseWheel(int flags, int delta, int x, int y) = 0;
};

// The small modeless box that follows the mouse while an outline is drawn:
// the cursor's coordinates before the first point, then the length and
// angle of the segment being drawn. Typing a digit or Tab makes it active;
// while it is active the plan leaves the keyboard to it and the 3D view
// ignores its input. Enter hands the two numbers to the plan; Esc cancels
// the typed point but never closes the box. The box window is a child of
// its owner view.
class CCoordInputBox : public INumericEditOwner {
public:
    static constexpr int kFirstEdit = 1104;
    static constexpr int kSecondEdit = 1205;
    static constexpr int kFirstLabel = 1207;
    static constexpr int kSecondLabel = 1208;
    // The main frame's next walk speed, which F7 runs from the box too.
    static constexpr int kCycleWalkSpeedCommand = 32937;

    // The window is created hidden.
    explicit CCoordInputBox(wxWindow* owner);
    ~CCoordInputBox() override;
    CCoordInputBox(const CCoordInputBox&) = delete;
    CCoordInputBox& operator=(const CCoordInputBox&) = delete;

    wxDialog& Window() { return *m_pWindow; }
    // The plan view the typed points go to; not owned.
    void SetTarget(ICoordInputTarget* target) { m_pTarget = target; }

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

    // INumericEditOwner
    int OnWheel(int flags, int delta, int x, int y) override;
    int OnEnter() override;
    int OnEscape() override;
    int OnKey(int key, int repeat, int flags) override;

private:
    void SelectFirstEdit();

    wxDialog* m_pWindow = nullptr;
    ICoordInputTarget* m_pTarget = nullptr;
    int m_polar = 0;
    int m_active = 0;
    POINT m_reference;
    CNumericEdit* m_pFirstEdit = nullptr;
    CNumericEdit* m_pSecondEdit = nullptr;
    wxStaticText* m_pFirstLabel = nullptr;
    wxStaticText* m_pSecondLabel = nullptr;
};
