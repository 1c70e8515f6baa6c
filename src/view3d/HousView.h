#pragma once

#include <wx/glcanvas.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/DesignScenePickRules.h"
#include "document/DocumentViews.h"
#include "document/SelectionInput.h"
#include "foundation/WallFaceItem.h"
#include "foundation/WinTypes.h"
#include "library/PictureCatalogEntry.h"
#include "objects/3DObject.h"
#include "platform/gfx/MathTypes.h"
#include "view3d/ContextMenuTable.h"
#include "view3d/GLCanvasContext.h"
#include "view3d/HousViewDesignFile.h"
#include "view3d/HousViewRenderer.h"

class CHousDoc;
class CWallObject;
class wxContextMenuEvent;
struct CopiedSurface;
struct LibraryDropPoint;

// The 3D view of the design: an OpenGL canvas that the main frame places
// as a child. It attaches itself to the document as its 3D view and holds
// the design's scene store; it sets up the device at its first real size
// and draws a frame on every paint, every resize and every full refresh.
class CHousView : public wxGLCanvas, public I3DView {
public:
    CHousView(wxWindow* parent, CHousDoc* doc);
    ~CHousView() override;

    // I3DView
    void OnDocumentUpdate(int hint) override;
    void ActivateFrame() override;
    void ShowFrame(bool show) override;
    void RepaintNow() override;
    void SetStatusText(std::string_view text) override;
    CameraPosition GetCameraPosition() const override;
    void SetCameraPosition(float x, float y, float z) override;
    double GetCameraHeading() const override;
    double GetCameraPitch() const override;
    void SetCameraAngles(double heading, double pitch) override;
    void SetWireframe(bool wireframe) override;
    void ToggleWireframe() override;
    void ToggleGrid() override;
    void SetClearColor(uint8_t red, uint8_t green, uint8_t blue) override;
    void HandlePlanKey(int virtualKey, const KeyModifiers& modifiers) override;
    // 0 asks for the file first; the user is told why a save failed.
    bool SaveDesign(int mode) override;
    // The document empties the scene and the plan.
    void ClearDesign() override;
    void InitRenderer() override;
    // Opens the design file into the view, or with merge adds its objects to
    // the open design; a file that cannot be read changes nothing.
    bool LoadDesign(const std::string& path, bool merge) override;
    void SetViewPointBlock(const ViewPointTable& table) override;
    bool IsOrthographic() const override;
    void ReturnToPerspective() override;
    CDesignScene* GetScene() override { return &m_renderer.GetScene(); }
    gfx::VertexBuffer* GetOverlayLineBuffer() const override;
    gfx::VertexBuffer* GetOverlayShapeBuffer() const override;

    void UpdateCamera();
    void ResetCamera();
    void SetOrthoView(int preset);
    [[nodiscard]] POINT ProjectToWindow(float x, float y, float z) const;
    // A null point takes the cursor's position in the window.
    [[nodiscard]] gfx::Vector3 UnprojectToPlane(const POINT* windowPoint, int axis,
                                                int value) const;

    // Input is ignored while set, as while a long operation pumps messages.
    void SetInputBlocked(bool blocked) { m_inputBlocked = blocked; }
    [[nodiscard]] bool IsInputBlocked() const { return m_inputBlocked; }

    // ---- Picking at a window point (HousViewInputPicking.cpp)

    [[nodiscard]] ScenePick PickNearestObject(int x, int y);
    // Picks, deselects every 3D object and marks the hit selected with its
    // type's picked object; whether anything was hit.
    bool PickObjectAtCursor(int x, int y);
    // Picks and deselects every 3D object without selecting the hit.
    C3DObject* PickObjectNoSelect(int x, int y);
    void SelectPickedObject(C3DObject* object, int type);
    // The left button's selection: Ctrl toggles the hit in its type's
    // list, else the hit becomes the only selection.
    ScenePick PickAndSelect(int x, int y, int keyState);
    [[nodiscard]] const ScenePick& GetPicked() const { return m_picked; }

    // ---- Camera moves by input (HousViewInputEvents.cpp)

    // Each ends with a painted frame and the design marked modified.
    void NavigateByKey(int vk, bool shift);
    void MoveByWheel(int keyState, int delta);

    // ---- Context menus, copying textures and split lines between faces,
    // show mode (HousViewContextMenu.cpp, HousViewCopyTexture.cpp,
    // HousViewShowMode.cpp)

