#include <array>
#include <cstdint>

#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "foundation/LittleEndianCursor.h"
#include "objects/LightObject.h"
#include "objects/ObjectRecordFields.h"

namespace {

// Everything before the name.
constexpr int kFixedFieldsSize = 128;
// Some writers stored the type as the float 1.0; it means a point light.
constexpr int32_t kFloatOneTypeWord = 0x3F800000;

}  // namespace

// The light's own position is not stored: it follows the object's.
HRESULT CLightObject::Write(CBinaryWriter& writer) const {
    writer.WriteDouble(m_lightIndex);
    writer.WriteInt(m_lightIndex);
    writer.WriteInt(static_cast<int32_t>(m_light.type));
    writer.WriteFloat(m_heading);
    writer.WriteFloat(m_elevation);
    writer.WriteFloat(m_roll);
    for (const float value : m_position) {
        writer.WriteFloat(value);
    }
    WriteColour(writer, m_light.diffuse);
    WriteColour(writer, m_light.specular);
    WriteColour(writer, m_light.ambient);
    writer.WriteFloat(m_light.direction.x);
    writer.WriteFloat(m_light.direction.y);
    writer.WriteFloat(m_light.direction.z);
    for (const float value :
         {m_light.range, m_light.falloff, m_light.attenuation0, m_light.attenuation1,
          m_light.attenuation2, m_light.theta, m_light.phi}) {
        writer.WriteFloat(value);
    }
    writer.WriteString(FormatLightName());
    return writer.HasError() ? E_FAIL : S_OK;
}

HRESULT CLightObject::Read(CBinaryReader& reader) {
    std::array<uint8_t, kFixedFieldsSize> fixed{};
    if (FAILED(reader.ReadBytes(fixed.data(), kFixedFieldsSize))) {
        return E_FAIL;
    }
    LittleEndianCursor fields(fixed.data());
    fields.Skip(8);  // the index again, as a double
    m_lightIndex = fields.Int();
    const int32_t type = fields.Int();
    m_light.type = static_cast<gfx::LightType>(type == kFloatOneTypeWord ? 1 : type);
    m_heading = fields.Float();
    m_elevation = fields.Float();
    m_roll = fields.Float();
    for (float& value : m_position) {
        value = fields.Float();
    }
    m_light.diffuse = TakeColour(fields);
    m_light.specular = TakeColour(fields);
    m_light.ambient = TakeColour(fields);
    m_light.direction.x = fields.Float();
    m_light.direction.y = fields.Float();
    m_light.direction.z = fields.Float();
    for (float* value :
         {&m_light.range, &m_light.falloff, &m_light.attenuation0, &m_light.attenuation1,
          &m_light.attenuation2, &m_light.theta, &m_light.phi}) {
        *value = fields.Float();
    }
    if (reader.ReadString(m_name) == E_FAIL) {
        return E_FAIL;
    }
    // The scene lists the icon when it takes the light, so that a file
    // refused later leaves no icon of a deleted light behind.
    RebuildPlanIcon();
    SelectGlyphMesh();
    UpdateLight();
    return S_OK;
}
