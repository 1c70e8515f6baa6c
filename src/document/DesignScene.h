#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/DesignFileFront.h"
#include "document/DesignFileHeader.h"
#include "document/DesignScenePickRules.h"
#include "document/DocumentBlock.h"
#include "document/MergedSurfaces.h"
#include "document/PlanStateBlock.h"
#include "document/SelectionEditMode.h"
#include "document/SelectionInput.h"
#include "foundation/Vector2D.h"
#include "objects/IntBoundingBox2D.h"
#include "objects/OutlineRecord.h"
#include "objects/SceneServices.h"
#include "objects/ShadowLightLinks.h"
#include "objects/TextureCache.h"
#include "platform/gfx/DeviceTypes.h"
#include "platform/gfx/ResourceRef.h"
#include "platform/gfx/VertexBuffer.h"

class IOperationProgress;
class CLightObject;
struct ExportedTextures;
struct SelectionMeshExport;
struct TextureMove;

class C3DObject;
class CBinaryReader;
class CBinaryWriter;
class CCopyBuffer;
class CCeilingObject;
class CDesignObject;
class CFloorObject;
class CHousDoc;
class CWallObject;
class IDesignFileView;
struct WallFaceItem;
struct PackagedTexture;
struct ReadDesignObjects;

namespace gfx {
class Device;
class Mesh;
class Texture;
struct MeshMergeSource;
}  // namespace gfx

// What the scene store asks of the 3D view it renders for: the device and
// the engine's frame pieces, the view's switches and the camera's eye.
class ISceneRenderTarget {
public:
    virtual ~ISceneRenderTarget() = default;
    [[nodiscard]] virtual gfx::Device* GetDevice() const = 0;
    virtual void SetDefaultRenderStates() = 0;
    virtual void DrawGrid() = 0;
    [[nodiscard]] virtual bool IsOrthographic() const = 0;
    [[nodiscard]] virtual float GetEyeHeight() const = 0;
};

// The store of every object of one design: typed lists by object type code
// (0..20) with the selected, hidden and title-frame lists, the storey
// tables, object numbers, the factory, and the frame's render passes. One
// scene lives in the 3D view; g_pCurrentScene names it while it exists.
class CDesignScene : public ISceneServices {
public:
    static constexpr int kTypeCount = 21;
    static constexpr int kMaxFloorLevels = 200;

    CDesignScene();
    ~CDesignScene() override;
    CDesignScene(const CDesignScene&) = delete;
    CDesignScene& operator=(const CDesignScene&) = delete;

    // ---- Object numbers

    double NextObjectId();
    [[nodiscard]] double GetObjectIdCounter() const { return m_objectIdCounter; }
    void SetObjectIdCounter(double counter) { m_objectIdCounter = counter; }

    // A new design's three lights, a point light and two directional ones,
    // each with the next object number and its plan icon.
    void AddDefaultLights();

    // ---- Lists (type codes 0..20)

    void AddObjectIfAbsent(int type, CDesignObject* object);
    // Takes the object out of its list without deleting it: the caller owns
    // it then. A light is switched off in the device first.
    void RemoveObject(int type, CDesignObject* object);
    void SelectObject(int type, CDesignObject* object);
    void DeselectObject(int type, CDesignObject* object);
    // DeselectObject for every selected object of the type.
    void DeselectAll(int type);
    [[nodiscard]] bool IsModelInScene(const CDesignObject* object) const;
    // ---- Wall-face items edited in the face editor and pasted split lines
    // The first selected wall, else floor, else ceiling edits the face of
    // its triangle, as one undo step; false when none is selected or the
    // editor was cancelled.
    bool OpenSurfaceFaceEditor(int triangle);
    // Adds the lines to the face and cuts it, as one undo step; false when
    // the face could not be cut (the lines are not added then).
    bool PasteSplitLines(CWallObject& wall, int face, const std::vector<WallFaceItem>& lines);
    [[nodiscard]] std::vector<CDesignObject*>& Objects(int type) { return m_objects[type]; }
    [[nodiscard]] std::vector<CDesignObject*>& Selected(int type) { return m_selected[type]; }
    [[nodiscard]] std::vector<CDesignObject*>& Hidden(int type) { return m_hidden[type]; }
    [[nodiscard]] std::vector<CDesignObject*>& TitleFrame(int type) { return m_titleFrame[type]; }
    // Deletes the 3D objects, DXF symbols and pictures and empties the
    // document's history; plan shapes and selections are the document's.
    void ClearScene();
    // Deletes the plan shapes (types 7 to 13 and groups) and the title
    // frame's shapes.
    void DeletePlanShapes();
    // Empties every selection list; the objects keep their flags.
    void ClearSelection();

