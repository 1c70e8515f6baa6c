#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Result.h"
#include "objects/TextureMappingRecord.h"
#include "platform/gfx/MathTypes.h"

class C3DObject;
class CDesignObject;
class CTextureCache;

namespace gfx {
class Texture;
}

// What the readers of design objects ask of the scene they are read into.
class CSceneLoadContext {
public:
    virtual ~CSceneLoadContext() = default;

    // The light whose number is number, or null; readers turn stored light
    // numbers back into lights with it.
    virtual CDesignObject* FindObjectByNumber(int /*number*/) { return nullptr; }
    // Lists an object (a plan symbol a reader made) under its type code.
    virtual int AddToTypeList(int /*type*/, CDesignObject* /*object*/) { return 0; }
    // S_OK when the file at path exists or was found by its name under the
    // library folder of kind (path is then replaced); E_FAIL otherwise,
    // after reporting it.
    virtual HRESULT LocateMissingFile(int kind, std::string& path) = 0;
    // Asked now and then while one record takes long to build (the cap of a
    // floor of thousands of points), so that the read's progress can show.
    // False once the read is aborted: the record is left unfinished.
    virtual bool ContinueLongRead() { return true; }
    // The version of the design file being read, which the readers' format
    // gates compare with; without a file, the version this program writes.
    virtual float GetFileVersion() const { return 6.05f; }
};

// What a 3D object asks of the scene store that holds it: storeys, the
// objects of a kind, the scene's textures and its reports.
class ISceneServices : public CSceneLoadContext {
public:
    // The storey and the floor level of a height for an object of the type.
    virtual int GetFloorOfHeight(float height, int type) const = 0;
    virtual int GetFloorLevelOfHeight(float height, int type) const = 0;
    // Every object of the type code 0..20 in the scene.
    virtual const std::vector<CDesignObject*>& GetObjectList(int type) const = 0;

    // The scene's texture for a texture file, made once and kept in the
    // scene's texture cache; tile, when given, carries the tiling and seam.
    virtual HRESULT GetTexture(const std::string& path, int colorKey, gfx::Texture** texture,
                               const TextureMappingRecord* tile) = 0;
    // A texture from a file image, kept in the scene's texture cache under
    // name, the colour key and the tile's seam; tile, when given, carries
    // the tiling and seam.
    virtual HRESULT CreateTileTexture(const std::vector<uint8_t>& fileImage,
                                      const std::string& name, int colorKey, gfx::Texture** texture,
                                      const TextureMappingRecord* tile) = 0;
    // GetTexture, with a message when the file cannot be made into one;
    // null then.
    virtual gfx::Texture* GetTextureOrWarn(const std::string& path, int colorKey,
                                           const TextureMappingRecord* tile) = 0;
    virtual CTextureCache& GetTextureCache() = 0;
    // A file a design names that was not found; format has one "%s".
    virtual void ReportMissingFile(std::string_view format, std::string_view path) = 0;
    // Whether the reflection of the object in the plane need not be drawn:
    // the object lies wholly behind the plane as seen from the eye, or
    // reaches farther behind it than the scene's mirror tolerance.
    virtual bool IsBoxOutsidePlaneAndSphere(const C3DObject& object, const gfx::Plane& plane,
                                            const gfx::Matrix& reflection,
                                            const gfx::Vector3& eye) const = 0;
};

// The scene of the open 3D view, set by the scene store while it exists;
// null without one.
extern ISceneServices* g_pCurrentScene;
