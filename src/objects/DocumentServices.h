#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/DrawingStyle.h"
#include "foundation/PlanDrawOrigin.h"
#include "objects/TextureMappingRecord.h"
#include "platform/draw/DrawTypes.h"
#include "platform/gfx/MathTypes.h"

namespace draw {
class DrawContext;
}

namespace gfx {
class VertexBuffer;
}

class CDesignObject;
struct HistoryRecord;

// How selected 3D objects are boxed (RODBOX_COLOR, RODBOX_STYLE,
// RODBOX_THICKNESS): style 1 lines, 2 solid edges.
struct SelectionBoxStyle {
    draw::COLORREF color = 0x0000FF;
    int style = 1;
    int thickness = 1;
};

// Plan colour settings that new objects take their colour from.
enum class PlanColorSetting {
    Furniture,  // FURINITURE_COLOR
    Light,      // LIGHT_COLOR
    Dxf,        // DXF_COLOR
    Photo,      // PHOTO_COLOR
    Wall,       // WALL_COLOR
    Floor,      // FLOOR_COLOR
};

// What the design objects need of the active document. The objects cannot
// see the document layer, so the document implements this and installs it;
// until then the answers are those of a new document with no plan view.
class IDocumentServices {
public:
    virtual ~IDocumentServices() = default;

    // Where plan drawing starts on the DC, and its zoom.
    virtual PlanDrawOrigin GetPlanDrawOrigin(const draw::DrawContext& dc) const = 0;
    // Cleared while the plan scrolls, so pictures draw roughly meanwhile.
    virtual bool Get2DViewFullDrawFlag() const = 0;
    virtual draw::COLORREF GetPlanColor(PlanColorSetting setting) const = 0;
    // The library folder of the 2D icons.
    virtual std::string Get2DIconFolder() const = 0;
    // A file a design named but that could not be loaded; the list is shown
    // after the design has been read.
    virtual void AddMissingFile(std::string_view path) = 0;

    // ---- What 3D objects ask of the document and its 3D view. The bodies
    // are the answers without a document.

    // Whether there is an active document; 3D objects draw nothing without.
    virtual bool HasActiveDocument() const { return false; }
    // SHOW_TEXTURE: textures are bound only while it is on.
    virtual bool GetShowTexture() const { return true; }
    virtual SelectionBoxStyle GetSelectionBoxStyle() const { return {}; }
    // The 3D camera's eye.
    virtual gfx::Vector3 GetCameraEye() const { return {}; }
    // The 3D engine's overlay buffers: a unit line along +x (12-byte
    // vertices) and a unit prism of 28 triangles along +x (32-byte
    // vertices); null before the view has made them.
    virtual gfx::VertexBuffer* GetOverlayLineBuffer() const { return nullptr; }
    virtual gfx::VertexBuffer* GetOverlayShapeBuffer() const { return nullptr; }
    // The library folders of textures and photo pictures.
    virtual std::string GetTextureFolder() const;
    virtual std::string GetPictureFolder() const;
    // The path of an existing file: path itself, or the file of its name
    // found under folder; empty when neither exists.
    virtual std::optional<std::string> LocateFile(std::string_view /*path*/,
                                                  std::string_view /*folder*/) const {
        return std::nullopt;
    }
    // The style new plan shapes take: pen, line colour, the current floor's
    // height and the arrow-head kind.
    virtual DrawingStyle GetCurrentDrawingStyle() const { return {}; }
    // The mapping the material tools apply to new textures.
    virtual TextureMappingRecord GetCurrentMapping() const { return {}; }
    // Appends the record to the undo list and empties the redo list;
    // without a document there is no history to keep it in.
    virtual void PushUndoRecord(std::unique_ptr<HistoryRecord> record);

    // ---- After a face's refinement: the 3D view picks and selects the
    // object under the cursor again (the mesh's face numbers changed), and
    // paints a frame.
    virtual void PickObjectAtCursor() {}
    virtual void Repaint3DView() {}
};

// The installed services, or the defaults.
IDocumentServices& GetDocumentServices();

// Null puts the defaults back. Returns the services installed before.
IDocumentServices* SetDocumentServices(IDocumentServices* services);