    void SetDocument(CHousDoc* doc) { m_pDoc = doc; }
    [[nodiscard]] CHousDoc* GetDocument() const { return m_pDoc; }

    // ---- Storeys

    void RebuildFloorLevels();
    [[nodiscard]] int GetStoreyIndex() const { return m_storeyIndex; }
    [[nodiscard]] int GetFloorLevelIndex() const { return m_floorLevelIndex; }
    [[nodiscard]] float GetStoreyBase(int storey) const { return m_storeyBases[storey]; }
    [[nodiscard]] float GetFloorLevel(int level) const { return m_floorLevels[level]; }
    [[nodiscard]] int GetCurrentFloor() const;
    [[nodiscard]] float GetCurrentFloorHeight() const;
    // Shown on every floor, or its level height lies on the current storey.
    [[nodiscard]] bool IsOnCurrentFloor(const CDesignObject& object) const;
    // The storey texts "第%d層" of the plan's floor combo, 1 .. storeys.
    [[nodiscard]] std::vector<std::string> GetFloorComboTexts() const;
    void FillFloorCombo();

    // ---- Plan outlines

    // The plan outline records of a mesh: each border edge with its face's
    // normal, and each edge where the surface folds twice, once with each
    // face's normal; heights from the middle of the mesh box.
    [[nodiscard]] static std::vector<OutlineRecord> BuildMeshEdgeList(const C3DObject& object);

    // ---- Packaged models (DesignScenePackages.cpp)

    // The outline records of a mesh, material by material: the edges of each
    // material's faces that no other face of it shares facing the same way,
    // each with its face's normal; heights from the middle of the mesh box.
    // earlyStop ends each edge search at its first match.
    [[nodiscard]] static std::vector<OutlineRecord> BuildMaterialEdgeList(const gfx::Mesh& mesh,
                                                                          bool earlyStop);
    // Writes an export's packaged model file: the .x file at meshPath, which
    // is deleted once read, the textures (one record per material), the
    // outline records of the mesh and the picked object's web link. False,
    // after a message, when the .x file cannot be read or the package cannot
    // be written; an earlier file at outputPath is then left as it was.
    bool WritePackagedModel(const std::string& outputPath, const std::string& meshPath,
                            const std::vector<PackagedTexture>& textureRecords,
                            const gfx::Mesh& mesh) const;

    // ---- Rendering

    // The view renders through this; null until the view has set it.
    void SetRenderTarget(ISceneRenderTarget* target) { m_renderTarget = target; }
    // The device new objects are made on; null without a view.
    [[nodiscard]] gfx::Device* GetRenderDevice() const { return TargetDevice(); }
    void RenderScene();
    // Plain walls, floors and ceilings are drawn from buffers merged per
    // material and storey unless this is switched off; the picture is the
    // same either way.
    void SetMergeSurfaces(bool on) { m_mergeSurfaces = on; }

    // ---- Stencil shadows (DesignSceneShadows.cpp)

    // The device's capabilities, which choose one- or two-sided stencil
    // passes, and the full-window quad that darkens the shadowed pixels in
    // the view's shadow colour, as the screen overlay is made for a device.
    void SetScreenOverlay(const gfx::Caps& caps, gfx::ResourceRef<gfx::VertexBuffer> quad);
    // The volumes of the shown, meshed, shadow-casting objects of the type
    // on the level (and on the current storey when the document shows the
    // current storey's shadows only) counted into the stencil buffer.
    void RenderShadowsOfType(int type, int level);
    // Darkens every pixel whose stencil value is not zero with the quad.
    void DrawShadowOverlay(gfx::Device& device);

