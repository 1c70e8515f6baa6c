#pragma once

#include <array>
#include <cstdint>

#include "objects/DesignObject.h"

// What every plan shape has: its floor level, the pen, the outline doubling
// by a thickness, the joined-end marks of chains, and the position saved at
// the start of a drag.
class C2DShape : public CDesignObject {
public:
    // Joined-end bits.
    static constexpr int32_t kEndJoined = 1;
    static constexpr int32_t kStartJoined = 2;

    // Thickness modes.
    static constexpr int32_t kSingleOutline = 0;
    static constexpr int32_t kInwardOutline = 1;
    static constexpr int32_t kOutwardOutline = 2;
    static constexpr int32_t kCentredOutlines = 5;

    C2DShape() = default;
    // The chain, the set membership and the saved position stay with the
    // original.
    C2DShape(const C2DShape& other);

    void SetLevelHeight(double height) override { m_levelHeight = height; }
    double GetLevelHeight() const override { return m_levelHeight; }
    void SetOnAllFloors(int flag) override { m_onAllFloors = flag; }
    int IsOnAllFloors() const override { return m_onAllFloors; }
    void SetOwnerChain(C2DShape* chain) override { m_ownerChain = chain; }
    C2DShape* GetOwnerChain() const override { return m_ownerChain; }
    void SetInShapeSet(int flag) override { m_inShapeSet = flag; }
    int GetInShapeSet() const override { return m_inShapeSet; }
    int IsInChain() const override { return m_ownerChain != nullptr ? 1 : 0; }
    int IsInShapeSet() const override { return m_inShapeSet == 1 ? 1 : 0; }

    // Pen style 0..4 (solid, dash, dot, dash-dot, dash-dot-dot).
    int32_t GetPenStyle() const { return m_penStyle; }
    void SetPenStyle(int32_t style) { m_penStyle = style; }
    int32_t GetPenWidth() const { return m_penWidth; }
    void SetPenWidth(int32_t width) { m_penWidth = width; }
    int32_t GetJoinedEnds() const { return m_joinedEnds; }
    void SetJoinedEnds(int32_t bits) { m_joinedEnds = bits; }
    int32_t GetThicknessMode() const { return m_thicknessMode; }
    void SetThicknessMode(int32_t mode) { m_thicknessMode = mode; }
    double GetThickness() const { return m_thickness; }
    void SetThickness(double thickness) { m_thickness = thickness; }

    // The colour the shape draws in on this DC: red while selected, except
    // on paper.
    draw::COLORREF GetDrawColor(const draw::DrawContext& dc) const;

protected:
    int32_t m_onAllFloors = 0;
    C2DShape* m_ownerChain = nullptr;
    int32_t m_inShapeSet = 0;
    double m_levelHeight = 0.0;
    int32_t m_penStyle = 0;
    int32_t m_penWidth = 1;
    // The first two stored points (x1, y1, x2, y2) when a drag started.
    std::array<int32_t, 4> m_savedPosition{};
    int32_t m_joinedEnds = 0;
    int32_t m_thicknessMode = kSingleOutline;
    double m_thickness = 0.0;
};
