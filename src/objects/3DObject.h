#pragma once

#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/BoundingBox3D.h"
#include "foundation/Segment2F.h"
#include "objects/DesignObject.h"
#include "objects/MaterialRecord.h"
#include "objects/MaterialSnapshot.h"
#include "objects/OutlineRecord.h"
#include "objects/ShadowVolume.h"
#include "objects/TextureCache.h"
#include "objects/TextureMappingRecord.h"
#include "platform/gfx/LightMaterial.h"
#include "platform/gfx/MathTypes.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/ResourceRef.h"
#include "platform/gfx/Texture.h"

class C2DPictureShape;
class CObjectSnapshot;
class LittleEndianCursor;
class CWallObject;
struct HistoryRecord;

namespace gfx {
class Device;
}

// One hit of a pick ray on an object's mesh.
struct PickHit {
    uint32_t face = 0;
    float u = 0.0f;
    float v = 0.0f;
    float distance = 0.0f;
};

// A texture moved to a new device, so that a texture several objects share
// is copied once.
struct TextureMove {
    gfx::Texture* oldTexture = nullptr;
    gfx::ResourceRef<gfx::Texture> newTexture;
    // The cache's reference to the old texture, let go when the move ends,
    // so that no slot still to be moved points at a freed texture.
    gfx::ResourceRef<gfx::Texture> oldReference;
};

// The base of every design object with a mesh: models, walls and the
// surfaces built on them, lights and 3D text. It keeps the mesh with one
// material, texture, relief map and texture mapping per subset, the
// placement (position, heading, elevation and roll, real size) and its
// cached world matrix, the plan representation (symbol or outline), and the
// shadow and mirror settings that undo, the design file and the renderer
// share.
//
// Lengths are centimetres and angles radians; y is height; the plan point
// of an object is (x, z) and its drawing point (x, -z). Matrices are
// row-vector and left-handed.
class C3DObject : public CDesignObject {
public:
    // Texture name of a material without texture.
    static constexpr const char* kNoTextureName = "材質";

    C3DObject();
    // The copy shares the source's device, lights and textures of the
    // scene's cache, and gets its own outline records, plan symbol, relief
    // maps and copies of the source's own textures. It is not hidden and
    // not on any storey yet; the concrete class copies the mesh.
    C3DObject(const C3DObject& other);
    ~C3DObject() override;

    // ---- Root operations

    double GetLevelHeight() const override;
    void SavePosition() override;
    // The object's drawing point, rounded half away from zero.
    CIntBoundingBox2D GetBoundingBox() const override;

    // ---- Operations the classes refine

    virtual void SetNumber(int number) { m_number = number; }
    virtual int GetNumber() const { return static_cast<int>(m_number); }
    virtual void SetFacingViewer(int /*facing*/) {}
    virtual int IsFacingViewer() const { return 0; }
    virtual void SetMirror(int /*mirror*/) {}
    virtual int IsMirror() const { return 0; }
    virtual void SetMapKind(int /*kind*/) {}
    virtual int GetMapKind() const { return 0; }
    virtual int IsCameraAttached() const { return 0; }
    virtual std::unique_ptr<gfx::Mesh>* GetMeshSlot() { return &m_mesh; }
    virtual CBoundingBox3D GetWorldBoundingBox() const;
    // Turns the object about the pivot by the angle deltas and moves it by
    // the offsets: deltas are dx, dy, dz, heading, elevation, roll.
    virtual void RotateAroundPoint(const gfx::Vector3& pivot, const std::array<float, 6>& deltas);
    virtual void UpdateFloorIndex();
    virtual MaterialRecord GetMaterialRecord(int index) const;

