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
    float minY = 0.0f;
    float maxY = 0.0f;
    ReadRecordHead(reader, &minY, &maxY);
    m_fillMode = reader.ReadInt();
    m_hatchStyle = reader.ReadInt();
    m_hatchColour = static_cast<draw::COLORREF>(reader.ReadInt());
    for (float& size : m_realSize) {
        size = reader.ReadFloat();
    }
    m_hidden = reader.ReadInt();
    m_planSymbolShown = reader.ReadInt() == 0 ? 1 : 0;
    m_mirror = reader.ReadInt();
    std::array<uint8_t, kFlatReservedBytes> reserved{};
    reader.ReadBytes(reserved.data(), kFlatReservedBytes);
    if (reader.HasError() || FAILED(ReadRecordBody(reader)) || FAILED(ReadPartCentres(reader))) {
        return E_FAIL;
    }
    return RestoreAfterRead(true, maxY - minY);
}