    // ---- Settings kept in design files

    [[nodiscard]] int GetMirrorTolerance() const { return m_mirrorTolerance; }
    void SetMirrorTolerance(int tolerance) { m_mirrorTolerance = tolerance; }
    [[nodiscard]] float GetFileVersion() const override { return m_fileVersion; }
    void SetFileVersion(float version) { m_fileVersion = version; }
    [[nodiscard]] int GetMergeMarker() const { return m_mergeMarker; }
    void SetMergeMarker(int marker) { m_mergeMarker = marker; }
    [[nodiscard]] int GetMissingReportsSuppressed() const { return m_missingReportsSuppressed; }
    void SetMissingReportsSuppressed(int flag) { m_missingReportsSuppressed = flag; }

    // ---- The front of a design file (DesignSceneFile.cpp)

    // The header, the plan-state block, the document block and the view's
    // view-point table, from the scene, its document and the view. False
    // without a document or when the writer failed.
    bool WriteDesign(CBinaryWriter& writer, const IDesignFileView& view) const;
    // Reads a design file's front as far as its version has one, leaving the
    // reader at the first object section. A version newer than this
    // program's, or a front that is damaged or cut short, is refused with a
    // message before anything changes. Otherwise the version is kept for
    // the object readers, the header's object-id counter and the view-point
    // table go to the view, and with apply set the scene is cleared and the
    // header and blocks are applied to the document, the scene and the view.
    bool ReadDesign(CBinaryReader& reader, IDesignFileView& view, bool apply);

    // ---- The object sections (DesignSceneSections.cpp)

    // The seven 3D sections. With selectedOnly only the selected objects,
    // each stored relative to the camera's eye, and the photo count holds no
    // background photo. False when a record could not be written.
    bool WriteSections(CBinaryWriter& writer, bool selectedOnly);
    // Numbers every object by its list position, then writes the plan
    // sections.
    bool WritePlanSections(CBinaryWriter& writer);
    bool WriteTrailer(CBinaryWriter& writer, int32_t wireframe) const;
    // A whole design: the front, the 3D and plan sections and the trailer.
    bool WriteDesignFile(CBinaryWriter& writer, const IDesignFileView& view);
    // The selected 3D objects, for another design to take in.
    bool WriteSelectionExchange(CBinaryWriter& writer);
    // Reads a whole design file before any of it reaches the open design;
    // a file that is damaged, cut short or holds objects this program cannot
    // read yet is refused with a message and changes nothing, and so is a
    // read the user aborted in the progress window (no message). Then the front
    // is applied as ReadDesign does and the objects join the scene's lists;
    // wireframe gets the trailer's display flag.
    bool ReadDesignFile(CBinaryReader& reader, IDesignFileView& view, bool apply,
                        int32_t& wireframe);
    // Takes in an exported selection, selected, all of it or nothing.
    bool ReadSelectionExchange(CBinaryReader& reader);
    // Deletes the 3D objects that have no extent left.
    void RemoveEmptyObjects();
    void RemoveEmptyObjectsOfType(int type);

    // ---- Picking (DesignScenePick.cpp)

    // The nearest shown object of one type under the cursor.
    [[nodiscard]] ScenePick PickInTypeList(int type, const ScenePickQuery& query) const;
    // The nearest object of every pickable type; an equally near object of
    // a later type does not win.
    [[nodiscard]] ScenePick PickNearestObject(const ScenePickQuery& query) const;

    // Every photo that turns to the viewer faces the camera at eye, on the
    // plan too.
    void TurnPhotosToCamera(const gfx::Vector3& eye);

    // ---- Moving and turning the selection (DesignSceneEditing.cpp)

