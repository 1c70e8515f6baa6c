#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "objects/WallObject.h"

class CBinaryReader;
class CBinaryWriter;
struct CostItemRecord;

namespace gfx {
class Device;
}

class CPhotoObject;

// A photo's snapshot adds the facing-viewer switch to the wall's.
class CPhotoSnapshot : public CWallSnapshot {
public:
    explicit CPhotoSnapshot(const CPhotoObject& photo);
    [[nodiscard]] bool IsEqual(const CObjectSnapshot& other) const override;

    int facingViewer = 0;
};

// What loading a picture gave: its size in pixels, (0, 0) when the picture
// could not be read, and whether the part got a texture.
struct LoadedPicture {
    int width = 0;
    int height = 0;
    bool textured = false;
};

// A picture standing in the scene: a photograph, a light map or a shadow
// map on a unit quad scaled to the picture's width and height. It has one
// part with one material; its plan symbol is a photo icon, or a line
// showing its width and tilt.
class CPhotoObject : public CWallObject {
public:
    // Bytes of a record before its texts.
    static constexpr int kFixedFieldsSize = 244;
    // The quad has no depth; this keeps the depth scale defined.
    static constexpr float kDepth = 0.05f;
    // Just below 1, so that photos are drawn in the translucent pass.
    static constexpr float kPhotoAlpha = 0.99f;

    CPhotoObject();
    CPhotoObject(const CPhotoObject& other);
    ~CPhotoObject() override;

    std::unique_ptr<CDesignObject> Clone() const override;
    // The name follows the number: "照片-n".
    void SetNumber(int number) override;
    void SetFacingViewer(int facing) override { m_facingViewer = facing; }
    int IsFacingViewer() const override { return m_facingViewer; }
    // 0 photo, 1 light map, 2 shadow map: material, blending and plan
    // outline follow; material 0's power is kept.
    void SetMapKind(int kind) override;
    int GetMapKind() const override { return m_mapKind; }
    int IsCameraAttached() const override { return m_cameraAttached; }
    void SetCameraAttached(int attached) { m_cameraAttached = attached; }

    // The quad with its one part; 0 (nothing else changed) when the mesh
    // could not be made.
    int BuildMesh();
    // Real size and scale of x and y; the world matrix is left to the caller.
    void SetPictureSize(float width, float height);
    [[nodiscard]] std::array<double, 2> GetPictureSize() const;
    [[nodiscard]] const std::array<int, 2>& GetPixelSize() const { return m_pixelSize; }
    void SetPixelSize(int width, int height) { m_pixelSize = {width, height}; }

    // Makes part's texture from the picture or material file at path,
    // through the object's texture cache keyed by the bare file name, the
    // data length and the blend flag. With blending, exactly opaque black
    // pixels become transparent. A picture that cannot be read, or turned
    // into a texture, is reported and leaves the part without a texture.
    LoadedPicture LoadTexture(gfx::Device* device, int part, const std::string& path);

    // Empty while the photo follows the camera.
    CIntBoundingBox2D GetBoundingBox() const override;
    std::string GetTextureFolder() const override;
    // The quotation item: name (when set), price, and the catalogue's
    // texts of the picture's file name.
    void FillLibraryRecord(CostItemRecord& item) const;
    // A photo is hit only from its front: a pick ray direction in the
    // quad's own coordinates pointing into it.
    [[nodiscard]] static bool IsFrontHit(const gfx::Vector3& direction) { return direction.z > 0; }

    void Draw(draw::DrawContext& dc, int rop2) const override;
    // The camera's photo is the background picture: it writes nothing and
    // gives S_FALSE.
    HRESULT Write(CBinaryWriter& writer) const override;
    HRESULT Read(CBinaryReader& reader) override;

    void PushUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list, int value,
                          int groupCount, int type) override;
    void CommitUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list,
                            std::unique_ptr<HistoryRecord> record, int groupCount) override;
    void RestoreTransformFromSnapshot(const CObjectSnapshot& snapshot) override;

    // The cache key of a picture: its file name without the folder.
    static std::string GetTextureKey(const std::string& path);

private:
    // The unit quad into the base and mesh arrays.
    void BuildQuadGeometry();
    // A new photo icon sized and placed after the photo.
    void RebuildPlanIcon();

    int m_mapKind = 0;
    int m_facingViewer = 1;
    int m_cameraAttached = 0;
    // Never left undefined: a design file stores it.
    std::array<int, 2> m_pixelSize{};
};

// The map kind a picture's folder gives: 1 light maps, 2 shadow maps, else 0.
int GetPictureMapKind(const std::string& path);
// 1 unless the folder is one of the light map, shadow map, curtain, carpet
// or floor tile folders.
int IsPlainPicture(const std::string& path);
