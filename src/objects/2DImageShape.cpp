#include "objects/2DImageShape.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "foundation/ApplicationValues.h"
#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "foundation/DCStateSaver.h"
#include "foundation/DrawingToolkit.h"
#include "foundation/GeometryMath.h"
#include "foundation/LinePen.h"
#include "foundation/Prompt.h"
#include "foundation/TextFormat.h"
#include "objects/DocumentServices.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/fs/StoredPath.h"
#include "platform/image/Image.h"
#include "platform/image/ImageFormat.h"

namespace {

// p + d for drawing: far-off values stop at the int range instead of
// wrapping.
int32_t OffsetCoordinate(int32_t p, int32_t d) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{p} + d, INT32_MIN, INT32_MAX));
}

// Where pictures of older designs were moved to.
constexpr const char* kPictureFallbackFolder = "2DMap\\Der6Era\\";

std::optional<std::string> FindInFallbackFolder(const std::string& storedPath) {
    const std::string fileName = pfs::FromStoredPath(storedPath).fileName;
    if (fileName.empty()) {
        return std::nullopt;
    }
    const std::string path = GetProgramFilePath(kPictureFallbackFolder + fileName);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return std::nullopt;
    }
    return path;
}

}  // namespace

C2DImageShape::C2DImageShape() : C2DPictureShape(kImage, kImageShapeType) {}

std::unique_ptr<CDesignObject> C2DImageShape::Clone() const {
    return std::make_unique<C2DImageShape>(*this);
}

int C2DImageShape::HitTestPoint(POINT point, int /*tolerance*/) const {
    const POINT p = m_position.ToPoint();
    // PtInRect: the right and bottom edges are outside.
    const bool inX = point.x >= p.x && int64_t{point.x} < int64_t{p.x} + m_width;
    const bool inY = point.y >= p.y && int64_t{point.y} < int64_t{p.y} + m_height;
    return inX && inY ? 1 : 0;
}

void C2DImageShape::Draw(draw::DrawContext& dc, int rop2) const {
    int32_t w = m_width;
    int32_t h = m_height;
    const draw::Size natural = m_image.GetSize();
    if (w == natural.cx && h == natural.cy) {
        --w;
        --h;
    }
    const bool selected = IsSelected() != 0;
    const draw::COLORREF color =
        selected && !dc.IsPrinting() ? draw::Rgb(255, 0, 0) : draw::Rgb(0, 0, 0);
    const PlanDrawOrigin origin = GetDocumentServices().GetPlanDrawOrigin(dc);

    CDCStateSaver saver(dc);
    saver.SelectPen(CLinePen(draw::PS_SOLID, 1, color, origin.zoomPercent));
    saver.SetROP2(rop2);
    saver.SetBkColor(0);
    const POINT p = (m_position - CVector2D(origin.x, origin.y)).ToPoint();
    if (GetDocumentServices().Get2DViewFullDrawFlag() && m_image.HasImage()) {
        m_image.SetPosition(p.x, p.y);
        m_image.Draw(dc, w, h, false);
        if (!selected) {
            return;
        }
    }
    DrawRectOutline(dc, p.x, p.y, OffsetCoordinate(p.x, m_width), OffsetCoordinate(p.y, m_height));
}

HRESULT C2DImageShape::Write(CBinaryWriter& writer) const {
    writer.WriteByte(0);
    writer.WriteInt(m_moveLock);
    writer.WriteZeros(4);
    writer.WriteInt(m_onAllFloors);
    writer.WriteZeros(4);
    writer.WriteDouble(m_levelHeight);
    writer.WriteInt(m_height);
    writer.WriteInt(m_width);
    writer.WriteInt(m_naturalHeight);
    writer.WriteInt(m_naturalWidth);
    writer.WriteInt(RoundToInt(m_position.x));
    writer.WriteInt(RoundToInt(-m_position.y));
    writer.WriteString(pfs::ToStoredPath(m_sourcePath));
    return writer.HasError() ? E_FAIL : S_OK;
}

HRESULT C2DImageShape::Read(CBinaryReader& reader) {
    reader.ReadByte();
    const int32_t moveLock = reader.ReadInt();
    reader.ReadInt();
    const int32_t onAllFloors = reader.ReadInt();
    reader.ReadInt();
    const double levelHeight = reader.ReadDouble();
    const int32_t height = reader.ReadInt();
    const int32_t width = reader.ReadInt();
    const int32_t naturalHeight = reader.ReadInt();
    const int32_t naturalWidth = reader.ReadInt();
    const int32_t x = reader.ReadInt();
    const int32_t y = reader.ReadInt();
    if (reader.HasError() || !std::isfinite(levelHeight)) {
        return E_FAIL;
    }
    m_moveLock = moveLock;
    m_onAllFloors = onAllFloors;
    m_levelHeight = levelHeight;
    m_height = height;
    m_width = width;
    m_naturalHeight = naturalHeight;
    m_naturalWidth = naturalWidth;
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
        path = FindInFallbackFolder(stored);
    }
    if (!path) {
        document.AddMissingFile(stored);
        ShowMessage(FormatString("檔案%s不存在!", stored.c_str()), PromptButtons::Ok,
                    PromptIcon::Warning);
        return E_FAIL;
    }
    m_selected = 0;
    if (FAILED(LoadImageFile(*path))) {
        document.AddMissingFile(stored);
        return S_FALSE;
    }
    return S_OK;
}

HRESULT C2DImageShape::LoadImageFile(const std::string& path) {
    m_image.Free();
    // Kept whatever comes of decoding, so that saving the design keeps the picture's file.
    m_sourcePath = path;
    const image::ImageFormat format = image::GetImageFormatByExtension(path);
    if (format == image::ImageFormat::Unknown) {
        ShowMessage("Not supported file format!", PromptButtons::Ok, PromptIcon::Warning);
        return E_FAIL;
    }
    image::CImage picture;
    if (!picture.Load(path, format)) {
        return E_FAIL;
    }
    const std::optional<std::vector<uint8_t>> bmp = picture.Encode(image::ImageFormat::Bmp);
    if (!bmp || !m_image.LoadFromMemory(*bmp)) {
        return E_FAIL;
    }
    return S_OK;
}

void C2DImageShape::SetNaturalSize(int32_t width, int32_t height) {
    m_naturalWidth = width;
    m_naturalHeight = height;
}
