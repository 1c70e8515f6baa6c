#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/Rect2D.h"
#include "foundation/Result.h"
#include "foundation/Segment2F.h"
#include "foundation/Vector2D.h"
#include "foundation/WinTypes.h"
#include "objects/IntBoundingBox2D.h"
#include "objects/ShapeGeometryRecord.h"
#include "platform/draw/DrawTypes.h"

namespace draw {
class DrawContext;
}

class C2DShape;
class CBinaryReader;
class CBinaryWriter;

// The answer of an object that has no such point.
inline constexpr POINT kNoPoint{-999999, -999999};

// Root of every design object, plan shape or 3D object. The scene store, the
// plan view, the undo history and the design file treat all objects alike
// through these operations; the bodies here are the answers of an object
// that has nothing of the kind.
//
// Points, tolerances and move offsets are drawing coordinates (plan
// centimetres with y negated); selection rectangles and outline points are
// plan coordinates (y up).
class CDesignObject {
public:
    CDesignObject() = default;
    // Only the kind and the colour carry over: a copy is unselected, has no
    // parent and no list position.
    CDesignObject(const CDesignObject& other);
    CDesignObject& operator=(const CDesignObject&) = delete;
    virtual ~CDesignObject() = default;

    virtual int GetType() const { return m_type; }
    virtual void SetSelected(int selected) { m_selected = selected; }
    virtual int IsSelected() const { return m_selected; }
    virtual void SetColor(draw::COLORREF color) { m_color = color; }
    virtual draw::COLORREF GetColor() const { return m_color; }
    virtual void SetLevelHeight(double /*height*/) {}
    virtual double GetLevelHeight() const { return 0.0; }
    // The group or set holding this object; not owned.
    virtual void SetParent(CDesignObject* parent) { m_parent = parent; }
    virtual CDesignObject* GetParent() const { return m_parent; }
    virtual void SetOnAllFloors(int /*flag*/) {}
    virtual int IsOnAllFloors() const { return 0; }
    virtual void SetOwnerChain(C2DShape* /*chain*/) {}
    virtual C2DShape* GetOwnerChain() const { return nullptr; }
    virtual void SetInShapeSet(int /*flag*/) {}
    virtual int GetInShapeSet() const { return 0; }
    virtual int IsClosed() const { return 0; }

    // Snap tests: on a hit the point is moved onto the snap point and the
    // result is 1.
    virtual int HitFreeEndPoint(POINT& /*point*/, int /*tolerance*/) const { return 0; }
    virtual int HitVertex(POINT& /*point*/, int /*tolerance*/) const { return 0; }
    virtual int HitMidPoint(POINT& /*point*/, int /*tolerance*/) const { return 0; }
    virtual POINT GetStartPoint() const { return kNoPoint; }
    virtual POINT GetEndPoint() const { return kNoPoint; }

    // The outermost ancestor; null for an object without a parent.
    virtual CDesignObject* GetTopParent() const;
    virtual int HasParent() const { return m_parent != nullptr ? 1 : 0; }
    virtual int IsInChain() const { return 0; }
    virtual int IsInShapeSet() const { return 0; }

    // Undo snapshot of the geometry; the caller owns it.
    virtual std::unique_ptr<ShapeGeometryRecord> CopyGeometry() const { return nullptr; }
    virtual void RestoreGeometry(const ShapeGeometryRecord& /*record*/) {}
    virtual void MoveBy(float /*dx*/, float /*dy*/) {}
    // Sets the points to the saved ones plus the offset, so that a drag never
    // accumulates rounding; (0, 0) changes nothing.
    virtual void MoveFromSavedPosition(float /*dx*/, float /*dy*/) {}
    virtual void SavePosition() {}

    // A new object of the same class; unselected, without parent, chain or set.
    virtual std::unique_ptr<CDesignObject> Clone() const { return nullptr; }

    virtual CIntBoundingBox2D GetBoundingBox() const { return {}; }
    virtual int HitTestRect(const CRect2D& /*planRect*/) const { return 0; }
    virtual int HitTestPoint(POINT /*point*/, int /*tolerance*/) const { return 0; }

    // Appends the outline in plan coordinates; precision is the document's
    // curve level of detail.
    virtual void AppendOutlinePoints(std::vector<CVector2D>& /*points*/, int /*precision*/) const {}
    // Appends the outline as segments in drawing coordinates, closed from
    // this object's own last outline point to its first when the object is
    // closed, whatever the list held before.
    virtual void GetOutlineSegments(std::vector<CSegment2F>& segments, int precision) const;

    // Draws on the plan with the raster operation, leaving the DC as it was.
    virtual void Draw(draw::DrawContext& /*dc*/, int /*rop2*/) const {}
    // Inverts the bounding box on the DC; an empty box leaves it untouched.
    virtual int InvertBoundingBox(draw::DrawContext& dc) const;

    // The class's complete record in the design file.
    virtual HRESULT Write(CBinaryWriter& /*writer*/) const { return E_NOTIMPL; }
    virtual HRESULT Read(CBinaryReader& /*reader*/) { return E_NOTIMPL; }

    // Position in the scene store's list of this type, numbered by the
    // design-file writer; chain and group records name members by it.
    int GetListPosition() const { return m_listPosition; }
    void SetListPosition(int position) { m_listPosition = position; }

protected:
    CDesignObject* m_parent = nullptr;
    int m_type = -1;
    int m_listPosition = 0;
    int32_t m_selected = 0;
    draw::COLORREF m_color = 0;
};
