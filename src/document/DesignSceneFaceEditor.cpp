#include <memory>
#include <vector>

#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "foundation/WallFaceItem.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"

bool CDesignScene::OpenSurfaceFaceEditor(int triangle) {
    CWallObject* surface = nullptr;
    for (const int type : {kWallObjectType, kFloorObjectType, kCeilingObjectType}) {
        if (!m_selected[type].empty()) {
            surface = dynamic_cast<CWallObject*>(m_selected[type].front());
            break;
        }
    }
    if (surface == nullptr) {
        return false;
    }
    if (m_pDoc != nullptr) {
        m_pDoc->BeginUndoGroup();
    }
    const bool edited = surface->EditFaceOpenings(triangle) != 0;
    if (m_pDoc != nullptr) {
        m_pDoc->EndUndoGroup();
        if (edited) {
            m_pDoc->SetDesignModified(1);
        }
    }
    return edited;
}

bool CDesignScene::PasteSplitLines(CWallObject& wall, int face,
                                   const std::vector<WallFaceItem>& lines) {
    if (lines.empty()) {
        return false;
    }
    for (const WallFaceItem& line : lines) {
        auto item = std::make_unique<WallFaceItem>(line);
        item->face = face;
        item->applied = 0;
        item->deleted = 0;
        wall.AddFaceItem(std::move(item));
    }
    if (m_pDoc != nullptr) {
        m_pDoc->BeginUndoGroup();
    }
    wall.PushRemovedOpeningUndo(face);
    const bool cut = wall.RebuildFace(face) != 0;
    if (cut) {
        wall.PushOpeningUndo(face);
    } else {
        // A refused cut keeps the face as it was, without the lines.
        std::list<std::unique_ptr<WallFaceItem>>& items = wall.EditFaceItems();
        for (std::size_t i = 0; i < lines.size() && !items.empty(); ++i) {
            items.pop_back();
        }
    }
    wall.MarkOpeningsApplied();
    if (m_pDoc != nullptr) {
        m_pDoc->EndUndoGroup();
        if (cut) {
            m_pDoc->SetDesignModified(1);
        }
    }
    return cut;
}
