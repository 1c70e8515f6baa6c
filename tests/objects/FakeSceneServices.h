#pragma once

// A scene for object tests: storeys every 300 cm, object lists the test
// fills, and the texture and missing-file requests it records. It makes
// itself the current scene while it lives.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "objects/SceneServices.h"
#include "objects/TextureCache.h"

class FakeSceneServices : public ISceneServices {
public:
    FakeSceneServices() : m_previous(g_pCurrentScene) { g_pCurrentScene = this; }
    ~FakeSceneServices() override { g_pCurrentScene = m_previous; }
    FakeSceneServices(const FakeSceneServices&) = delete;
    FakeSceneServices& operator=(const FakeSceneServices&) = delete;

    HRESULT LocateMissingFile(int /*kind*/, std::string& /*path*/) override { return E_FAIL; }
    int GetFloorOfHeight(float height, int /*type*/) const override {
        return static_cast<int>(height / 300.0f);
    }
    int GetFloorLevelOfHeight(float height, int type) const override {
        return GetFloorOfHeight(height, type);
    }
    const std::vector<CDesignObject*>& GetObjectList(int type) const override {
        return lists[static_cast<std::size_t>(type)];
    }
    HRESULT GetTexture(const std::string& path, int /*colorKey*/, gfx::Texture** texture,
                       const TextureMappingRecord* /*tile*/) override {
        requestedTextures.push_back(path);
        *texture = textureToHand;
        return textureToHand != nullptr ? S_OK : E_FAIL;
    }
    HRESULT CreateTileTexture(const std::vector<uint8_t>& fileImage, const std::string& name,
                              int /*colorKey*/, gfx::Texture** texture,
                              const TextureMappingRecord* tile) override {
        tileRequests.push_back(
            {name, fileImage.size(), tile != nullptr ? *tile : TextureMappingRecord{}});
        *texture = tileTextureToHand;
        return tileTextureToHand != nullptr ? S_OK : tileFailure;
    }
    gfx::Texture* GetTextureOrWarn(const std::string& path, int colorKey,
                                   const TextureMappingRecord* tile) override {
        gfx::Texture* texture = nullptr;
        GetTexture(path, colorKey, &texture, tile);
        return texture;
    }
    CTextureCache& GetTextureCache() override { return cache; }
    void ReportMissingFile(std::string_view /*format*/, std::string_view path) override {
        missingFiles.emplace_back(path);
    }
    bool IsBoxOutsidePlaneAndSphere(const C3DObject& /*object*/, const gfx::Plane& /*plane*/,
                                    const gfx::Matrix& /*reflection*/,
                                    const gfx::Vector3& /*eye*/) const override {
        return false;
    }

    // A tiled texture asked for: the name, the image's size and the tile.
    struct TileRequest {
        std::string name;
        std::size_t imageSize = 0;
        TextureMappingRecord tile;
    };

    std::array<std::vector<CDesignObject*>, 21> lists;
    std::vector<std::string> requestedTextures;
    std::vector<std::string> missingFiles;
    gfx::Texture* textureToHand = nullptr;
    std::vector<TileRequest> tileRequests;
    gfx::Texture* tileTextureToHand = nullptr;
    // What a tile request without a texture to hand answers.
    HRESULT tileFailure = E_FAIL;
    CTextureCache cache;

private:
    ISceneServices* m_previous;
};
