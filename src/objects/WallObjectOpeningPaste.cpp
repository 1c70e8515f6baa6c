#include "objects/WallObject.h"

int CWallObject::CanPasteOpening(const WallFaceItem& item, int face, float faceHeight) const {
    if (item.kind == WallFaceItem::kVerticalSplitLine) {
        return 0;
    }
    if (item.kind != WallFaceItem::kHorizontalSplitLine) {
        return 1;
    }
    if (item.firstCorner.y >= faceHeight) {
        return 0;
    }
    for (const std::unique_ptr<WallFaceItem>& existing : m_faceItems) {
        if (existing->face == face && existing->kind == item.kind &&
            existing->cutOut == item.cutOut && existing->firstCorner.y == item.firstCorner.y) {
            return 0;
        }
    }
    return 1;
}