    // Whether the main frame answers a command; the context menus offer
    // only the commands that are answered, by the frame or by the view.
    void SetCommandFilter(std::function<bool(int)> filter) { m_commandFilter = std::move(filter); }
    [[nodiscard]] bool IsCommandAvailable(int command) const;
    // The items of the context menu the selection chooses, as offered.
    [[nodiscard]] std::vector<context_menu::MenuItem> GetContextMenuItems();
    // The command goes to the view, then up to the main frame, as a menu
    // command does.
    void RunViewCommand(int command);

    // A drag in mode 1100 copies the texture of the face it starts on.
    void TrackCopyTexture(int x, int y, int keyState);
    // Takes the texture, mapping and colours of the picked face's material.
    void CopyFaceTexture(C3DObject* object);
    void ApplyCopiedTexture(int material, C3DObject* object);
    void ApplyCopiedTextureToPicked(int x, int y);
    // allFaces false keeps the first two faces (top and bottom) as they are.
    void ApplyCopiedTextureToAllFaces(int x, int y, bool allFaces);
    void ClearCopiedTexture();
    [[nodiscard]] bool IsTextureCopyPending() const;
    // The file of the texture on the picked face of the object, found in the
    // texture library when only its name is stored; empty for a face
    // without a texture.
    [[nodiscard]] std::string GetPickedFaceTextureFile(const C3DObject& object) const;
    // A drag in mode 1200 copies the split lines of the wall face it starts
    // on.
    void TrackCopySplitLines(int x, int y, int keyState);
    // The copied split lines the wall's face owning part would take; none
    // for the source face and for the top and bottom faces.
    [[nodiscard]] std::vector<WallFaceItem> GetPastableSplitLines(const CWallObject& wall,
                                                                  int part) const;
    // Pastes the copied split lines that the wall face at the point takes,
    // cut into the face as one undo step; the lines pasted.
    std::vector<WallFaceItem> PasteSplitLines(int x, int y);
    // The cursor for the copy in progress, or the arrow.
    void UpdateHoverCursor();
    void SetViewCursor(int resourceId);
    void RestoreCursor();
    // The clicked object's web link opens in the browser; "無法開啟網站!"
    // when it cannot.
    void OpenPickedObjectLink();
    // The document is in show mode, or in edit mode 950, which the view's
    // input treats as show mode too.
    [[nodiscard]] bool IsInShowMode() const;

    // ---- Placing library entries and shadow pictures (HousViewPlacement.cpp)

    // A browser's drag let go over the view: placed like a button release
    // at the client point, or its texture applied there.
    void DropLibraryEntry(int x, int y) override;
    // While a model or picture is dragged: where it would go at the window
    // point (on the object there, not taken there, or on the ground).
    int GetLibraryDragCursor(int x, int y) override;
    // The texture browser's pending texture applied to the surface at the
    // window point: the picked face, with Ctrl (or a drag started with Ctrl)
    // every face, with Shift every face but top and bottom. The drag ends
    // whatever happens; nothing is applied while the document is busy or
    // input is blocked.
    void DropPendingTexture(int x, int y, int keyState);
    // Places the dragged library entry at the window point, on the object
    // there or on the ground; the request is cleared whatever happens.
    void PlaceFromLibrary(int x, int y);
    // The picked face's hit on target in its own axes (scaled, except on a
    // photo) and the face's normal; the target's type, or -1 without a hit.
    int GetDropPointOnObject(C3DObject* target, int x, int y, gfx::Vector3& local,
                             gfx::Vector3& normal);
    [[nodiscard]] gfx::Vector3 DropPointToWorld(const C3DObject& target, const gfx::Vector3& local,
                                                const gfx::Vector3& normal) const;
    // The heading the surface gives the dropped entry; may move the point.
    float AdjustDropOnSurface(const gfx::Vector3& normal, gfx::Vector3& point);
    [[nodiscard]] gfx::Vector3 DropOnTopOfTarget(const C3DObject& target) const;
    [[nodiscard]] gfx::Vector3 DropBesideTarget(const C3DObject& target,
                                                const gfx::Vector3& local) const;
    // Lays a placed photo flat on a floor or under a ceiling; its elevation
    // (0 when it stays upright).
    float LayPhotoFlat(const C3DObject& target, C3DObject& placed,
                       const gfx::Vector3& normal) const;
    // "相同位置已有物件" when an object of the type stands exactly there.
    bool IsPositionOccupied(int type, float x, float y, float z);
    // The corners of the picked face and its first vertex's normal (the
    // face's own normal when the mesh holds none); false when the face is
    // not in the mesh.
    bool GetPickedFaceVertices(const C3DObject& object, gfx::Vector3& p, gfx::Vector3& q,
                               gfx::Vector3& r, gfx::Vector3& normal) const;
    // The nearest hit of the cursor ray on the object alone; nothing for a
    // floor seen from below or a ceiling from above.
    [[nodiscard]] std::optional<PickHit> RepickOnObject(const C3DObject& object, int x,
                                                        int y) const;
    void OnAddShadowPicture();
    // The shadow picture's entry from a .qvp, .bmp, .jpg or .tga file;
    // false (entry unchanged) for any other file.
    bool LoadShadowPictureEntry(const std::string& path);
    [[nodiscard]] const PictureCatalogEntry& GetShadowPictureEntry() const {
        return m_shadowPicture;
    }
    static bool IsHangingPicture(const C3DObject& object);
    static bool IsWallLamp(std::string_view text);
    // 0 paste on the face, 1 stack on the object, 2 snap beside it; the gap
    // in centimetres between snapped objects.
    void SetPlacementMode(int mode) { m_placementMode = mode; }
    [[nodiscard]] int GetPlacementMode() const { return m_placementMode; }
    void SetPlacementGap(float gap) { m_placementGap = gap; }
    [[nodiscard]] float GetPlacementGap() const { return m_placementGap; }

