#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "foundation/ApplicationValues.h"
#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "foundation/GeometryMath.h"
#include "foundation/LittleEndianCursor.h"
#include "objects/ObjectRecordFields.h"
#include "objects/SceneServices.h"
#include "objects/Text3DObject.h"

namespace {

// The record opens with these, whatever the text.
constexpr int32_t kLeadingWord = 5;
constexpr int kLeadingZeros = 20;
// The fields between the text and the name.
constexpr int kFixedFieldsSize = 328;
constexpr int kReservedBytes = 84;

void WriteFont(CBinaryWriter& writer, const LogFontRecord& font) {
    for (const int32_t value :
         {font.height, font.width, font.escapement, font.orientation, font.weight}) {
        writer.WriteInt(value);
    }
    const std::array<uint8_t, 8> flags = {font.italic,  font.underline,     font.strikeOut,
                                          font.charSet, font.outPrecision,  font.clipPrecision,
                                          font.quality, font.pitchAndFamily};
    writer.WriteBytes(flags.data(), flags.size());
    writer.WriteBytes(font.faceName, sizeof(font.faceName));
}

LogFontRecord TakeFont(const uint8_t* bytes) {
    LogFontRecord font;
    LittleEndianCursor fields(bytes);
    font.height = fields.Int();
    font.width = fields.Int();
    font.escapement = fields.Int();
    font.orientation = fields.Int();
    font.weight = fields.Int();
    const uint8_t* flags = bytes + 20;
    font.italic = flags[0];
    font.underline = flags[1];
    font.strikeOut = flags[2];
    font.charSet = flags[3];
    font.outPrecision = flags[4];
    font.clipPrecision = flags[5];
    font.quality = flags[6];
    font.pitchAndFamily = flags[7];
    std::copy_n(bytes + 28, sizeof(font.faceName), font.faceName);
    return font;
}

// The stored text, within the characters a 3D text may hold: a CP950
// character takes one or two bytes. Anything longer is damage, refused
// before its mesh is made. An empty stored text leaves the text as it was.
HRESULT ReadBoundedText(CBinaryReader& reader, std::string& text) {
    constexpr int32_t kMaxTextBytes = 2 * CText3DObject::kMaxTextLength;
    const int32_t length = reader.ReadInt();
    if (reader.HasError() || length > kMaxTextBytes) {
        reader.MarkDamaged();
        return E_FAIL;
    }
    std::string read = text;
    if (length > 0 && FAILED(reader.ReadChars(read, static_cast<uint32_t>(length)))) {
        return E_FAIL;
    }
    const auto characters = std::count_if(read.begin(), read.end(), [](char byte) {
        return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    });
    if (characters > CText3DObject::kMaxTextLength) {
        reader.MarkDamaged();
        return E_FAIL;
    }
    text = std::move(read);
    return S_OK;
}

// A text whose mesh could not be made has no extent to scale: it keeps its
// own size rather than an infinite scale.
float Scale(float realSize, float extent) {
    return extent != 0.0f ? realSize / extent : 1.0f;
}

}  // namespace

HRESULT CText3DObject::Write(CBinaryWriter& writer) const {
    writer.WriteInt(kLeadingWord);
    writer.WriteZeros(kLeadingZeros);
    writer.WriteString(m_text);
    writer.WriteFloat(kExtrusion);
    WriteFont(writer, m_font);
    writer.WriteInt(static_cast<int32_t>(m_color));
    writer.WriteZeros(8);
    WriteStandingFields(writer);
    writer.WriteInt(m_planSymbolShown);
    writer.WriteInt(m_planOutlineShown);
    writer.WriteInt(m_hidden);
    writer.WriteInt(m_mirrorMode);
    writer.WriteZeros(kReservedBytes);
    writer.WriteString(m_name);
    writer.WriteString(m_webLink);
    writer.WriteString(m_triggerSound);
    writer.WriteString(m_note);
    WriteShadowLights(writer, m_shadowLights);
    writer.WriteInt(m_materialCount);
    for (int i = 0; i < m_materialCount; ++i) {
        WriteMaterial(writer, GetMaterialRecord(i));
    }
    return writer.HasError() ? E_FAIL : S_OK;
}

HRESULT CText3DObject::Read(CBinaryReader& reader) {
    std::array<uint8_t, kLeadingZeros + 4> leading{};
    if (FAILED(reader.ReadBytes(leading.data(), static_cast<int>(leading.size())))) {
        return E_FAIL;
    }
    if (FAILED(ReadBoundedText(reader, m_text))) {
        return E_FAIL;
    }
    std::array<uint8_t, kFixedFieldsSize> fixed{};
    if (FAILED(reader.ReadBytes(fixed.data(), kFixedFieldsSize))) {
        return E_FAIL;
    }
    LittleEndianCursor fields(fixed.data());
    fields.Skip(4);  // the extrusion, which is always the same
    m_font = TakeFont(fixed.data() + 4);
    fields.Skip(sizeof(LogFontRecord));
    m_color = static_cast<draw::COLORREF>(fields.Int());
    fields.Skip(8);
    const float power = TakeStandingFields(fields);
    m_planSymbolShown = fields.Int();
    fields.Skip(4);  // the plan-outline choice: a 3D text always shows its outline
    m_hidden = fields.Int();
    m_mirrorMode = fields.Int();

    // The name always follows the number, whatever was stored.
    std::string storedName;
    reader.ReadString(storedName);
    m_name = FormatTextName(m_number);
    reader.ReadString(m_webLink);
    reader.ReadString(m_triggerSound);
    reader.ReadString(m_note);

    if (!ReadShadowLights(reader, m_shadowLights)) {
        return E_FAIL;
    }

    // Every stored material is read so that the file stays in step, but a
    // 3D text has one material: only the first entry is applied.
    std::vector<MaterialRecord> records;
    if (!ReadMaterials(reader, records)) {
        return E_FAIL;
    }
    if (reader.HasError()) {
        return E_FAIL;
    }

    Rebuild();
    m_materials[0].power = power;
    if (!records.empty()) {
        m_textureNames.clear();
        ApplyMaterialRecord(0, records[0], true);
    }

    if (m_mirrorMode == 1 || m_mirrorMode == 2) {
        Mirror(m_mirrorMode);
    } else if (m_mirrorMode == 3) {
        m_heading += GetPi();
        m_mirrorMode = 0;
    }
    m_scale = {Scale(m_realSize[0], m_extent[0]), Scale(m_realSize[2], m_extent[2]),
               Scale(m_realSize[1], m_extent[1])};
    UpdateWorldMatrix();
    UpdateTranslucency();
    return S_OK;
}