    // Moves the selected models, lights, 3D texts and photos with a
    // left-button drag in the 3D view: the first call only anchors the drag.
    void DragSelection(SelectionDrag& drag, int flags, int x, int y);
    // The move and turns a key makes: dx, dy, dz, heading, pitch and roll
    // turns (radians). Mode 2 moves along the plan's axes, any other mode
    // along the camera's heading.
    [[nodiscard]] std::array<float, 6> GetKeyboardNudge(int key, int mode,
                                                        const KeyModifiers& modifiers) const;
    // A move in plan terms (dz downward on the plan) of the plan shapes and
    // the 3D objects; nothing while the document is busy.
    void TransformSelection(const std::array<float, 6>& deltas);
    void MovePlanShapes(float dx, float dz);
    // Moves and turns the selected 3D objects about their common centre;
    // refused with a message while the surfaces are locked and one is
    // selected.
    void TransformSelected3DObjects(const std::array<float, 6>& deltas);
    void MoveSelectionBottomTo(float height);
    // The lowest position y of the selected 3D objects; 1e10 with none.
    [[nodiscard]] float GetSelectionBottom() const;
    // The centre of the box around the positions of the selected 3D objects.
    [[nodiscard]] gfx::Vector3 GetSelectionCentre() const;
    // Whether model is a door or window model in an opening of a surface.
    [[nodiscard]] static bool IsInOpeningOfSurfaces(const std::vector<CDesignObject*>& surfaces,
                                                    const C3DObject* model);
    // The world box of every (or every selected) 3D object but lights and
    // camera-attached photos; false when there is none.
    bool GetSceneBounds(gfx::Vector3* min, gfx::Vector3* max) const;
    bool GetSelectionBounds(gfx::Vector3* min, gfx::Vector3* max) const;

    // ---- Surfaces from plan outlines (DesignSceneSurfaces.cpp)

    // A new surface from the plan outline between the wall bar's heights,
    // added with its undo record; null for fewer than 3 points.
    CFloorObject* AddFloorFromOutline(const std::vector<CVector2D>& points);
    CCeilingObject* AddCeilingFromOutline(const std::vector<CVector2D>& points);
    CWallObject* AddWallFromOutline(const std::vector<CVector2D>& points);
    // Each meshed 3D object but lights finds its storey again, and its plan
    // symbol takes its height.
    void RefreshObjectsAndSymbols();

    // ---- Refining a face of the selected surface (DesignSceneRefine.cpp)

    // The first selected wall, else floor, ceiling or photo refines or
    // un-refines the part of the picked triangle face; a plain part asks its
    // level first, and Cancel changes nothing. Then a frame is painted.
    void RefineSelection(int* face);
    // For one type: false when no object of it is selected, when an object
    // without refine records comes first, or when the level was cancelled.
    bool RefineSelectedOfType(int type, int* face);
    // The refine command's check mark: whether the part of the picked face
    // of the first selected wall, floor, ceiling or photo is refined;
    // nothing (the command disabled) when none of them is selected.
    [[nodiscard]] std::optional<bool> IsSelectionRefined(int face);
    // ---- The 3D view's object options, lights, background picture and copy
    // buffer (DesignSceneOptions.cpp, DesignSceneLights.cpp,
    // DesignSceneBackground.cpp, DesignScenePaste.cpp)

    // Some selected object of 0, 1, 3, 4, 5, 6 shows its mirror image.
    [[nodiscard]] bool IsMirrorShownOnSelection();
    // Every selected object but lights takes the opposite of the above, as
    // one undo step.
    void ToggleMirrorOfSelection();
    // A selected mirror wall, then floor, whose material at index is
    // see-through.
    [[nodiscard]] bool FindNonMirrorSelectedFace(int material);
    // Some selected model, 3D text or wall casts shadows.
    [[nodiscard]] bool IsShadowShownOnSelection();
    // The selected models, 3D texts and walls take the opposite of the
    // above, as one undo step that also takes back any light given to them.
    void ToggleShadowOfSelection();
    // Records each change into a group of group records.
    void SetShadowOfType(int type, int flag, int group);
    // The nearest light that reaches the object joins its shadow lights; a
    // directional light always reaches.
    void AssignNearestLight(C3DObject& object);
    void RelightObjectsLitBy(const C3DObject* light);
    void RelightTypeLitBy(int type, const C3DObject* light);
    // The selection but lights goes to the hidden lists; no undo.
    void HideSelection();
    void ShowAllObjects();
    [[nodiscard]] bool HasHiddenObjects();
    // 0 hides the plan icon of the selected models, 3D texts and photos, 1
    // shows it, 2 shows it with the outline.
    void SetPlanIconModeOfSelection(int mode);
    // Of the first selected model, else 3D text, else photo: 0 icon shown,
    // 1 outline not shown, 2 outline shown, 3 has an icon, 4 is a photo or
    // has outline points. 0 without a selection.
    [[nodiscard]] int GetPlanIconModeOfSelection(int query);
    // The door and window models of the selected walls' openings join the
    // selection; openings whose model has left the scene forget it.
    int SelectOpeningModels();
    // Order 0 farthest first, 1 nearest first, by the objects' farthest
    // box corner.
    void SortTypeByCameraDistance(int type, const gfx::Vector3& point, int order);
    void SortPhotosBackToFront(const gfx::Vector3& point);

