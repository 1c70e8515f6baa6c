#include "objects/2DPhotoIconShape.h"

#include "objects/DocumentServices.h"
#include "objects/ObjectTypeCodes.h"

C2DPhotoIconShape::C2DPhotoIconShape() : C2DPictureShape(kPhotoIcon, kPhotoIconShapeType) {
    m_color = GetDocumentServices().GetPlanColor(PlanColorSetting::Photo);
}

std::unique_ptr<CDesignObject> C2DPhotoIconShape::Clone() const {
    return std::make_unique<C2DPhotoIconShape>(*this);
}
