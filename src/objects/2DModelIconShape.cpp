#include "objects/2DModelIconShape.h"

#include "objects/DocumentServices.h"
#include "objects/ObjectTypeCodes.h"

C2DModelIconShape::C2DModelIconShape() : C2DPictureShape(kModelIcon, kModelIconShapeType) {
    m_color = GetDocumentServices().GetPlanColor(PlanColorSetting::Furniture);
}

std::unique_ptr<CDesignObject> C2DModelIconShape::Clone() const {
    return std::make_unique<C2DModelIconShape>(*this);
}
