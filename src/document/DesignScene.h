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
#include "document/SelectionInput.h"
#include "foundation/Vector2D.h"
#include "objects/OutlineRecord.h"
#include "objects/SceneServices.h"
#include "objects/TextureCache.h"

class IOperationProgress;

class C3DObject;
class CBinaryReader;
class CBinaryWriter;
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
    // The device the scene draws with; null without a view.
    [[nodiscard]] gfx::Device* TargetDevice() const {
        return m_renderTarget != nullptr ? m_renderTarget->GetDevice() : nullptr;
    }
};

// A new object of the type code with its defaults; null for 19, 20, any
// code outside 0..18 and any class not built into this program.
std::unique_ptr<CDesignObject> CreateDesignObject(int type);
