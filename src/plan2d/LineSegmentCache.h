#pragma once

#include <list>

#include "objects/DxfLineSegment.h"

// The plan view's network of merged plan line segments, built on demand by
// the grow-structure tool and dropped whenever a plan line may have changed.
class CLineSegmentCache {
public:
    // Lines (7), rectangles (8), circles and arcs (9), curves (10) and the
    // base drawing (19) feed the network.
    static bool DependsOnType(int type);

    // Empties the cache when the type feeds it.
    void Invalidate(int type);

    bool IsEmpty() const { return m_segments.empty(); }
    std::list<DxfLineSegment>& Segments() { return m_segments; }

private:
    std::list<DxfLineSegment> m_segments;
};
