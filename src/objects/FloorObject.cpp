#include "objects/FloorObject.h"

#include "foundation/TextFormat.h"
#include "objects/DocumentServices.h"
#include "objects/ObjectTypeCodes.h"

CFloorObject::CFloorObject() {
    m_type = kFloorObjectType;
    m_color = GetDocumentServices().GetPlanColor(PlanColorSetting::Floor);
    m_shadowReceiver = 1;
    m_reflective = 1;
}

std::unique_ptr<CDesignObject> CFloorObject::Clone() const {
    return std::make_unique<CFloorObject>(*this);
}

void CFloorObject::SetNumber(int number) {
    m_number = number;
    m_name = FormatString("地板-%.0f", static_cast<double>(number));
}

// The base text: a flat surface has no lower and upper limits.
std::string CFloorObject::GetDescription() const {
    return C3DObject::GetDescription();
}

HRESULT CFloorObject::Write(CBinaryWriter& writer) const {
    return WriteFlatSurfaceRecord(writer);
}

HRESULT CFloorObject::Read(CBinaryReader& reader) {
    return ReadFlatSurfaceRecord(reader);
}
