#include "objects/WallObject.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "foundation/GeometryMath.h"
#include "foundation/LittleEndianCursor.h"
#include "objects/ObjectRecordFields.h"
#include "objects/SceneServices.h"
#include "objects/SurfaceMaterialName.h"

namespace {

// Design-file versions the surface records change at.
constexpr float kPartCentresFrom = 6.04f;

// Bytes each element of the record's arrays takes at least.
constexpr int64_t kPointSize = 8;
constexpr int64_t kFaceItemSize = 52;
constexpr int64_t kPartCentreSize = 12;
constexpr std::array<int64_t, 3> kLegacyElementSizes = {12, 4, 4};

constexpr int kWallReservedBytes = 68;

void WritePoint(CBinaryWriter& writer, const CVector2F& point) {
    writer.WriteFloat(point.x);
    writer.WriteFloat(point.y);
}

void WriteFaceItem(CBinaryWriter& writer, const WallFaceItem& item) {
    writer.WriteInt(item.face);
    writer.WriteInt(item.cutOut);
    writer.WriteInt(item.kind);
    WritePoint(writer, item.firstCorner);
    WritePoint(writer, item.secondCorner);
    writer.WriteZeros(4);
    writer.WriteInt(static_cast<int32_t>(item.outline.size()));
    for (const CVector2F& point : item.outline) {
        WritePoint(writer, point);
    }
    writer.WriteInt(item.twinFace);
    WritePoint(writer, item.anchor);
    writer.WriteInt(item.twinCreated);
}

CVector2F TakePoint(LittleEndianCursor& fields) {
    const float x = fields.Float();
    return {x, fields.Float()};
}

// count points (already bounded by the bytes left), read in one piece.
bool ReadPoints(CBinaryReader& reader, int32_t count, std::vector<CVector2F>& points) {
    std::vector<uint8_t> bytes;
    if (FAILED(reader.ReadBlock(bytes, static_cast<int32_t>(count * kPointSize)))) {
        return false;
    }
    LittleEndianCursor fields(bytes.data());
    points.clear();
    points.reserve(static_cast<std::size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        points.push_back(TakePoint(fields));
    }
    return true;
}

std::unique_ptr<WallFaceItem> ReadFaceItem(CBinaryReader& reader) {
    constexpr int kLeadSize = 32;  // up to the point count
    constexpr int kTailSize = 16;  // after the points
    std::array<uint8_t, kLeadSize> lead{};
    if (FAILED(reader.ReadBytes(lead.data(), kLeadSize))) {
        return nullptr;
    }
    auto item = std::make_unique<WallFaceItem>();
    LittleEndianCursor fields(lead.data());
    item->face = fields.Int();
    item->cutOut = fields.Int();
    item->kind = fields.Int();
    item->firstCorner = TakePoint(fields);
    item->secondCorner = TakePoint(fields);
    int32_t points = 0;
    if (!ReadCount(reader, kPointSize, &points) || !ReadPoints(reader, points, item->outline)) {
        return nullptr;
    }
    std::array<uint8_t, kTailSize> tail{};
    if (FAILED(reader.ReadBytes(tail.data(), kTailSize))) {
        return nullptr;
    }
    LittleEndianCursor after(tail.data());
    item->twinFace = after.Int();
    item->anchor = TakePoint(after);
    item->twinCreated = after.Int();
    return item;
}

}  // namespace

void CWallObject::WriteRecordHead(CBinaryWriter& writer) const {
    writer.WriteFloat(m_boxMin.y);
    writer.WriteFloat(m_boxMax.y);
    writer.WriteZeros(4);
    writer.WriteDouble(m_number);
    for (const float value : m_position) {
        writer.WriteFloat(value);
    }
    writer.WriteFloat(m_heading);
    writer.WriteFloat(m_elevation);
    writer.WriteFloat(m_roll);
    writer.WriteInt(m_mirrorImages);
    writer.WriteInt(m_shadow);
    writer.WriteInt(m_shadowReceiver);
    writer.WriteInt(m_reflective);
    writer.WriteInt(m_blend);
    WriteColourBlocksAndShadow(writer, *this);
    writer.WriteInt(static_cast<int32_t>(m_color));
    writer.WriteInt(static_cast<int32_t>(m_fillColour));
    writer.WriteFloat(m_materialCount > 0 ? m_materials[0].power : 0.0f);
    writer.WriteFloat(m_price);
}

