#include <array>
#include <cstddef>
#include <list>
#include <memory>
#include <optional>
#include <vector>

#include "foundation/FaceEditorSeam.h"
#include "objects/DocumentServices.h"
#include "objects/HistoryRecord.h"
#include "objects/WallObjectCutState.h"

namespace {

// A cell's texture before the edit, found again by the cell's centre.
struct CellTexture {
    gfx::Texture* texture = nullptr;
    std::string name;
    std::array<float, 3> centre{};
};

std::unique_ptr<HistoryRecord> MakeRecord(CWallObject& wall, int operation, int value) {
    auto record = std::make_unique<HistoryRecord>();
    record->objectType = wall.GetType();
    record->operation = operation;
    record->value = value;
    record->object = &wall;
    return record;
}

const CellTexture* FindTextureByCentre(const std::vector<CellTexture>& cells,
                                       const std::array<float, 3>& centre) {
    for (const CellTexture& cell : cells) {
        if (cell.centre == centre) {
            return &cell;
        }
    }
    return nullptr;
}

}  // namespace

void CWallObject::PushOpeningUndo(int face) {
    std::vector<const WallFaceItem*> added;
    for (const std::unique_ptr<WallFaceItem>& item : m_faceItems) {
        const bool uncut =
            std::find(m_uncutItems.begin(), m_uncutItems.end(), item.get()) != m_uncutItems.end();
        if (item->face == face && item->applied == 0 && item->deleted == 0 && !uncut) {
            added.push_back(item.get());
        }
    }
    for (const WallFaceItem* item : added) {
        std::unique_ptr<HistoryRecord> record = MakeRecord(*this, kHistoryFaceItemAdded, face);
        record->count = static_cast<int>(added.size());
        WallFaceItem copy = *item;
        copy.recordKind = 0;
        copy.parts.clear();
        record->after = std::move(copy);
        GetDocumentServices().PushUndoRecord(std::move(record));
    }
}

void CWallObject::PushRemovedOpeningUndo(int face) {
    std::vector<std::pair<const WallFaceItem*, int>> removed;
    int count = 0;
    int ordinal = 0;
    for (const std::unique_ptr<WallFaceItem>& item : m_faceItems) {
        if (item->face != face) {
            continue;
        }
        if (item->deleted != 0) {
            removed.emplace_back(item.get(), ordinal);
            count += 1 + static_cast<int>(item->parts.size());
        }
        ++ordinal;
    }
    for (const auto& [item, at] : removed) {
        for (const int part : item->parts) {
            if (part < 0 || part >= m_materialCount) {
                continue;
            }
            std::unique_ptr<HistoryRecord> record = MakeRecord(*this, kHistoryMaterial, part);
            record->count = count;
            record->before = TakeMaterialSnapshot(part);
            record->after = TakeMaterialSnapshot(part);
            GetDocumentServices().PushUndoRecord(std::move(record));
        }
        std::unique_ptr<HistoryRecord> record = MakeRecord(*this, kHistoryFaceItemRemoved, face);
        record->count = count;
        record->before = *item;
        record->after = static_cast<std::int32_t>(at);
        GetDocumentServices().PushUndoRecord(std::move(record));
    }
}

void CWallObject::PushMappingUndo() {
    std::unique_ptr<HistoryRecord> record = MakeRecord(*this, kHistoryAllMappings, -1);
    record->before = std::vector<TextureMappingRecord>(
        m_mappingRecords.begin(),
        m_mappingRecords.begin() +
            std::min<std::ptrdiff_t>(m_materialCount,
                                     static_cast<std::ptrdiff_t>(m_mappingRecords.size())));
    GetDocumentServices().PushUndoRecord(std::move(record));
}

