#pragma once

#include <string>
#include <string_view>

#include "foundation/PlanDrawOrigin.h"
#include "platform/draw/DrawTypes.h"

namespace draw {
class DrawContext;
}

// Plan colour settings that new objects take their colour from.
enum class PlanColorSetting {
    Furniture,  // FURINITURE_COLOR
    Light,      // LIGHT_COLOR
    Dxf,        // DXF_COLOR
    Photo,      // PHOTO_COLOR
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
};

// The installed services, or the defaults.
IDocumentServices& GetDocumentServices();

// Null puts the defaults back. Returns the services installed before.
IDocumentServices* SetDocumentServices(IDocumentServices* services);
