#include "objects/2DDxfIconShape.h"

#include <cmath>
#include <filesystem>
#include <optional>

#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "foundation/GeometryMath.h"
#include "objects/DocumentServices.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/fs/PathLookup.h"
#include "platform/fs/StoredPath.h"

C2DDxfIconShape::C2DDxfIconShape() : C2DPictureShape(kDxfIcon, kDxfIconShapeType) {
    m_color = GetDocumentServices().GetPlanColor(PlanColorSetting::Dxf);
}

std::unique_ptr<CDesignObject> C2DDxfIconShape::Clone() const {
    return std::make_unique<C2DDxfIconShape>(*this);
}

HRESULT C2DDxfIconShape::Write(CBinaryWriter& writer) const {
    writer.WriteByte(0);
    writer.WriteInt(m_onAllFloors);
    writer.WriteInt(static_cast<int32_t>(m_color));
    writer.WriteDouble(m_angle);
    writer.WriteDouble(m_levelHeight);
    writer.WriteInt(m_height);
    writer.WriteInt(m_width);
    writer.WriteInt(RoundToInt(m_position.x));
    writer.WriteInt(RoundToInt(-m_position.y));
    writer.WriteString(pfs::ToStoredPath(m_sourcePath));
    return writer.HasError() ? E_FAIL : S_OK;
}

HRESULT C2DDxfIconShape::Read(CBinaryReader& reader) {
    reader.ReadByte();
    const int32_t onAllFloors = reader.ReadInt();
    const int32_t color = reader.ReadInt();
    const double angle = reader.ReadDouble();
    const double levelHeight = reader.ReadDouble();
    const int32_t height = reader.ReadInt();
    const int32_t width = reader.ReadInt();
    const int32_t x = reader.ReadInt();
    const int32_t y = reader.ReadInt();
    if (reader.HasError() || !std::isfinite(angle) || !std::isfinite(levelHeight)) {
        return E_FAIL;
    }
    m_onAllFloors = onAllFloors;
    m_color = static_cast<draw::COLORREF>(color);
    m_angle = angle;
    m_levelHeight = levelHeight;
    m_height = height;
    m_width = width;
    // Negated as a double: the least int has no positive int.
    m_position = CVector2D(x, -static_cast<double>(y));

    std::string stored;
    const HRESULT result = reader.ReadString(stored);
    if (FAILED(result)) {
        return result;
    }

    IDocumentServices& document = GetDocumentServices();
    std::optional<std::string> path = FindStoredFile(stored);
    if (!path) {
        const std::optional<std::filesystem::path> found = pfs::FindFileByName(
            pfs::FromStoredPath(stored).fileName, {document.Get2DIconFolder()}, true);
        if (found) {
            path = found->string();
        }
    }
    if (path) {
        LoadSymbolFileAndRender(*path);
    } else {
        // Kept under the name the design gave, so that saving keeps it.
        document.AddMissingFile(stored);
        m_sourcePath = stored;
        m_sourceSymbol.Clear();
        RenderSymbol();
    }
    m_selected = 0;
    return S_OK;
}