std::optional<LittleEndianCursor> CWallObject::ReadRecordHead(CBinaryReader& reader,
                                                              FixedFields& fixed, float* minY,
                                                              float* maxY) {
    if (FAILED(reader.ReadBytes(fixed.data(), kFixedFieldsSize))) {
        return std::nullopt;
    }
    LittleEndianCursor fields(fixed.data());
    *minY = fields.Float();
    *maxY = fields.Float();
    fields.Skip(4);
    m_number = fields.Double();
    for (float& value : m_position) {
        value = fields.Float();
    }
    m_heading = fields.Float();
    m_elevation = fields.Float();
    m_roll = fields.Float();
    m_mirrorImages = fields.Int();
    m_shadow = fields.Int();
    m_shadowReceiver = fields.Int();
    m_reflective = fields.Int();
    m_blend = fields.Int();
    TakeColourBlocksAndShadow(fields, *this);
    m_color = static_cast<draw::COLORREF>(fields.Int());
    m_fillColour = static_cast<draw::COLORREF>(fields.Int());
    m_storedSpecularPower = fields.Float();
    m_price = fields.Float();
    return fields;
}

HRESULT CWallObject::WriteRecordBody(CBinaryWriter& writer, bool wallNames) const {
    writer.WriteInt(static_cast<int32_t>(m_outline.size()));
    for (const CVector2F& point : m_outline) {
        WritePoint(writer, point);
    }
    writer.WriteString(m_name);
    writer.WriteString(m_webLink);
    writer.WriteString(m_triggerSound);
    writer.WriteString(m_note);
    WriteShadowLights(writer, m_shadowLights);
    const std::span<const MaterialRecord> uncut = GetUncutPartMaterials();
    writer.WriteInt(m_materialCount + static_cast<int32_t>(uncut.size()));
    for (int i = 0; i < m_materialCount; ++i) {
        MaterialRecord record = GetMaterialRecord(i);
        if (!wallNames) {
            record.name = EncodeCutMaterialName(m_textureNames[i]);
        }
        WriteMaterial(writer, record);
    }
    for (const MaterialRecord& record : uncut) {
        WriteMaterial(writer, record);
    }
    // Three arrays no reader uses any more, each an empty count.
    writer.WriteZeros(12);
    writer.WriteInt(m_basePartCount);
    writer.WriteInt(static_cast<int32_t>(m_faceItems.size()));
    for (const std::unique_ptr<WallFaceItem>& item : m_faceItems) {
        WriteFaceItem(writer, *item);
    }
    return writer.HasError() ? E_FAIL : S_OK;
}

HRESULT CWallObject::ReadRecordBody(CBinaryReader& reader) {
    int32_t points = 0;
    if (!ReadCount(reader, kPointSize, &points)) {
        return E_FAIL;
    }
    if (!ReadPoints(reader, points, m_outline)) {
        return E_FAIL;
    }
    // An empty text leaves the field as constructed.
    reader.ReadString(m_name);
    reader.ReadString(m_webLink);
    reader.ReadString(m_triggerSound);
    reader.ReadString(m_note);

    if (!ReadShadowLights(reader, m_shadowLights)) {
        return E_FAIL;
    }

    if (!ReadMaterials(reader, m_storedMaterials)) {
        return E_FAIL;
    }

    for (const int64_t elementSize : kLegacyElementSizes) {
        int32_t count = 0;
        if (!ReadCount(reader, elementSize, &count)) {
            return E_FAIL;
        }
        std::vector<uint8_t> skipped;
        if (count > 0 &&
            FAILED(reader.ReadBlock(skipped, static_cast<int32_t>(count * elementSize)))) {
            return E_FAIL;
        }
    }

    m_basePartCount = reader.ReadInt();
    int32_t items = 0;
    if (!ReadCount(reader, kFaceItemSize, &items)) {
        return E_FAIL;
    }
    for (int32_t i = 0; i < items; ++i) {
        std::unique_ptr<WallFaceItem> item = ReadFaceItem(reader);
        if (!item) {
            return E_FAIL;
        }
        m_faceItems.push_back(std::move(item));
    }
    return reader.HasError() ? E_FAIL : S_OK;
}

void CWallObject::WritePartCentres(CBinaryWriter& writer) const {
    const int parts = m_materialCount + static_cast<int>(GetUncutPartMaterials().size());
    for (int part = m_basePartCount; part < parts; ++part) {
        // A part that is not cut here has only the centre the file gave it;
        // a file older than part centres gave none.
        std::array<float, 3> centre{};
        if (part < m_materialCount) {
            centre = GetPartCentre(part);
        } else if (const auto stored = static_cast<std::size_t>(part - m_basePartCount);
                   stored < m_storedPartCentres.size()) {
            centre = m_storedPartCentres[stored];
        }
        for (const float value : centre) {
            writer.WriteFloat(value);
        }
    }
}

