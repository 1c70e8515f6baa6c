#include "objects/2DLightIconShape.h"

#include "objects/DocumentServices.h"
#include "objects/ObjectTypeCodes.h"

C2DLightIconShape::C2DLightIconShape() : C2DPictureShape(kLightIcon, kLightIconShapeType) {
    m_color = GetDocumentServices().GetPlanColor(PlanColorSetting::Light);
}

std::unique_ptr<CDesignObject> C2DLightIconShape::Clone() const {
    return std::make_unique<C2DLightIconShape>(*this);
}
