#include <list>
#include <memory>
#include <vector>

#include "objects/WallObjectCutState.h"

std::unique_ptr<CWallObject::CutState> CWallObject::SaveCutState() const {
    auto state = std::make_unique<CutState>();
    state->vertices = m_meshVertices;
    state->indices = m_meshIndices;
    state->attributes = m_meshAttributes;
    state->textureRecords = m_vertexTextureRecords;
    state->materialCount = m_materialCount;
    state->allocatedPartCount = m_allocatedPartCount;
    state->materials = m_materials;
    state->sourceMaterials = m_sourceMaterials;
    state->textureNames = m_textureNames;
    state->sourceTextureNames = m_sourceTextureNames;
    state->textures = m_textures;
    state->sourceTextures = m_sourceTextures;
    state->bumpTextures = m_bumpTextures;
    state->mappingRecords = m_mappingRecords;
    state->refinementRanges = m_refinementVertexRanges;
    state->cutRanges = m_cutVertexRanges;
    state->refineRecords = m_refineRecords;
    state->refinementTriangles = m_refinementTriangles;
    state->splitRecords = m_splitRecords;
    state->cellParts = m_cellParts;
    // Copies keep their model references.
    for (const std::unique_ptr<WallFaceItem>& item : m_faceItems) {
        state->items.push_back(std::make_unique<WallFaceItem>(*item));
    }
    return state;
}

void CWallObject::RestoreCutState(CutState& state, int face) {
    m_meshVertices = std::move(state.vertices);
    m_meshIndices = std::move(state.indices);
    m_meshAttributes = std::move(state.attributes);
    m_vertexTextureRecords = std::move(state.textureRecords);
    m_materialCount = state.materialCount;
    m_allocatedPartCount = state.allocatedPartCount;
    m_materials = std::move(state.materials);
    m_sourceMaterials = std::move(state.sourceMaterials);
    m_textureNames = std::move(state.textureNames);
    m_sourceTextureNames = std::move(state.sourceTextureNames);
    m_textures = std::move(state.textures);
    m_sourceTextures = std::move(state.sourceTextures);
    m_bumpTextures = std::move(state.bumpTextures);
    m_mappingRecords = std::move(state.mappingRecords);
    m_refinementVertexRanges = std::move(state.refinementRanges);
    m_cutVertexRanges = std::move(state.cutRanges);
    m_refineRecords = std::move(state.refineRecords);
    m_refinementTriangles = std::move(state.refinementTriangles);
    m_splitRecords = std::move(state.splitRecords);
    m_cellParts = std::move(state.cellParts);
    m_faceItems = std::move(state.items);
    for (const std::unique_ptr<WallFaceItem>& item : m_faceItems) {
        if (item->face == face && item->applied == 0) {
            m_uncutItems.push_back(item.get());
        }
    }
}
