#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/SelectionInput.h"
#include "document/ViewPointTable.h"
#include "foundation/Vector2D.h"

namespace gfx {
class VertexBuffer;
}

class CCopyBuffer;
class CDesignScene;

// The views and frames of a design as the document reaches them. The window
// layers implement these and attach their objects to the document; until
// they do, the document's lookups give null and its rules do without them.

// Hints of OnDocumentUpdate that more than one layer sends or answers.
constexpr int kFullRefreshHint = 2100;  // the full refresh after an edit
constexpr int kZoomChangedHint = 996;   // the plan's zoom changed

// What the document asks of every view of it and of the frame around it.
class IDocumentView {
public:
    virtual ~IDocumentView() = default;

    // The document changed; the hint says how.
    virtual void OnDocumentUpdate(int hint) = 0;
    // Activates the view's frame and brings it to the front.
    virtual void ActivateFrame() = 0;
    virtual void ShowFrame(bool show) = 0;
    // A library entry dragged out of a browser was let go over the view at
    // the client point. The browser holds the pointer while it drags, so it
    // hands the drop to the view under the pointer.
    virtual void DropLibraryEntry(int /*x*/, int /*y*/) {}
    // The cursor a pending library drag shows over the client point, as a
    // program cursor number; 0 leaves it to the browser.
    virtual int GetLibraryDragCursor(int /*x*/, int /*y*/) { return 0; }
};

// The plan view's frame with its bars.
class IPlanFrame {
public:
    // The edits of the wall bar.
    static constexpr int kWallTopEdit = 1002;
    static constexpr int kWallBottomEdit = 1003;
    static constexpr int kWallThicknessEdit = 1004;

    virtual ~IPlanFrame() = default;

    // The selection of the zoom combo box (1147); -1 when none is selected.
    virtual int GetZoomSelection() const = 0;
    virtual std::string GetWallBarText(int controlId) const = 0;
    virtual void SetWallBarText(int controlId, std::string_view text) = 0;
    // Zoom level 0 (2000 %) .. 31 (20 %); the design-file reader sets it.
    virtual void SetZoomLevel(int index) = 0;
    // Shows the current storey and greys the storey buttons at the ends.
    virtual void UpdateFloorControls() = 0;
    // Puts the storey texts into the floor combo box (1146).
    virtual void SetFloorComboTexts(const std::vector<std::string>& texts) = 0;
};

// The plan view (CH2DView).
class IPlanView : public IDocumentView {
public:
    virtual IPlanFrame* GetPlanFrame() = 0;

    // Hides the coordinate entry box when it is shown.
    virtual void HideCoordinateInputBox() = 0;
    // Ends any tool in progress and forgets the view's own selection state.
    virtual void ResetToolState() = 0;
    // Draws the plan at once.
    virtual void RedrawNow() = 0;
    // Scrolls the plan back to its origin, in the document and on screen,
    // and redraws it.
    virtual void ResetScrollPosition() = 0;
    // 1 when the arc being drawn turns one way, anything else the other.
    virtual int GetArcDirection() const = 0;
    // Cleared while the plan scrolls, so that pictures draw roughly.
    virtual bool GetFullDrawFlag() const = 0;
    // Drops the merged plan line segments that shapes of the type feed.
    virtual void InvalidateLineCache(int type) = 0;
    // Ends the mouse drag that is moving the selection.
    virtual void EndSelectionDrag() = 0;
    // The camera moved: the photo symbols, which may turn with it, are
    // painted again.
    virtual void InvalidatePhotoMarkers() {}
};

struct CameraPosition {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// The 3D view (CHousView) and its camera.
class I3DView : public IDocumentView {
public:
    // Renders one frame at once.
    virtual void RepaintNow() = 0;
    virtual void SetStatusText(std::string_view text) = 0;

    virtual CameraPosition GetCameraPosition() const = 0;
    virtual void SetCameraPosition(float x, float y, float z) = 0;
    // Radians.
    virtual double GetCameraHeading() const = 0;
    virtual double GetCameraPitch() const = 0;
    // Also turns the look direction.
    virtual void SetCameraAngles(double heading, double pitch) = 0;

    // The wireframe flag and the device's fill mode: wireframe (2) or solid (3).
    virtual void SetWireframe(bool wireframe) = 0;
    // The plan's 'A' and 'G' keys: wireframe and the floor grid on or off,
    // then a repaint.
    virtual void ToggleWireframe() = 0;
    virtual void ToggleGrid() = 0;
    virtual void SetClearColor(uint8_t red, uint8_t green, uint8_t blue) = 0;
    // A key the plan leaves to the 3D view (Windows virtual-key code),
    // handled as if pressed there: in the walking modes the camera walks.
    virtual void HandlePlanKey(int /*virtualKey*/, const KeyModifiers& /*modifiers*/) {}

    // 1 writes to the design path, 0 asks for a path first. False when the
    // user cancelled or the design could not be written.
    virtual bool SaveDesign(int mode) = 0;
    // Empties the scene and the plan of the closed design.
    virtual void ClearDesign() = 0;
    // The camera's start pose, the ambient light and the grid of the
    // settings, as a new design starts with; nothing before the view has a
    // size.
    virtual void InitRenderer() {}
    // Without merge the file replaces the open design and becomes its path;
    // with merge its objects join it. False, with the open design as it was,
    // when the file cannot be read.
    virtual bool LoadDesign(const std::string& /*path*/, bool /*merge*/) { return false; }
    // The view-point block that the next save writes into the design file.
    virtual void SetViewPointBlock(const ViewPointTable& /*table*/) {}
    // True while the camera looks through an orthographic preset.
    virtual bool IsOrthographic() const { return false; }
    // Back to the perspective camera the user had before the preset.
    virtual void ReturnToPerspective() {}

    // The scene store of the design the view shows; null before the view
    // has one.
    virtual CDesignScene* GetScene() { return nullptr; }

    // The engine's overlay buffers that 3D objects draw selection boxes
    // with; null before the device exists.
    virtual gfx::VertexBuffer* GetOverlayLineBuffer() const { return nullptr; }
    virtual gfx::VertexBuffer* GetOverlayShapeBuffer() const { return nullptr; }

    // ---- Refinement: picks at the cursor's place in the view, deselecting
    // every 3D object and selecting the hit.
    virtual void PickObjectUnderCursor() {}
    // ---- The copy buffer, for the main frame's copy and paste

    // The selection goes into the document's copy buffer; whether anything
    // was copied.
    virtual bool CopySelectionToBuffer() { return false; }
    // Pastes the buffer: offset by pasteCount * 20 with offsetByCount, or
    // so that its lowest plan corner comes to the plan point when one is
    // given; with undo the paste is one step.
    virtual void PasteCopyBuffer(const CCopyBuffer& /*buffer*/, bool /*offsetByCount*/,
                                 bool /*withUndo*/, int /*pasteCount*/,
                                 const std::optional<CVector2D>& /*planPoint*/) {}
    virtual void ClearCopyBuffer() {}
};