    // What the background picture follows of the camera.
    struct BackgroundCamera {
        gfx::Vector3 eye;
        gfx::Vector3 direction;
        float farPlane = 0.0f;
    };
    // The camera-attached photo showing the file, replacing any before it.
    void CreateBackgroundPhoto(const BackgroundCamera& camera, const std::string& file, int width,
                               int height);
    void RemoveBackgroundPhoto();
    [[nodiscard]] static gfx::Vector3 ComputeBackgroundPhotoPosition(
        const BackgroundCamera& camera);
    void PlaceBackgroundPhoto(const BackgroundCamera& camera, float heading, float pitch);
    void ScrollBackgroundPhoto(float heading, float pitch);
    // Null once the photo has left the photo list.
    [[nodiscard]] C3DObject* GetBackgroundPhoto() const;

    // The copy buffer takes the selection's free-standing objects; whether
    // anything was taken.
    bool CopySelectionToBuffer(CCopyBuffer& buffer);
    // Clones of the buffer's objects, moved by the plan offset, become the
    // selection; with undo the whole paste is one step. The buffer is left
    // as it is.
    void PasteCopyBuffer(const CCopyBuffer& buffer, float dx, float dy, bool withUndo);
    // The offset that brings the buffer's lowest plan corner to the point;
    // false (offset unchanged) when the buffer has no extent.
    bool ComputePasteOffsetAtPoint(const CCopyBuffer& buffer, double x, double y, float& dx,
                                   float& dy);
    // ---- Selection (DesignSceneSelection.cpp)

    // Every object of the type and its plan symbol lose their flag and the
    // type's picked object is cleared; with empty the selected list goes too.
    void DeselectType(int type, bool empty);
    void ClearTypeSelection(int type);
    void DeselectSelectedOfType(int type, bool empty);
    void DeselectSavedTypes(bool empty);
    void DeselectPlanTypes(bool empty);
    void ClearPlanSelection();
    // The plan shapes lose their selection and the edit mode follows what
    // is left.
    void ClearPlanSelectionAndMode();
    // The selected lists of the 3D types and of the plan symbols from the
    // objects' flags, keeping the order of what stays selected; a model,
    // photo or light brings its plan symbol along.
    void RebuildSelectionLists();
    void CollectSelectedSavedObjects();
    void MarkSelectedObjects();
    // Deselects what has left its list or belongs to no group.
    void PruneSelectionLists();
    [[nodiscard]] bool HasSelectionOfType(int type) const;
    [[nodiscard]] bool HasSelected3DObject() const;
    // More than one kind, the line family counting as one.
    [[nodiscard]] bool HasMixedSelection() const;
    [[nodiscard]] int CountSelected3DObjects() const;
    [[nodiscard]] int CountSelectedPlanObjects() const;
    [[nodiscard]] SelectionSummary RecountSelection() const;
    // Sets the document's edit mode from the selection and returns it.
    int UpdateSelectionEditMode();
    void ClearPickedObjects();
    // The document's picked object of a 3D type; other codes are ignored.
    void SetPickedObject(int type, C3DObject* object);
    void ClearPickedObjectOfType(int type);
    [[nodiscard]] bool HasHiddenObjects() const;
    // The union of the non-empty plan boxes; {1, 0, 0, 0, 0} without one.
    [[nodiscard]] static CIntBoundingBox2D GetListExtent(const std::vector<CDesignObject*>& list);
    [[nodiscard]] CIntBoundingBox2D GetTypeExtent(int type) const;
    [[nodiscard]] CIntBoundingBox2D GetSelectedTypeExtent(int type) const;

