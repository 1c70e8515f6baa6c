#include "objects/WallObject.h"

#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"

namespace {

constexpr int kFlatReservedBytes = 64;

}  // namespace

HRESULT CWallObject::WriteFlatSurfaceRecord(CBinaryWriter& writer) const {
    WriteRecordHead(writer);
    writer.WriteInt(m_fillMode);
    writer.WriteInt(m_hatchStyle);
    writer.WriteInt(static_cast<int32_t>(m_hatchColour));
    for (const float size : m_realSize) {
        writer.WriteFloat(size);
    }
    writer.WriteInt(m_hidden);
    writer.WriteInt(m_planSymbolShown == 0 ? 1 : 0);
    writer.WriteInt(m_mirror);
    writer.WriteZeros(kFlatReservedBytes);
    WriteRecordBody(writer, false);
    WritePartCentres(writer);
    return writer.HasError() ? E_FAIL : S_OK;
}

HRESULT CWallObject::ReadFlatSurfaceRecord(CBinaryReader& reader) {
    FixedFields fixed{};
    float minY = 0.0f;
    float maxY = 0.0f;
    std::optional<LittleEndianCursor> fields = ReadRecordHead(reader, fixed, &minY, &maxY);
    if (!fields) {
        return E_FAIL;
    }
    m_fillMode = fields->Int();
    m_hatchStyle = fields->Int();
    m_hatchColour = static_cast<draw::COLORREF>(fields->Int());
    for (float& size : m_realSize) {
        size = fields->Float();
    }
    m_hidden = fields->Int();
    m_planSymbolShown = fields->Int() == 0 ? 1 : 0;
    m_mirror = fields->Int();
    if (FAILED(ReadRecordBody(reader)) || FAILED(ReadPartCentres(reader))) {
        return E_FAIL;
    }
    return RestoreAfterRead(true, maxY - minY);
}
