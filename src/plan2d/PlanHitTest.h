#pragma once

#include <cstdint>

#include "foundation/WinTypes.h"

class C3DObject;
class CDesignObject;
class CDesignScene;
class CHousDoc;

// Which object of the plan lies under a point. Points are logical plan
// centimetres (y down), tolerances centimetres. A layer the display mask
// hides is never hit, nor is an object on another floor (light icons are
// tested on every floor). Each test answers the first hit of its list, or
// null.
class CPlanHitTest {
public:
    // With selectedOnly, objects that are not selected are passed over.
    explicit CPlanHitTest(CHousDoc& doc, bool selectedOnly = false)
        : m_doc(doc), m_selectedOnly(selectedOnly) {}

    // Walls (1), floors (5) or ceilings (6): near one of the outline's
    // segments, within 1 while structures grow from lines, else SELECT_SENSE.
    CDesignObject* HitSurfaces(POINT point, int type, uint32_t maskBit) const;
    // Furniture models and 3D texts by their shown plan outline; 3D text
    // outlines are tested with rounded ends.
    C3DObject* HitModels(POINT point) const;
    C3DObject* HitText3D(POINT point) const;
    // The plan symbols of models, photos and lights.
    CDesignObject* HitModelIcons(POINT point) const;
    CDesignObject* HitPhotoIcons(POINT point) const;
    CDesignObject* HitLightIcons(POINT point) const;
    // The first plan object of the type not in a group whose point test hits
    // with the pick tolerance, when the display mask shares a bit with mask.
    CDesignObject* HitPlanType(POINT point, int type, uint32_t mask) const;

private:
    CDesignScene* Scene() const;
    bool IsLayerShown(uint32_t mask) const;
    C3DObject* HitShownOutlines(POINT point, int type, uint32_t maskBit, bool roundEnds) const;
    bool IsPassedOver(const CDesignObject& object) const;

    CHousDoc& m_doc;
    bool m_selectedOnly;
};

// The camera marker's box holds the point, given in the frame the marker
// was drawn in; the right and bottom edges are outside.
bool IsOnCameraMarker(POINT markerPoint, const RECT& markerBox);