    // ---- Deletion (DesignSceneDeletion.cpp)

    [[nodiscard]] std::string GetDeleteConfirmText(int type) const;
    // The selected objects of one 3D type leave the scene after a Yes to the
    // type's question (unless noConfirm); with recordUndo each goes into a
    // delete record, the type's records making one step. The count removed.
    int DeleteSelectedObjects(bool recordUndo, bool noConfirm, int type);
    void DeleteSelectedInType(bool recordUndo, int type);
    void DeleteObjectWithUndo(int type, CDesignObject* object);
    void DeleteSelectedPlanObjects(int type);
    // The whole selection, type by type, the door and window models of
    // deleted walls with them; each kind asks unless noConfirm. The caller
    // makes it one undo step. The count removed.
    int DeleteSelectionByType(bool noConfirm);
    // Takes the light out of every object's shadow-light list and returns
    // where it was, for the deletion's undo to put it back.
    ShadowLightLinks DetachLightFromObjects(C3DObject* light);
    static void RestoreLightLinks(C3DObject* light, const ShadowLightLinks& links);

    // ---- ISceneServices

    // The lights of the file being read come first: a record names its
    // shadow lights by their numbers in that file.
    CDesignObject* FindObjectByNumber(int number) override;
    int AddToTypeList(int type, CDesignObject* object) override;
    HRESULT LocateMissingFile(int kind, std::string& path) override;
    // Keeps the section's progress window responsive at most every tenth of
    // a second; false once the document's abort flag is up.
    bool ContinueLongRead() override;
    int GetFloorOfHeight(float height, int type) const override;
    int GetFloorLevelOfHeight(float height, int type) const override;
    const std::vector<CDesignObject*>& GetObjectList(int type) const override {
        return m_objects[type];
    }
    // A texture from a .jpg, .bmp, .tga or material file, kept in the
    // cache under its file name, colour key and tile seam.
    HRESULT GetTexture(const std::string& path, int colorKey, gfx::Texture** texture,
                       const TextureMappingRecord* tile) override;
    // A texture from a file image; a tile with a seam is drawn at its tile
    // size with the grout along its right and bottom edges.
    HRESULT CreateTileTexture(const std::vector<uint8_t>& fileImage, const std::string& name,
                              int colorKey, gfx::Texture** texture,
                              const TextureMappingRecord* tile) override;
    gfx::Texture* GetTextureOrWarn(const std::string& path, int colorKey,
                                   const TextureMappingRecord* tile) override;
    CTextureCache& GetTextureCache() override { return m_textureCache; }
    void ReportMissingFile(std::string_view format, std::string_view path) override;
    bool IsBoxOutsidePlaneAndSphere(const C3DObject& object, const gfx::Plane& plane,
                                    const gfx::Matrix& reflection,
                                    const gfx::Vector3& eye) const override;

    // ---- Device services: tiles, device moves, grid, overlay, mesh export

    // Tiled textures are drawn at this many pixels a centimetre of tile.
    static constexpr float GetTilePixelsPerCm() { return 10.0f; }
    // The full path of a texture of the cache: its file name ("材質" when
    // the cache does not hold it), found under folder when it is not there.
    [[nodiscard]] std::string ResolveTexturePath(const gfx::Texture* texture,
                                                 std::string_view folder) const;

    // Moves every object's device resources (meshes, textures, lights, the
    // light glyphs) and the scene's own to device, showing progress; a
    // texture several objects share is copied once.
    void RecreateDeviceObjects(gfx::Device* device);
    void ResetDeviceOfType(int type, gfx::Device* device, std::vector<TextureMove>& moves,
                           IOperationProgress& progress);
    // The objects of the lists 0 .. 6.
    [[nodiscard]] int CountAllObjects() const;
    // The light's settings under its index on the view's device.
    void SetDeviceLight(const CLightObject& light);