    [[nodiscard]] bool IsWireframe() const { return m_renderer.IsWireframe(); }
    [[nodiscard]] CD3DEngine& GetEngine() { return m_renderer.GetEngine(); }
    [[nodiscard]] CHousViewCamera& GetCamera() { return m_renderer.GetCamera(); }

private:
    void OnSize(wxSizeEvent& event);
    void OnPaint(wxPaintEvent& event);
    // The device can be made once the canvas's context can be made current
    // and the canvas has an area.
    void SizeRenderer();

    void OnKeyDown(wxKeyEvent& event);
    void OnMouseWheel(wxMouseEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnLeftDClick(wxMouseEvent& event);
    void OnMiddleDown(wxMouseEvent& event);
    void OnMiddleUp(wxMouseEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
    // A move's part in the copy modes and show mode: the copy taken or
    // dropped, and the hover cursor.
    void TrackCopyOnMove(int x, int y, int keyState);
    // A release in the copy modes: the copied texture or split lines go to
    // the face under the cursor, and the copy ends.
    void FinishCopyOnRelease(int x, int y, int keyState);
    void HandleKey(int vk, bool shift, bool control, bool alt);
    void HandleMouseMove(int x, int y, int keyState);
    // Photos that turn to the viewer face the camera where it stands now.
    void TurnPhotosToCamera();
    // The document's camera pose follows the view's and the design is
    // marked modified.
    void ApplyNavigationPose(const gfx::Vector3& eye, float heading, float pitch);
    ScenePickQuery MakePickQuery(int x, int y) const;
    // Every 3D object's selected flag from the seven selection lists.
    void MarkSelectedObjects();
    // The seven selection lists from the objects' selected flags.
    void RebuildSelectionLists();
    void ClearSelectedFlags();
    void BindPlacementCommands();
    // ---- The face editor: the wall-items command and the click in its mode
    void BindFaceEditorCommands();
    void OnEditWallItems();
    // In the door and window mode a click on a surface opens its face in
    // the face editor; true when it did.
    bool OpenFaceEditorAtPick();
    // The copy-texture application shared by the copy mode and the texture
    // browser's drops (HousViewCopyTexture.cpp).
    void ApplySurfaceTexture(CopiedSurface& surface, int material, C3DObject* object);
    void ApplySurfaceToPicked(CopiedSurface& surface, int x, int y);
    void ApplySurfaceToAllFaces(CopiedSurface& surface, int x, int y, bool allFaces);
    // A left-button press on an object shows its face's texture in the
    // texture browser when that is open.
    void ShowPickedTextureInBrowser();
    // The browsers' placing of the dragged entry at the point.
    C3DObject* PlaceEntryAt(const LibraryDropPoint& drop);

    CHousDoc* m_pDoc;
    CGLCanvasContext m_glContext;
    CHousViewRenderer m_renderer;
    CHousViewDesignFile m_designFile;
    bool m_inputBlocked = false;
    ScenePick m_picked;
    bool m_middleDrag = false;
    POINT m_middleStart{};
    POINT m_panOffsets{};
    SelectionDrag m_selectionDrag;
    // Context menus, copying and show mode.
    std::function<bool(int)> m_commandFilter;
    bool m_customCursor = false;
    PictureCatalogEntry m_shadowPicture;
    int m_placementMode = 0;
    float m_placementGap = 0.0f;
};
