#include <array>
#include <cstdint>
#include <string>

#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "foundation/GeometryMath.h"
#include "foundation/LittleEndianCursor.h"
#include "objects/ObjectRecordFields.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/PhotoObject.h"
#include "objects/SceneServices.h"
#include "platform/fs/StoredPath.h"

namespace {

constexpr float kPathFromVersion = 6.01f;
constexpr float kShortMaterialsUpTo = 6.04f;
constexpr int kReservedBytes = 64;

}  // namespace

HRESULT CPhotoObject::Write(CBinaryWriter& writer) const {
    if (m_cameraAttached != 0) {
        return S_FALSE;
    }
    writer.WriteInt(m_facingViewer);
    writer.WriteDouble(m_number);
    for (const float value : m_position) {
        writer.WriteFloat(value);
    }
    writer.WriteFloat(m_realSize[0]);
    writer.WriteFloat(m_realSize[2]);
    writer.WriteFloat(m_heading);
    writer.WriteInt(m_mirrorImages);
    writer.WriteInt(m_shadow);
    writer.WriteInt(m_shadowReceiver);
    writer.WriteInt(m_reflective);
    writer.WriteInt(m_blend);
    WriteColourBlocksAndShadow(writer, *this);
    writer.WriteFloat(m_materialCount > 0 ? m_materials[0].power : 0.0f);
    writer.WriteFloat(m_price);
    writer.WriteInt(m_mapKind);
    writer.WriteFloat(m_elevation);
    writer.WriteFloat(m_roll);
    writer.WriteInt(m_planSymbolShown);
    writer.WriteInt(m_planOutlineShown);
    writer.WriteInt(m_pixelSize[0]);
    writer.WriteInt(m_pixelSize[1]);
    writer.WriteInt(static_cast<int32_t>(m_color));
    writer.WriteInt(m_hidden);
    writer.WriteZeros(kReservedBytes);
    writer.WriteString(m_filePath.empty() ? std::string() : pfs::ToStoredPath(m_filePath));
    writer.WriteString(m_name);
    writer.WriteString(m_webLink);
    writer.WriteString(m_triggerSound);
    writer.WriteString(m_note);
    WriteShadowLights(writer, m_shadowLights);
    // A photo has one part; a photo that never got its quad writes the
    // default material so that the record keeps its length.
    MaterialRecord material;
    if (m_materialCount > 0) {
        material = C3DObject::GetMaterialRecord(0);
        if (!m_refineRecords.empty()) {
            material.refineFlag = m_refineRecords[0].flag;
            material.refineValue = m_refineRecords[0].level;
        }
    }
    WriteMaterial(writer, material);
    return writer.HasError() ? E_FAIL : S_OK;
}

HRESULT CPhotoObject::Read(CBinaryReader& reader) {
    std::array<uint8_t, kFixedFieldsSize> fixed{};
    if (FAILED(reader.ReadBytes(fixed.data(), kFixedFieldsSize))) {
        return E_FAIL;
    }
    LittleEndianCursor fields(fixed.data());
    m_facingViewer = fields.Int();
    m_number = fields.Double();
    for (float& value : m_position) {
        value = fields.Float();
    }
    m_realSize[0] = fields.Float();
    m_realSize[2] = fields.Float();
    m_heading = fields.Float();
    m_mirrorImages = fields.Int();
    m_shadow = fields.Int();
    m_shadowReceiver = fields.Int();
    m_reflective = fields.Int();
    m_blend = fields.Int();
    TakeColourBlocksAndShadow(fields, *this);
    const float power = fields.Float();
    m_price = fields.Float();
    m_mapKind = fields.Int();
    m_elevation = fields.Float();
    m_roll = fields.Float();
    m_planSymbolShown = fields.Int();
    m_planOutlineShown = fields.Int();
    m_pixelSize[0] = fields.Int();
    m_pixelSize[1] = fields.Int();
    m_color = static_cast<draw::COLORREF>(fields.Int());
    m_hidden = fields.Int();

    const float version = ReadingFileVersion();
    // An empty text leaves the field as it was.
    if (version >= kPathFromVersion) {
        std::string storedPath;
        if (reader.ReadString(storedPath) == S_OK) {
            m_filePath = LocalFileOfStoredPath(storedPath);
        }
    }
    reader.ReadString(m_name);
    reader.ReadString(m_webLink);
    reader.ReadString(m_triggerSound);
    reader.ReadString(m_note);

    if (!ReadShadowLights(reader, m_shadowLights)) {
        return E_FAIL;
    }
    const MaterialRecord material = ReadMaterial(reader, version <= kShortMaterialsUpTo);
    if (reader.HasError()) {
        return E_FAIL;
    }

    if (g_pCurrentScene != nullptr) {
        const HRESULT located = g_pCurrentScene->LocateMissingFile(kPhotoObjectType, m_filePath);
        if (FAILED(located)) {
            return located;
        }
    }
    // Without its quad the photo could be neither drawn nor scaled.
    if (BuildMesh() == 0) {
        return E_FAIL;
    }
    m_realSize[1] = kDepth;
    m_scale[2] = 1.0f;
    m_scale[0] = m_realSize[0] / m_extent[0];
    m_scale[1] = m_realSize[2] / m_extent[2];
    if (version < kPathFromVersion) {
        m_planSymbolShown = 1;
        m_planOutlineShown = 0;
    }
    m_textureNames.clear();
    m_materials[0].power = power;
    ApplyMaterialRecord(0, material, true);
    UpdateTranslucency();
    UpdateWorldMatrix();
    RebuildPlanIcon();
    return S_OK;
}
