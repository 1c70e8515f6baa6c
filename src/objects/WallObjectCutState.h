#pragma once

#include <list>
#include <memory>
#include <string>
#include <vector>

#include "objects/WallObject.h"

struct CWallObject::CutState {
    std::vector<MeshVertex> vertices;
    std::vector<uint16_t> indices;
    std::vector<uint32_t> attributes;
    std::vector<VertexTextureRecord> textureRecords;
    int materialCount = 0;
    int allocatedPartCount = 0;
    std::vector<gfx::Material> materials;
    std::vector<gfx::Material> sourceMaterials;
    std::vector<std::string> textureNames;
    std::vector<std::string> sourceTextureNames;
    std::vector<gfx::Texture*> textures;
    std::vector<gfx::Texture*> sourceTextures;
    std::vector<gfx::ResourceRef<gfx::Texture>> bumpTextures;
    std::vector<TextureMappingRecord> mappingRecords;
    std::vector<VertexRange> refinementRanges;
    std::vector<VertexRange> cutRanges;
    std::vector<RefineRecord> refineRecords;
    std::vector<std::vector<int>> refinementTriangles;
    std::vector<std::vector<SplitRecord>> splitRecords;
    std::vector<std::vector<int>> cellParts;
    std::list<std::unique_ptr<WallFaceItem>> items;
};