int CWallObject::EditFaceOpenings(int triangle) {
    const int part = GetFaceMaterialIndex(triangle);
    if (part < 0) {
        return 0;
    }
    const int face = GetOwningFace(part);
    if (RunFaceEditor(*this, face) == FaceEditorAnswer::Cancel) {
        return 0;
    }
    const auto f = static_cast<std::size_t>(face);
    // The face is cut from its plain triangles, so a refined face goes back
    // to them first.
    if (f < m_refineRecords.size() && m_refineRecords[f].flag != 0) {
        ToggleRefinement(face, 1, 1);
    }

    // Undo brings every texture slot back as it was.
    for (int i = 0; i < m_materialCount; ++i) {
        std::unique_ptr<HistoryRecord> record = MakeRecord(*this, kHistoryMaterialTexture, i);
        record->before = gfx::ResourceRef<gfx::Texture>::Share(m_textures[i]);
        record->after = gfx::ResourceRef<gfx::Texture>::Share(m_textures[i]);
        GetDocumentServices().PushUndoRecord(std::move(record));
    }
    PushMappingUndo();

    // While no split line changes, every part's mapping is taken off before
    // the cut and put back after it, the split pieces found by their centres.
    const bool linesSettled = HasPendingSplitLines() == 0;
    std::vector<TextureMappingRecord> keptMappings;
    std::vector<std::array<float, 3>> keptCentres;
    if (linesSettled) {
        keptMappings.assign(m_mappingRecords.begin(), m_mappingRecords.begin() + m_materialCount);
        for (int i = m_basePartCount; i < m_materialCount; ++i) {
            keptCentres.push_back(GetPartCentre(i));
        }
        for (int i = 0; i < m_materialCount; ++i) {
            TextureMappingRecord plain;
            const TextureMappingRecord& now = m_mappingRecords[static_cast<std::size_t>(i)];
            plain.tileWidth = now.tileWidth;
            plain.tileHeight = now.tileHeight;
            plain.tileFlag = now.tileFlag;
            plain.bumpFlag = now.bumpFlag;
            plain.bumpAmplitude = now.bumpAmplitude;
            plain.seam = now.seam;
            ApplyTextureMapping(i, plain, true);
        }
    }
    std::vector<CellTexture> cellTextures;
    if (linesSettled && HasSplitLines() != 0) {
        for (const int cell : m_cellParts[f]) {
            cellTextures.push_back({m_textures[static_cast<std::size_t>(cell)],
                                    m_textureNames[static_cast<std::size_t>(cell)],
                                    GetPartCentre(cell)});
        }
    }

    // New items are cut in one at a time, each with its twin.
    const std::unique_ptr<CutState> before = SaveCutState();
    std::list<std::unique_ptr<WallFaceItem>> waiting;
    for (auto it = m_faceItems.begin(); it != m_faceItems.end();) {
        if ((*it)->applied == 0) {
            waiting.splice(waiting.end(), m_faceItems, it++);
        } else {
            ++it;
        }
    }
    if (!waiting.empty()) {
        const TextureMappingRecord keptFace = m_mappingRecords[f];
        ApplyTextureMapping(face, TextureMappingRecord(), false);
        while (!waiting.empty()) {
            WallFaceItem* next = waiting.front().get();
            m_faceItems.splice(m_faceItems.end(), waiting, waiting.begin());
            for (auto it = waiting.begin(); it != waiting.end(); ++it) {
                if ((*it)->face == next->twinFace && (*it)->anchor == next->firstCorner &&
                    next->twinFace >= 0) {
                    m_faceItems.splice(m_faceItems.end(), waiting, it);
                    break;
                }
            }
            PushRemovedOpeningUndo(face);
            ReCutFace(face);
            PushOpeningUndo(face);
            MarkOpeningsApplied();
        }
        if (RebuildD3DMesh() == 0) {
            // The old mesh stays: the arrays and its coordinates go back.
            RestoreCutState(*before, face);
            RestoreTextureCoords();
            MarkOpeningsApplied();
        } else {
            RestoreTextureCoords();
            ApplyTextureMapping(face, keptFace, false);
        }
    } else {
        PushRemovedOpeningUndo(face);
        RebuildFace(face);
        PushOpeningUndo(face);
        MarkOpeningsApplied();
    }

    if (!cellTextures.empty()) {
        for (const int cell : m_cellParts[f]) {
            const MaterialSnapshot before = TakeMaterialSnapshot(cell);
            const CellTexture* found = FindTextureByCentre(cellTextures, GetPartCentre(cell));
            m_textures[static_cast<std::size_t>(cell)] =
                found != nullptr ? found->texture : nullptr;
            m_textureNames[static_cast<std::size_t>(cell)] =
                found != nullptr ? found->name : std::string(kNoTextureName);
            PushMaterialUndo(GetType(), cell, before);
        }
    }
    if (!keptMappings.empty()) {
        for (int i = 0; i < m_materialCount; ++i) {
            std::size_t from = static_cast<std::size_t>(i);
            if (i >= m_basePartCount) {
                const std::array<float, 3> centre = GetPartCentre(i);
                for (std::size_t k = 0; k < keptCentres.size(); ++k) {
                    if (keptCentres[k] == centre) {
                        from = static_cast<std::size_t>(m_basePartCount) + k;
                        break;
                    }
                }
            }
            if (from < keptMappings.size()) {
                ApplyTextureMapping(i, keptMappings[from], true);
            }
        }
    }

    // The pieces of the face show as translucent as the face.
    const gfx::Material& faceMaterial = m_materials[f];
    std::vector<int> pieces = m_cellParts[f];
    for (const SplitRecord& record : m_splitRecords[f]) {
        pieces.insert(pieces.end(), record.parts.begin(), record.parts.end());
    }
    for (const int piece : pieces) {
        if (piece >= 0 && piece < m_materialCount) {
            gfx::Material& material = m_materials[static_cast<std::size_t>(piece)];
            material.diffuse.a = faceMaterial.diffuse.a;
            material.ambient.a = faceMaterial.ambient.a;
            material.specular.a = faceMaterial.specular.a;
            material.emissive.a = faceMaterial.emissive.a;
        }
    }
    PushMappingUndo();
    UpdateOpeningModels();
    return 1;
}