    // The two lines of the grid's axes: (0, 0, 0)-(length, 0, 0) and
    // (0, 0, 0)-(0, 0, -width). False after "Set Grid error!".
    bool CreateGridLineBuffers(float length, float width);
    // 0: the x axis, 1: the z axis; null before they are made.
    [[nodiscard]] gfx::VertexBuffer* GetGridLineBuffer(int axis) const;

    // The full-window quad the stencil shadows darken the scene with, for a
    // window of width x height in the view's shadow colour; the device's
    // capabilities are read again. False, and no quad, when it cannot be
    // made.
    bool CreateScreenOverlay(int width, int height, const ShadowColor& colour);
    void UpdateScreenOverlayColor(const ShadowColor& colour);
    // Four XYZRHW | DIFFUSE vertices of 20 bytes, a two-triangle strip.
    [[nodiscard]] gfx::VertexBuffer* GetScreenOverlay() const { return m_screenOverlay.Get(); }
    [[nodiscard]] const gfx::Caps& GetDeviceCapabilities() const { return m_deviceCaps; }
    // A colour of 0..1 floats as A8R8G8B8, each channel rounded.
    [[nodiscard]] static uint32_t ShadowColourToArgb(const ShadowColor& colour);

    // The faces, vertices and materials of the selected meshed objects of
    // the types 0, 1, 5, 6, 3 and 4, added to the counts.
    void CountSelectedMeshTotals(int* faces, int* vertices, int* materials) const;
    void CountSelectedMeshTotalsOfType(int type, int* faces, int* vertices, int* materials) const;
    // The selected meshes of those types as one mesh in world space (normals
    // turned with their objects), with one material and one texture record
    // per material of theirs. False, with the reason in error, when the
    // meshes cannot be joined (too many vertices for 16-bit indices).
    bool MergeSelectedMeshes(std::unique_ptr<gfx::Mesh>* merged, SelectionMeshExport* out,
                             std::string* error);

private:
    void MergeSelectedMeshesOfType(int type, std::vector<gfx::MeshMergeSource>& sources,
                                   SelectionMeshExport& out, ExportedTextures& saved) const;
    // The cache's textures that are still on another device, copied to it.
    void MoveCachedTextures(gfx::Device* device);
    // The grid lines and the shadow quad, when made, made again on device.
    void RecreateSceneBuffers(gfx::Device* device);
    bool MakeGridLineBuffers(gfx::Device* device);
    bool MakeScreenOverlay(gfx::Device* device);

    gfx::ResourceRef<gfx::VertexBuffer> m_gridLineBuffers[2];
    float m_gridLineLength = 0.0f;
    float m_gridLineWidth = 0.0f;
    gfx::ResourceRef<gfx::VertexBuffer> m_screenOverlay;
    int m_overlayWidth = 0;
    int m_overlayHeight = 0;
    ShadowColor m_overlayColour{};
    gfx::Caps m_deviceCaps;

private:
    // Which objects of a list a render pass draws.
    enum class Pass { Opaque, All, Translucent };
    // The document's display switches a frame depends on.
    struct DisplaySwitches {
        bool mirror = true;
        bool texture = true;
        bool light = true;
    };

