#include "objects/CeilingObject.h"

#include "foundation/TextFormat.h"
#include "objects/ObjectTypeCodes.h"

CCeilingObject::CCeilingObject() {
    // A ceiling neither receives shadows nor shows mirror images, as a wall.
    m_type = kCeilingObjectType;
}

std::unique_ptr<CDesignObject> CCeilingObject::Clone() const {
    return std::make_unique<CCeilingObject>(*this);
}

void CCeilingObject::SetNumber(int number) {
    m_number = number;
    m_name = FormatString("天花板-%.0f", static_cast<double>(number));
}

// The base text: a flat surface has no lower and upper limits.
std::string CCeilingObject::GetDescription() const {
    return C3DObject::GetDescription();
}

HRESULT CCeilingObject::Write(CBinaryWriter& writer) const {
    return WriteFlatSurfaceRecord(writer);
}

HRESULT CCeilingObject::Read(CBinaryReader& reader) {
    return ReadFlatSurfaceRecord(reader);
}
