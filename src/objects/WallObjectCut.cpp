#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

#include "foundation/Prompt.h"
#include "foundation/TextFormat.h"
#include "objects/WallObjectCutState.h"
#include "platform/gfx/MeshTypes.h"

namespace {

bool IsDeletedSplitLineOf(const WallFaceItem* item, int face) {
    return item->face == face && item->deleted != 0 && item->IsSplitLine();
}

std::size_t CountPoints(const std::vector<std::vector<CVector2F>>& lists) {
    std::size_t count = 0;
    for (const std::vector<CVector2F>& list : lists) {
        count += list.size();
    }
    return count;
}

}  // namespace

std::vector<WallFaceItem*> CWallObject::GetFaceItemsOf(int face) const {
    std::vector<WallFaceItem*> items;
    for (const std::unique_ptr<WallFaceItem>& item : m_faceItems) {
        if (item->face == face) {
            items.push_back(item.get());
        }
    }
    return items;
}

int CWallObject::CutFace(int face) {
    if (face < 0 || face >= m_basePartCount ||
        static_cast<std::size_t>(face) >= m_splitRecords.size() ||
        static_cast<std::size_t>(face) >= m_cellParts.size()) {
        return 1;
    }
    std::vector<WallFaceItem*> items;
    for (const std::unique_ptr<WallFaceItem>& item : m_faceItems) {
        items.push_back(item.get());
    }
    if (std::none_of(items.begin(), items.end(),
                     [face](const WallFaceItem* item) { return item->face == face; })) {
        return 1;
    }
    // Deleted items of the face give up their parts and leave the cut.
    std::vector<int> removed;
    std::erase_if(items, [&](const WallFaceItem* item) {
        if (item->face != face || item->deleted == 0) {
            return false;
        }
        removed.insert(removed.end(), item->parts.begin(), item->parts.end());
        return true;
    });
    std::vector<CVector2F> triangles;
    const WallFaceItem* failed = nullptr;
    if (!ClipFaceByItems(items, triangles, face, &failed)) {
        ShowMessage(
            FormatString("無法切割「%s」的開口或分割區域, 該面維持原狀.", GetName().c_str()),
            PromptButtons::Ok, PromptIcon::Warning);
        return 0;
    }
    const std::vector<std::vector<CVector2F>> areas = BuildItemAreaPolygons(face, items);

    std::vector<int>& cells = m_cellParts[static_cast<std::size_t>(face)];
    CompactPartsAndRemap(std::vector<int>(cells), removed);
    ResizePartArrays(m_materialCount);
    for (const int part : std::vector<int>(cells)) {
        RemovePartGeometry(part);
    }
    m_cellParts[static_cast<std::size_t>(face)].clear();

    std::vector<int> cellOfTriangle;
    const int emptiest = SplitByLines(items, triangles, face, cellOfTriangle);
    // Every new point becomes a vertex numbered in 16 bits.
    if (emptiest < 0 ||
        m_meshVertices.size() + triangles.size() + CountPoints(areas) > gfx::kMax16BitVertices) {
        ShowMessage("模型的點或面太多無法產生", PromptButtons::Ok);
        return 0;
    }

    // The deleted items and the deleted split lines go from the object.
    std::erase_if(m_faceItems, [&](const std::unique_ptr<WallFaceItem>& item) {
        return item->face == face && item->deleted != 0;
    });
    std::erase_if(items,
                  [face](const WallFaceItem* item) { return IsDeletedSplitLineOf(item, face); });
    BuildFaceGeometry(face, triangles, areas, removed, items);
    if (emptiest > 0) {
        AssignCellParts(face, cellOfTriangle);
        ResizePartArrays(m_materialCount);
        for (const int part : m_cellParts[static_cast<std::size_t>(face)]) {
            m_mappingRecords[static_cast<std::size_t>(part)] =
                m_mappingRecords[static_cast<std::size_t>(face)];
        }
    }
    return 1;
}

int CWallObject::ReCutFace(int face) {
    const std::unique_ptr<CutState> before = SaveCutState();
    const std::vector<int> twinFaces = CreateTwinItems(face);
    int ok = CutFace(face);
    for (std::size_t i = 0; ok != 0 && i < twinFaces.size(); ++i) {
        ok = CutFace(twinFaces[i]);
    }
    if (ok == 0) {
        RestoreCutState(*before, face);
        return 0;
    }
    BuildHoleTunnels(face);
    return 1;
}

int CWallObject::RebuildFace(int face) {
    if (face < 0 || face >= m_materialCount) {
        return 0;
    }
    const auto f = static_cast<std::size_t>(face);
    const TextureMappingRecord kept = m_mappingRecords[f];
    ApplyTextureMapping(face, TextureMappingRecord(), false);
    const std::unique_ptr<CutState> before = SaveCutState();
    if (ReCutFace(face) == 0) {
        ApplyTextureMapping(face, kept, false);
        return 0;
    }
    if (RebuildD3DMesh() == 0) {
        RestoreCutState(*before, face);
        ApplyTextureMapping(face, kept, false);
        return 0;
    }
    RestoreTextureCoords();
    ApplyTextureMapping(face, kept, false);
    // The cells were cut while the face had no mapping: they take the
    // face's as well.
    for (const int cell : std::vector<int>(m_cellParts[f])) {
        ApplyTextureMapping(cell, kept, false);
    }
    return 1;
}

void CWallObject::MarkOpeningsApplied() {
    for (const std::unique_ptr<WallFaceItem>& item : m_faceItems) {
        if (std::find(m_uncutItems.begin(), m_uncutItems.end(), item.get()) == m_uncutItems.end()) {
            item->applied = 1;
        }
    }
    m_uncutItems.clear();
}

int CWallObject::HasSplitLines() const {
    return std::any_of(
               m_faceItems.begin(), m_faceItems.end(),
               [](const std::unique_ptr<WallFaceItem>& item) { return item->IsSplitLine(); })
               ? 1
               : 0;
}

int CWallObject::HasPendingSplitLines() const {
    return std::any_of(m_faceItems.begin(), m_faceItems.end(),
                       [](const std::unique_ptr<WallFaceItem>& item) {
                           return item->IsSplitLine() && (item->applied == 0 || item->deleted != 0);
                       })
               ? 1
               : 0;
}
