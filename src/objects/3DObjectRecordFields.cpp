#include "foundation/BinaryWriter.h"
#include "foundation/LittleEndianCursor.h"
#include "objects/3DObject.h"
#include "objects/ObjectRecordFields.h"

void C3DObject::WriteStandingFields(CBinaryWriter& writer) const {
    writer.WriteDouble(m_number);
    for (const float value : m_position) {
        writer.WriteFloat(value);
    }
    for (const float size : m_realSize) {
        writer.WriteFloat(size);
    }
    writer.WriteFloat(m_heading);
    writer.WriteFloat(m_elevation);
    writer.WriteFloat(m_roll);
    writer.WriteInt(m_mirrorImages);
    writer.WriteInt(m_shadow);
    writer.WriteInt(m_shadowReceiver);
    writer.WriteZeros(4);
    writer.WriteInt(m_blend);
    WriteColourBlocksAndShadow(writer, *this);
    writer.WriteFloat(m_materialCount > 0 ? m_materials[0].power : 0.0f);
    writer.WriteFloat(m_price);
}

float C3DObject::TakeStandingFields(LittleEndianCursor& fields) {
    m_number = fields.Double();
    for (float& value : m_position) {
        value = fields.Float();
    }
    for (float& size : m_realSize) {
        size = fields.Float();
    }
    m_heading = fields.Float();
    m_elevation = fields.Float();
    m_roll = fields.Float();
    m_mirrorImages = fields.Int();
    m_shadow = fields.Int();
    m_shadowReceiver = fields.Int();
    fields.Skip(4);
    m_blend = fields.Int();
    TakeColourBlocksAndShadow(fields, *this);
    const float power = fields.Float();
    m_price = fields.Float();
    return power;
}
