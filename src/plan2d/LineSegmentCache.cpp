#include "plan2d/LineSegmentCache.h"

bool CLineSegmentCache::DependsOnType(int type) {
    return (type >= 7 && type <= 10) || type == 19;
}

void CLineSegmentCache::Invalidate(int type) {
    if (DependsOnType(type)) {
        m_segments.clear();
    }
}