    [[nodiscard]] DisplaySwitches GetDisplaySwitches() const;
    [[nodiscard]] std::optional<DesignFileFront> ReadFront(CBinaryReader& reader) const;
    void ApplyFront(const DesignFileFront& front, IDesignFileView& view, bool apply);
    [[nodiscard]] int MergeMarkerAfterFront(const DesignFileHeader& header) const;
    bool WriteSection(CBinaryWriter& writer, bool selectedOnly, int type);
    bool ReadSections(CBinaryReader& reader, bool oneLessPhoto, ReadDesignObjects& read) const;
    bool ReadRecords(CBinaryReader& reader, int type, int32_t count, ReadDesignObjects& read) const;
    bool ReadPlanSections(CBinaryReader& reader, ReadDesignObjects& read) const;
    bool ReadTrailer(CBinaryReader& reader, ReadDesignObjects& read) const;
    // Hands the read objects to the lists; merge: an imported selection,
    // placed from the camera's eye and selected.
    void PlaceReadObjects(ReadDesignObjects& read, bool merge);
    void FinishRead();
    // The plan shapes of the design, not those of the title frame.
    void DeleteDesignPlanShapes();
    void DeleteObject(int type, CDesignObject* object);
    [[nodiscard]] DesignFileHeaderBytes WriteHeader(const IDesignFileView& view) const;
    [[nodiscard]] PlanStateBlockBytes WritePlanStateBlock() const;
    [[nodiscard]] DocumentBlockBytes WriteDocumentBlock(const IDesignFileView& view) const;
    void ApplyHeader(const DesignFileHeader& header, IDesignFileView& view);
    void ApplyPlanStateBlock(const PlanStateBlock& block);
    void ApplyDocumentBlock(const DocumentBlock& block, IDesignFileView& view);
    // The copy buffer lets go of objects about to be deleted.
    void ReleaseCopiedObjects(const std::vector<CDesignObject*>& objects);
    void RenderCameraAttachedPhotos();
    void RenderMirrorWalls(int level, const DisplaySwitches& show, bool orthographic);
    void RenderMirrorImagesOfLevel(int level, int floorsOnly, C3DObject* surface);
    void SetBlackAlphaPass(int flag);
    void RenderPass(Pass pass, int type, int level, const DisplaySwitches& show);
    void RenderLightGlyphs();
    CWallObject* AddSurfaceFromOutline(int type, const std::vector<CVector2D>& points);
    // True, after the lock's message, when the surfaces are locked and one
    // of them is selected.
    bool RefuseLockedSurfaceMove();
    [[nodiscard]] bool IsInOpeningOfSelectedSurface(const C3DObject* model) const;
    // Refinement: the undo of the surface's refinement just recorded brings
    // back level too.
    void RecordLevelBeforeDialog(const CWallObject& surface, int part, int level);

    using TypeLists = std::array<std::vector<CDesignObject*>, kTypeCount>;

    double m_objectIdCounter = 0.0;
    CHousDoc* m_pDoc = nullptr;
    // While a file's sections are read: the lights read so far, which are not
    // in the scene yet.
    mutable const std::vector<std::unique_ptr<CDesignObject>>* m_pLightsBeingRead = nullptr;
    int m_missingReportsSuppressed = 0;
    // The progress window of the section being read, while it is open.
    mutable IOperationProgress* m_pLongReadProgress = nullptr;
    std::chrono::steady_clock::time_point m_lastLongReadStep;
    TypeLists m_objects;
    TypeLists m_selected;
    TypeLists m_hidden;
    TypeLists m_titleFrame;
    int m_mirrorTolerance = 10;
    CTextureCache m_textureCache;
    int m_storeyIndex = 0;
    std::array<float, kMaxFloorLevels> m_storeyBases{};
    int m_floorLevelIndex = 0;
    std::array<float, kMaxFloorLevels> m_floorLevels{};
    float m_fileVersion = 0.0f;
    int m_mergeMarker = 0;
    ISceneRenderTarget* m_renderTarget = nullptr;
    CMergedSurfaces m_mergedSurfaces;
    bool m_mergeSurfaces = true;
    int m_blackAlphaPass = 0;
    // The camera-attached photo of the background picture; in the photo list.
    C3DObject* m_pBackgroundPhoto = nullptr;
    // Not in an orthographic view, only when the document shows shadows,
    // and only with a stencil buffer to count in.
    [[nodiscard]] bool AreShadowsDrawn() const;
    // The device the scene draws with; null without a view.
    [[nodiscard]] gfx::Device* TargetDevice() const {
        return m_renderTarget != nullptr ? m_renderTarget->GetDevice() : nullptr;
    }
};

// A new object of the type code with its defaults; null for 19, 20, any
// code outside 0..18 and any class not built into this program.
std::unique_ptr<CDesignObject> CreateDesignObject(int type);
