#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "foundation/ApplicationValues.h"
#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "foundation/GeometryMath.h"
#include "foundation/LittleEndianCursor.h"
#include "objects/2DPictureShape.h"
#include "objects/ModelObject.h"
#include "objects/ObjectRecordFields.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/SceneServices.h"
#include "platform/fs/StoredPath.h"

namespace {

constexpr int kReservedBytes = 80;

float Scale(float realSize, float extent) {
    return extent != 0.0f ? realSize / extent : 1.0f;
}

}  // namespace

HRESULT CModelObject::Write(CBinaryWriter& writer) const {
    WriteStandingFields(writer);
    writer.WriteInt(m_planSymbolShown);
    writer.WriteInt(m_planOutlineShown);
    writer.WriteInt(static_cast<int32_t>(m_color));
    writer.WriteInt(m_hidden);
    writer.WriteInt(m_mirrorMode);
    writer.WriteZeros(kReservedBytes);
    writer.WriteString(m_filePath.empty() ? std::string() : pfs::ToStoredPath(m_filePath));
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

HRESULT CModelObject::Read(CBinaryReader& reader) {
    std::array<uint8_t, kFixedFieldsSize> fixed{};
    if (FAILED(reader.ReadBytes(fixed.data(), kFixedFieldsSize))) {
        return E_FAIL;
    }
    LittleEndianCursor fields(fixed.data());
    const float power = TakeStandingFields(fields);
    m_planSymbolShown = fields.Int();
    m_planOutlineShown = fields.Int();
    m_color = static_cast<draw::COLORREF>(fields.Int());
    m_hidden = fields.Int();
    m_mirrorMode = fields.Int();

    // An empty text leaves the field as it was.
    std::string storedPath;
    if (reader.ReadString(storedPath) == S_OK) {
        m_filePath = LocalFileOfStoredPath(storedPath);
    }
    reader.ReadString(m_name);
    reader.ReadString(m_webLink);
    reader.ReadString(m_triggerSound);
    reader.ReadString(m_note);

    if (!ReadShadowLights(reader, m_shadowLights)) {
        return E_FAIL;
    }

    // Every stored material is read, so the file stays in step whatever the
    // package holds now.
    std::vector<MaterialRecord> records;
    if (!ReadMaterials(reader, records)) {
        return E_FAIL;
    }
    if (reader.HasError()) {
        return E_FAIL;
    }

    if (g_pCurrentScene != nullptr) {
        const HRESULT located = g_pCurrentScene->LocateMissingFile(kModelObjectType, m_filePath);
        if (FAILED(located)) {
            return located;
        }
    }
    const HRESULT loaded = LoadModelFile(m_filePath);
    if (FAILED(loaded)) {
        return loaded;
    }

    // A package changed since the design was saved may hold more or fewer
    // materials than the record: only those both have are taken, the rest
    // keep the package's.
    const std::vector<std::string> packageNames = m_textureNames;
    const int applied = std::min(m_materialCount, static_cast<int>(records.size()));
    m_textureNames.clear();
    for (int i = 0; i < m_materialCount; ++i) {
        m_materials[i].power = power;
        if (i < applied) {
            ApplyMaterialRecord(i, records[i], true);
        } else {
            m_textureNames.push_back(packageNames[i]);
        }
    }

    ComputeExtents();
    m_scale = {Scale(m_realSize[0], m_extent[0]), Scale(m_realSize[2], m_extent[2]),
               Scale(m_realSize[1], m_extent[1])};
    if (m_mirrorMode == 1 || m_mirrorMode == 2) {
        Mirror(m_mirrorMode);
    } else if (m_mirrorMode == 3) {
        m_heading += GetPi();
        m_mirrorMode = 0;
    }
    UpdateWorldMatrix();
    UpdatePlanIcon();
    if (m_planIcon) {
        m_planIcon->SetSize(RoundToInt(m_realSize[0]), RoundToInt(m_realSize[1]));
        m_planIcon->SetColor(m_color);
    }
    UpdateTranslucency();
    return S_OK;
}
