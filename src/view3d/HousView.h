#pragma once

#include <wx/glcanvas.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "document/DesignScenePickRules.h"
#include "document/DocumentViews.h"
#include "document/SelectionInput.h"
#include "foundation/WinTypes.h"
#include "platform/gfx/MathTypes.h"
#include "view3d/GLCanvasContext.h"
#include "view3d/HousViewDesignFile.h"
#include "view3d/HousViewRenderer.h"

class CHousDoc;

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
    // 0 asks for the file first; the user is told why a save failed.
    bool SaveDesign(int mode) override;
    // The document empties the scene and the plan.
    void ClearDesign() override;
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
    void HandleKey(int vk, bool shift, bool control, bool alt);
    void HandleMouseMove(int x, int y, int keyState);
    // The document's camera pose follows the view's and the design is
    // marked modified.
    void ApplyNavigationPose(const gfx::Vector3& eye, float heading, float pitch);
    ScenePickQuery MakePickQuery(int x, int y) const;
    // Every 3D object's selected flag from the seven selection lists.
    void MarkSelectedObjects();
    // The seven selection lists from the objects' selected flags.
    void RebuildSelectionLists();
    void ClearSelectedFlags();

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
};