    // Undo of property edits. Push appends a record with a snapshot of the
    // state before to list; Commit takes the state after and appends the
    // record to list only when something changed (else frees it).
    virtual void PushUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list, int value,
                                  int groupCount, int type) = 0;
    virtual void CommitUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list,
                                    std::unique_ptr<HistoryRecord> record, int groupCount) = 0;
    virtual void RestoreTransformFromSnapshot(const CObjectSnapshot& snapshot);
    virtual void RestoreMaterialsFromSnapshot(const CObjectSnapshot& snapshot);
    virtual void RestoreColoursFromSnapshot(const CObjectSnapshot& snapshot);
    virtual void RestoreNamesFromSnapshot(const CObjectSnapshot& snapshot);
    virtual void RestoreShadowSettingsFromSnapshot(const CObjectSnapshot& snapshot);

    // The normal draw: opaque subsets, then translucent ones, then the
    // selection box of a selected object.
    virtual void Render();
    // The base of a mirror surface's reflections.
    virtual void RenderMirrorPass();
    // Moves the mesh, textures and relief maps to a new device; textures
    // several objects share are copied once through moves.
    virtual void ResetDevice(gfx::Device* device, std::vector<TextureMove>& moves);
    // Moves a selected object by a plan offset as its move-axis mode allows;
    // the caller rebuilds the world matrix.
    virtual void MoveInPlan(double dx, double dy);
    virtual std::string GetDescription() const;
    virtual void UpdatePlanOutline();
    // Rebuilds the shadow volume from every shadow light when the shadow
    // flag is set and there is a mesh; otherwise the old volume stays.
    virtual void BuildShadowVolume();
    virtual void SetFaceRefineFlag(int /*face*/, int /*flag*/, int /*value*/) {}
    virtual std::string GetTextureFolder() const;
    virtual void UpdateTranslucency();
    // The name of the folder holding the object's file.
    virtual std::string GetLibraryFolderName() const;
    virtual void ApplyTextureMapping(int index, const TextureMappingRecord& mapping,
                                     bool recordUndo);
    virtual void UpdatePlanIcon();

    // ---- Placement; each rebuilds the world matrix

    void SetPosition(float x, float y, float z);
    void SetPositionVector(const gfx::Vector3& position);
    [[nodiscard]] gfx::Vector3 GetPosition() const;
    [[nodiscard]] double GetHeading() const { return m_heading; }
    [[nodiscard]] double GetElevation() const { return m_elevation; }
    [[nodiscard]] double GetRoll() const { return m_roll; }
    // Each angle at or above a full turn loses one turn, each below 0 gains
    // one, once.
    void SetRotation(float heading, float elevation, float roll);
    void SetUniformScale(float factor);
    void SetScale(float fx, float fy, float fz);
    // Places the mesh box's centre (or the point at fraction of its height)
    // at target.
    void MoveCentreTo(const gfx::Vector3& target);
    void MoveAnchorTo(const gfx::Vector3& target, float fraction);
    // x, y, z, roll, elevation, heading.
    [[nodiscard]] std::array<float, 6> GetPlacement() const;

    // ---- Matrices and points

    void UpdateWorldMatrix();
    [[nodiscard]] gfx::Matrix BuildWorldMatrixDirect() const;
    [[nodiscard]] gfx::Matrix GetScaleRotationMatrix() const;
    [[nodiscard]] gfx::Vector3 ScaleRotatePoint(const gfx::Vector3& point) const;
    [[nodiscard]] gfx::Vector3 LocalToWorld(const gfx::Vector3& point) const;
    [[nodiscard]] const gfx::Matrix& GetWorldMatrix() const { return m_world; }

    // ---- Extents and boxes

    void ComputeExtents();
    // The largest squared distance from point to a corner of the mesh box.
    [[nodiscard]] double GetMaxSquaredDistanceTo(const gfx::Vector3& point) const;

    // ---- Mesh edits

    void CentreMesh();
    void CentreMeshOnFloor();
    // 1 mirrors along x, 2 along z; other axes change nothing.
    void Mirror(int axis);

    // ---- Picking

    // The ray through the window point, in the mesh's own coordinates.
    void ComputePickRay(gfx::Vector3* direction, gfx::Vector3* origin,
                        const gfx::Matrix& projection, const gfx::Matrix& view, int x, int y,
                        int width, int height) const;
    // The same for a ray already in world coordinates (a point and a
    // direction), through the inverse kept with the world matrix, so a pick
    // over many objects inverts no matrix per object.
    void ToLocalRay(const gfx::Vector3& worldOrigin, const gfx::Vector3& worldDirection,
                    gfx::Vector3* origin, gfx::Vector3* direction) const;
    // Nearest mode: at most one hit, and a wall face seen from behind is
    // refused (count 0, result still 1). All-hits mode: up to 16 hits, the
    // nearest first. hits must hold 16 entries. Result 1 on a hit.
    int IntersectRay(int nearestOnly, PickHit* hits, uint32_t* count, const gfx::Vector3& origin,
                     const gfx::Vector3& direction, float* nearestDistance) const;
    // Walls only: false when the ray runs along the face's normal.
    [[nodiscard]] bool FacesRay(const gfx::Vector3& direction, uint32_t face) const;

    // ---- Plan and status

    // 1 unless the library folder names a lamp ("燈").
    [[nodiscard]] int IsNotLamp() const;
    // A floor hosts only photos of the carpet, tile, curtain and map
    // folders; any other pair can.
    [[nodiscard]] int CanHostPhoto(const C3DObject& photo) const;
    void SetPointRecords(const std::vector<OutlineRecord>& records);
    [[nodiscard]] const std::vector<OutlineRecord>& GetPointRecords() const {
        return m_outlineRecords;
    }
    [[nodiscard]] const std::vector<CSegment2F>& GetPlanOutline() const { return m_planOutline; }
    void SetDevice(gfx::Device* device) { m_device = device; }
    [[nodiscard]] gfx::Device* GetDevice() const { return m_device; }

    // ---- Rendering passes

    // All subsets with world = own world × extra, opaque ones first.
    void RenderWithMatrix(gfx::Device* device, const gfx::Matrix& extra);
    // The mirror images of the object on storey in the mirror surfaces: the
    // surface given, or else every mirror floor (floorsOnly) or wall.
    void RenderMirrorImages(gfx::Device* device, int storey, int floorsOnly, C3DObject* surface);
    void DrawSelectionBox(gfx::Device* device);

    // ---- Materials and textures

    // Applies a stored material to index; the texture name is appended to
    // the name list, so callers clear it first and go in index order.
    void ApplyMaterialRecord(int index, const MaterialRecord& record, bool loadTexture);
    // The texture name of index; out is unchanged out of range or for "材質".
    void GetTextureName(int index, std::string& out) const;
    [[nodiscard]] uint32_t GetFaceMaterial(uint32_t face) const;
    [[nodiscard]] TextureMappingRecord GetMappingRecord(int index) const;
    // Gives material index the texture (white colours, undo record of
    // operation 11 with the type given).
    void SetMaterialTexture(int type, int index, const std::string& name, gfx::Texture* texture);
    // A texture from a file image the library browser hands over; a failed
    // load changes nothing. parameters, when given, holds the four seam
    // words of the mapping.
    void ApplyTextureFile(int type, int index, const std::string& path, const uint8_t* data,
                          uint32_t length, const std::array<int32_t, 4>* parameters);
    // The grey (lightness) copy of a BMP file image of any uncompressed
    // depth as a texture; none when the bytes are no such image.
    gfx::ResourceRef<gfx::Texture> MakeGreyTexture(const std::vector<uint8_t>& bitmap) const;
    // A new relief map sized like source in *normalMap, and the grey copy
    // of source it is computed from.
    void CreateBumpTexture(gfx::Texture* source, gfx::ResourceRef<gfx::Texture>* normalMap,
                           gfx::ResourceRef<gfx::Texture>* grey) const;
    // False after "Create Mesh Error!"; the old mesh is kept then.
    bool CloneMeshToDevice(gfx::Device* device, std::unique_ptr<gfx::Mesh>* mesh);

    // The whole-object material as four 16-byte colour blocks (ambient,
    // diffuse, specular, emissive) of a design-file record.
    [[nodiscard]] std::array<gfx::ColorValue, 4> GetColourBlocks() const;
    void SetColourBlocks(const std::array<gfx::ColorValue, 4>& blocks);

    // ---- Plain state

    [[nodiscard]] gfx::Mesh* GetMesh() const { return m_mesh.get(); }
    [[nodiscard]] gfx::Mesh* GetSecondMesh() const { return m_secondMesh.get(); }
    [[nodiscard]] int GetMaterialCount() const { return m_materialCount; }
    // Makes count materials: default colours, no texture ("材質"), zero
    // mapping, no relief map.
    void ResizeMaterials(int count);
    [[nodiscard]] const gfx::Material& GetMaterial(int index) const { return m_materials[index]; }
    void SetMaterial(int index, const gfx::Material& material) { m_materials[index] = material; }
    [[nodiscard]] gfx::Texture* GetTexture(int index) const { return m_textures[index]; }
    void SetTexturePointer(int index, gfx::Texture* texture) { m_textures[index] = texture; }
    [[nodiscard]] gfx::Texture* GetBumpTexture(int index) const {
        return m_bumpTextures[index].Get();
    }
    [[nodiscard]] const std::vector<std::string>& GetTextureNames() const { return m_textureNames; }
    std::vector<std::string>& TextureNames() { return m_textureNames; }
    void SetMappingRecord(int index, const TextureMappingRecord& mapping) {
        m_mappingRecords[index] = mapping;
    }

    [[nodiscard]] const std::array<float, 3>& GetRealSize() const { return m_realSize; }
    [[nodiscard]] const std::array<float, 3>& GetExtent() const { return m_extent; }
    [[nodiscard]] const std::array<float, 3>& GetScale() const { return m_scale; }
    [[nodiscard]] gfx::Vector3 GetBoxMin() const { return m_boxMin; }
    [[nodiscard]] gfx::Vector3 GetBoxMax() const { return m_boxMax; }
    [[nodiscard]] int GetFloorIndex() const { return m_floorIndex; }
    void SetFloorIndex(int index) { m_floorIndex = index; }
    [[nodiscard]] double GetObjectNumber() const { return m_number; }
    void SetObjectNumber(double number) { m_number = number; }

    [[nodiscard]] const std::string& GetFilePath() const { return m_filePath; }
    void SetFilePath(std::string path) { m_filePath = std::move(path); }
    [[nodiscard]] const std::string& GetName() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }
    [[nodiscard]] const std::string& GetWebLink() const { return m_webLink; }
    void SetWebLink(std::string link) { m_webLink = std::move(link); }
    [[nodiscard]] const std::string& GetTriggerSound() const { return m_triggerSound; }
    void SetTriggerSound(std::string sound) { m_triggerSound = std::move(sound); }
    [[nodiscard]] const std::string& GetNote() const { return m_note; }
    void SetNote(std::string note) { m_note = std::move(note); }
    [[nodiscard]] float GetPrice() const { return m_price; }
    void SetPrice(float price) { m_price = price; }

    [[nodiscard]] const gfx::Material& GetObjectMaterial() const { return m_objectMaterial; }
    void SetObjectMaterial(const gfx::Material& material) { m_objectMaterial = material; }
    [[nodiscard]] const std::array<float, 4>& GetShadowParameters() const {
        return m_shadowParameters;
    }
    void SetShadowParameters(const std::array<float, 4>& parameters) {
        m_shadowParameters = parameters;
    }
    // The lights the object casts its shadow for; not owned.
    [[nodiscard]] const std::vector<C3DObject*>& GetShadowLights() const { return m_shadowLights; }
    std::vector<C3DObject*>& ShadowLights() { return m_shadowLights; }

    [[nodiscard]] int GetMirrorImages() const { return m_mirrorImages; }
    void SetMirrorImages(int flag) { m_mirrorImages = flag; }
    [[nodiscard]] int GetShadow() const { return m_shadow; }
    void SetShadow(int flag) { m_shadow = flag; }
    [[nodiscard]] int IsHidden() const { return m_hidden; }
    void SetHidden(int hidden) { m_hidden = hidden; }
    [[nodiscard]] int GetMoveAxisMode() const { return m_moveAxisMode; }
    void SetMoveAxisMode(int mode) { m_moveAxisMode = mode; }
    [[nodiscard]] int GetBlend() const { return m_blend; }
    void SetBlend(int flag) { m_blend = flag; }
    [[nodiscard]] int GetShadowReceiver() const { return m_shadowReceiver; }
    void SetShadowReceiver(int flag) { m_shadowReceiver = flag; }
    [[nodiscard]] int GetDepthPass() const { return m_depthPass; }
    void SetDepthPass(int flag) { m_depthPass = flag; }
    [[nodiscard]] int GetPlanSymbolShown() const { return m_planSymbolShown; }
    // The first plan flag says the outline is valid, whether or not its
    // segments are drawn: a model shown by its symbol keeps no segments.
    [[nodiscard]] bool HasValidPlanOutline() const { return m_planSymbolShown != 0; }
    void SetPlanSymbolShown(int flag) { m_planSymbolShown = flag; }
    [[nodiscard]] int GetPlanOutlineShown() const { return m_planOutlineShown; }
    void SetPlanOutlineShown(int flag) { m_planOutlineShown = flag; }
    [[nodiscard]] int IsTranslucent() const { return m_translucent; }
    [[nodiscard]] int GetMirrorMode() const { return m_mirrorMode; }
    void SetMirrorMode(int mode) { m_mirrorMode = mode; }
    [[nodiscard]] int GetBasePartCount() const { return m_basePartCount; }
    void SetBasePartCount(int count) { m_basePartCount = count; }
    [[nodiscard]] gfx::Vector3 GetSavedPosition() const { return m_savedPosition; }

    [[nodiscard]] C2DPictureShape* GetPlanIcon() const { return m_planIcon.get(); }
    // Takes the symbol and makes this object its owner.
    void SetPlanIcon(std::unique_ptr<C2DPictureShape> icon);
    [[nodiscard]] CTextureCache& GetOwnTextureCache() { return m_textureCache; }