std::span<const MaterialRecord> CWallObject::GetUncutPartMaterials() const {
    const std::span<const MaterialRecord> stored(m_storedMaterials);
    const auto parts = static_cast<std::size_t>(std::max(m_materialCount, 0));
    return stored.size() > parts ? stored.subspan(parts) : std::span<const MaterialRecord>();
}

HRESULT CWallObject::ReadPartCentres(CBinaryReader& reader) {
    m_storedPartCentres.clear();
    if (ReadingFileVersion() < kPartCentresFrom) {
        return S_OK;
    }
    const int64_t parts =
        std::max<int64_t>(0, static_cast<int64_t>(m_storedMaterials.size()) - m_basePartCount);
    const int64_t left = reader.BytesLeft();
    if (left >= 0 && parts * kPartCentreSize > left) {
        reader.MarkDamaged();
        return E_FAIL;
    }
    for (int64_t i = 0; i < parts; ++i) {
        std::array<float, 3>& centre = m_storedPartCentres.emplace_back();
        for (float& value : centre) {
            value = reader.ReadFloat();
        }
    }
    return reader.HasError() ? E_FAIL : S_OK;
}

HRESULT CWallObject::RestoreAfterRead(bool flat, float height) {
    const int faceCount = m_basePartCount;
    // A cap of thousands of points takes long: the read shows its progress
    // meanwhile and may be aborted, which its caller then sees.
    BuildMesh(flat ? 0 : 1, height,
              [] { return g_pCurrentScene == nullptr || g_pCurrentScene->ContinueLongRead(); });
    // The faces the file names are the faces the outline gives; a count
    // that does not fit the parts is not taken over.
    if (faceCount >= 0 && faceCount <= m_materialCount) {
        m_basePartCount = faceCount;
    }
    if (!flat && m_number == 0.0 && m_position == std::array<float, 3>{}) {
        return S_OK;
    }
    if (m_realSize == std::array<float, 3>{}) {
        SetUniformScale(1.0f);
    }
    // The scales follow from the real sizes; an axis without extent keeps
    // scale 1, which is also the height of a flat surface's cap.
    UpdateWorldMatrix();

    // The faces are cut before the stored materials go to the parts, so
    // that the pieces take their own materials back.
    RebuildAfterRead();
    if (m_mirror != 0) {
        m_reflective = 1;
        m_translucent = 1;
    }
    ApplyStoredMaterials();
    UpdateTranslucency();
    return S_OK;
}

void CWallObject::ApplyStoredMaterials() {
    m_textureNames.clear();
    for (int i = 0; i < m_materialCount; ++i) {
        m_materials[i].power = m_storedSpecularPower;
        if (i < static_cast<int>(m_storedMaterials.size())) {
            ApplyMaterialRecord(i, m_storedMaterials[i], true);
        } else {
            m_textureNames.emplace_back(kNoTextureName);
        }
    }
}

HRESULT CWallObject::Write(CBinaryWriter& writer) const {
    WriteRecordHead(writer);
    for (const float size : m_realSize) {
        writer.WriteFloat(size);
    }
    writer.WriteInt(m_fillMode);
    writer.WriteInt(m_hatchStyle);
    writer.WriteInt(static_cast<int32_t>(m_hatchColour));
    writer.WriteInt(m_hidden);
    writer.WriteInt(m_planSymbolShown == 0 ? 1 : 0);
    writer.WriteZeros(kWallReservedBytes);
    WriteRecordBody(writer, true);
    writer.WriteInt(m_mirror);
    WritePartCentres(writer);
    return writer.HasError() ? E_FAIL : S_OK;
}

HRESULT CWallObject::Read(CBinaryReader& reader) {
    FixedFields fixed{};
    float minY = 0.0f;
    float maxY = 0.0f;
    std::optional<LittleEndianCursor> fields = ReadRecordHead(reader, fixed, &minY, &maxY);
    if (!fields) {
        return E_FAIL;
    }
    for (float& size : m_realSize) {
        size = fields->Float();
    }
    m_fillMode = fields->Int();
    m_hatchStyle = fields->Int();
    m_hatchColour = static_cast<draw::COLORREF>(fields->Int());
    m_hidden = fields->Int();
    m_planSymbolShown = fields->Int() == 0 ? 1 : 0;
    if (FAILED(ReadRecordBody(reader))) {
        return E_FAIL;
    }
    m_mirror = reader.ReadInt();
    if (FAILED(ReadPartCentres(reader)) || reader.HasError()) {
        return E_FAIL;
    }
    return RestoreAfterRead(false, maxY - minY);
}
