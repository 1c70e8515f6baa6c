#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "foundation/Vector2D.h"

class CDesignObject;
class CDesignScene;
class CHousDoc;
class CRect2D;

// Asked when a rectangle caught more than one kind of object: gets the
// caught kinds (display-mask bits) and returns the kinds to keep, or
// nothing when the user cancels.
using PlanKindChooser = std::function<std::optional<uint32_t>(uint32_t kinds)>;

// The rubber-band selection of the plan: everything of the shown layers on
// the current floor that the dragged rectangle catches becomes the
// selection, and the edit mode follows it.
class CPlanRectSelection {
public:
    explicit CPlanRectSelection(CHousDoc& doc) : m_doc(doc) {}

    // Anchor and release in stored form (x, -y). A release on the anchor
    // changes nothing and answers false. The caller keeps the release as the
    // cursor point, ends the rubber band and shows the new mode's status.
    bool SelectInRectangle(const CVector2D& anchor, const CVector2D& release,
                           const PlanKindChooser& chooseKinds);

private:
    void SelectCaught(CDesignScene& scene, const CRect2D& rect);
    void SelectSurfaces(CDesignScene& scene, const CRect2D& rect, int type);
    void SelectShapes(CDesignScene& scene, const CRect2D& rect, int type);
    void SelectPictures(CDesignScene& scene, const CRect2D& rect);
    void SelectOutlinedObjects(CDesignScene& scene, const CRect2D& rect, int type);
    void SelectIcons(CDesignScene& scene, const CRect2D& rect, int iconType, int ownerType);
    // A chain member selects its chain instead, a group member its group too.
    void SelectWithOwners(CDesignScene& scene, int type, CDesignObject* object);
    void FilterKinds(CDesignScene& scene, const PlanKindChooser& chooseKinds);
    void RememberSinglePicks(CDesignScene& scene);

    CHousDoc& m_doc;
};
