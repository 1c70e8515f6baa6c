#include "document/ActiveDocumentServices.h"

#include "document/ActiveDocumentValues.h"
#include "document/HousDoc.h"
#include "foundation/ActiveDocument.h"
#include "foundation/ApplicationValues.h"

PlanDrawOrigin CActiveDocumentServices::GetPlanDrawOrigin(const draw::DrawContext& dc) const {
    return ::GetPlanDrawOrigin(&dc);
}

bool CActiveDocumentServices::Get2DViewFullDrawFlag() const {
    return ::Get2DViewFullDrawFlag();
}

draw::COLORREF CActiveDocumentServices::GetPlanColor(PlanColorSetting setting) const {
    const HousSettings& settings = GetActiveSettings();
    switch (setting) {
        case PlanColorSetting::Furniture:
            return settings.furnitureColor;
        case PlanColorSetting::Light:
            return settings.lightColor;
        case PlanColorSetting::Dxf:
            return settings.dxfColor;
        case PlanColorSetting::Photo:
            return settings.photoColor;
    }
    return 0;
}

std::string CActiveDocumentServices::Get2DIconFolder() const {
    const CHousDoc* doc = GetActiveHousDoc();
    return doc != nullptr ? doc->Get2DIconFolder() : GetProgramFilePath("2Dicon");
}

void CActiveDocumentServices::AddMissingFile(std::string_view path) {
    if (CHousDoc* doc = GetActiveHousDoc()) {
        doc->AddMissingFile(path);
    }
}