protected:
    void SetWorldMatrix(const gfx::Matrix& world);
    // The run of a model's or a 3D text's record from the number to the
    // price: placement, size, turns, the mirror, shadow and blend flags, the
    // colour blocks with the shadow parameters and material 0's power
    // (3DObjectRecordFields.cpp).
    void WriteStandingFields(CBinaryWriter& writer) const;
    // The same run read back; the power is returned, for the materials made
    // after it.
    float TakeStandingFields(LittleEndianCursor& fields);
    // The plan outline's segments, red while selected on screen.
    void DrawPlanOutline(draw::DrawContext& dc, int rop2) const;
    // Sets the mesh and takes its box and extents.
    void SetMesh(std::unique_ptr<gfx::Mesh> mesh);
    void SetSecondMesh(std::unique_ptr<gfx::Mesh> mesh) { m_secondMesh = std::move(mesh); }
    // A copy of other's mesh on this object's device, for the classes'
    // copy constructors.
    [[nodiscard]] static std::unique_ptr<gfx::Mesh> CloneMesh(const gfx::Mesh* mesh);
    // Moves every vertex of the mesh by -offset.
    void OffsetMeshPositions(const gfx::Vector3& offset);

    // The bodies of PushUndoSnapshot and CommitUndoSnapshot for a class
    // whose snapshots are the ones given.
    void PushSnapshotRecord(std::vector<std::unique_ptr<HistoryRecord>>& list, int value,
                            int groupCount, int type, std::unique_ptr<CObjectSnapshot> before);
    void CommitSnapshotRecord(std::vector<std::unique_ptr<HistoryRecord>>& list,
                              std::unique_ptr<HistoryRecord> record, int groupCount,
                              std::unique_ptr<CObjectSnapshot> after);

    void CopyMaterialsFrom(const C3DObject& source);
    // Draws every subset whose opacity matches (opaque: diffuse alpha at
    // least 1) with its texture set-up.
    void RenderSubsets(gfx::Device* device, bool opaque, bool bumpNeedsNormalMap);
    // Material index with the bump or plain texture stages, its material
    // and (while textures are shown) its textures.
    void DrawMaterialSubset(gfx::Device& device, int index, bool bump);
    // The mesh a mirror surface reflects in; the wall family chooses
    // between its refined and its plain mesh.
    [[nodiscard]] virtual const gfx::Mesh* GetMirrorSurfaceMesh() const {
        return m_secondMesh.get();
    }
    void RenderMirrorImageIn(gfx::Device* device, C3DObject& surface);
    void DrawBoxEdge(gfx::Device* device, const gfx::Vector3& from, const gfx::Vector3& to);
    void MoveTextureToDevice(gfx::Device* device, gfx::Texture*& slot,
                             std::vector<TextureMove>& moves);
    gfx::Texture* FindOrCloneTexture(gfx::Device* device, gfx::Texture* old,
                                     std::vector<TextureMove>& moves);
    // The texture-cache entry (the scene's, else the object's own) that held
    // old holds replacement, with a reference of its own; the entry's
    // reference to old comes back (empty when no entry held it).
    gfx::ResourceRef<gfx::Texture> ReplaceSceneTexture(gfx::Texture* old,
                                                       gfx::Texture* replacement);
    // The state of material index that undo keeps.
    [[nodiscard]] MaterialSnapshot TakeMaterialSnapshot(int index) const;
    void PushMaterialUndo(int type, int index, MaterialSnapshot before);
    // The vertices the mapping of material index moves.
    [[nodiscard]] std::vector<uint32_t> GetMappedVertices(int index) const;

    gfx::Device* m_device = nullptr;
    float m_heading = 0.0f;
    float m_elevation = 0.0f;
    float m_roll = 0.0f;
    std::array<float, 3> m_scale = {1.0f, 1.0f, 1.0f};
    std::array<float, 3> m_position{};
    gfx::Vector3 m_boxMax;
    gfx::Vector3 m_boxMin;
    int m_floorIndex = 0;
    std::vector<TextureMappingRecord> m_mappingRecords;
    std::unique_ptr<C2DPictureShape> m_planIcon;
    std::string m_filePath;
    std::string m_name;
    double m_number = 0.0;
    std::unique_ptr<gfx::Mesh> m_mesh;
    std::unique_ptr<gfx::Mesh> m_secondMesh;
    std::vector<gfx::Material> m_materials;
    // Current texture per material; held by a texture cache, not here.
    std::vector<gfx::Texture*> m_textures;
    int m_materialCount = 0;
    int m_basePartCount = 0;
    std::array<float, 3> m_extent{};    // x, z, y
    std::array<float, 3> m_realSize{};  // x, z, y
    int m_mirrorImages = 0;
    int m_shadow = 0;
    int m_hidden = 0;
    std::vector<std::string> m_sourceTextureNames;
    std::vector<std::string> m_textureNames;
    std::vector<gfx::Material> m_sourceMaterials;
    std::vector<gfx::Texture*> m_sourceTextures;
    gfx::Material m_objectMaterial;
    float m_price = 0.0f;
    std::string m_webLink;
    std::string m_triggerSound;
    std::string m_note;
    std::array<float, 4> m_shadowParameters = {0.0f, 0.0f, 0.0f, 0.3f};
    std::vector<C3DObject*> m_shadowLights;
    // Set only through SetWorldMatrix, which keeps the inverse with it.
    gfx::Matrix m_world;
    std::optional<gfx::Matrix> m_inverseWorld;
    int m_moveAxisMode = 0;
    int m_blend = 0;
    int m_shadowReceiver = 0;
    int m_depthPass = 0;
    std::vector<gfx::ResourceRef<gfx::Texture>> m_bumpTextures;
    int m_planSymbolShown = 1;
    int m_planOutlineShown = 0;
    std::vector<CSegment2F> m_planOutline;
    std::vector<OutlineRecord> m_outlineRecords;
    CTextureCache m_textureCache;
    gfx::Vector3 m_savedPosition;
    int m_mirrorImagesCopy = 0;
    int m_shadowCopy = 0;
    int m_translucent = 0;
    int m_mirrorMode = 0;

    // ---- Stencil shadows (3DObjectShadow.cpp)
public:
    // Counts the volume into the stencil buffer under the world matrix: one
    // two-sided pass when the capabilities offer it, else front faces then
    // back faces. Leaves depth writing on, stencil and blending off, culling
    // counter-clockwise and shading smooth, whether or not it drew.
    void RenderShadowVolume(gfx::Device* device, const gfx::Caps& caps);
    [[nodiscard]] const CShadowVolume& GetShadowVolume() const { return m_shadowVolume; }

private:
    // Each object its own, a copy's empty too.
    CShadowVolume m_shadowVolume;
};

// 1 for the wall-derived types (walls, photos, floors, ceilings).
int IsSurfaceObjectType(int type);

// The ray through the window point in world coordinates: the eye and the
// direction. False when the view cannot be inverted.
bool ComputeWorldPickRay(const gfx::Matrix& projection, const gfx::Matrix& view, int x, int y,
                         int width, int height, gfx::Vector3* origin, gfx::Vector3* direction);
