#include "objects/Text3DObject.h"

#include <cmath>
#include <cstring>

#include "foundation/GeometryMath.h"
#include "foundation/MaterialPresets.h"
#include "foundation/MeshVertex.h"
#include "foundation/TextFormat.h"
#include "objects/HistoryRecord.h"
#include "objects/MeshEdgeRecords.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/draw/DrawContext.h"
#include "platform/draw/Font.h"
#include "platform/gfx/TextMesh.h"
#include "platform/text/Cp950.h"

namespace {

// The face the text starts with: height 20, width 12, weight 100, the
// default character set.
LogFontRecord DefaultTextFont() {
    LogFontRecord font;
    font.height = 20;
    font.width = 12;
    font.weight = 100;
    font.charSet = 1;  // DEFAULT_CHARSET
    std::memcpy(font.faceName, "Times New Roman", 15);
    return font;
}

// The drawing layer's font of a stored LOGFONT: its CP950 face name, weight
// and slant pick the face; the size does not matter for outlines.
draw::Font OutlineFont(const LogFontRecord& record) {
    draw::Font font;
    const std::size_t length = strnlen(record.faceName, sizeof(record.faceName));
    font.faceName = text::Cp950ToUtf8Lenient(std::string_view(record.faceName, length));
    font.weight = record.weight;
    font.italic = record.italic != 0;
    return font;
}

float Ratio(float numerator, float denominator) {
    return denominator != 0.0f ? numerator / denominator : 0.0f;
}

}  // namespace

CText3DSnapshot::CText3DSnapshot(const CText3DObject& object)
    : CObjectSnapshot(object),
      colour(object.GetColor()),
      text(object.GetText()),
      font(object.GetFont()) {}

bool CText3DSnapshot::IsEqual(const CObjectSnapshot& other) const {
    const auto* text2 = dynamic_cast<const CText3DSnapshot*>(&other);
    return text2 != nullptr && CObjectSnapshot::IsEqual(other) && text == text2->text &&
           std::memcmp(&font, &text2->font, sizeof(LogFontRecord)) == 0 && colour == text2->colour;
}

CText3DObject::CText3DObject() : m_font(DefaultTextFont()) {
    m_type = kText3DObjectType;
    m_planOutlineShown = 1;
}

CText3DObject::CText3DObject(const CText3DObject& other)
    : C3DObject(other), m_text(other.m_text), m_font(other.m_font) {
    m_mesh = CloneMesh(other.m_mesh.get());
}

CText3DObject::~CText3DObject() = default;

std::unique_ptr<CDesignObject> CText3DObject::Clone() const {
    return std::make_unique<CText3DObject>(*this);
}

void CText3DObject::SetNumber(int number) {
    m_number = number;
    m_name = FormatTextName(m_number);
}

std::string CText3DObject::FormatTextName(double number) {
    return FormatString("文字-%.0f", number);
}

void CText3DObject::Draw(draw::DrawContext& dc, int rop2) const {
    if (m_planSymbolShown == 0 || m_planOutlineShown == 0) {
        return;
    }
    DrawPlanOutline(dc, rop2);
}

void CText3DObject::PushUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list, int value,
                                     int groupCount, int type) {
    PushSnapshotRecord(list, value, groupCount, type, std::make_unique<CText3DSnapshot>(*this));
}

void CText3DObject::CommitUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list,
                                       std::unique_ptr<HistoryRecord> record, int groupCount) {
    CommitSnapshotRecord(list, std::move(record), groupCount,
                         std::make_unique<CText3DSnapshot>(*this));
}

void CText3DObject::Rebuild() {
    SetDefaultMaterials();
    CreateTextMesh();
}

void CText3DObject::SetDefaultMaterials() {
    ResizeMaterials(1);
    m_materials[0] = *GetMatteWhiteMaterial();
    m_sourceMaterials[0] = *GetMatteWhiteMaterial();
    m_basePartCount = 1;
}

void CText3DObject::CreateTextMesh() {
    m_mesh.reset();
    std::unique_ptr<gfx::Mesh> textMesh;
    if (gfx::Succeeded(gfx::CreateTextMesh(m_device, OutlineFont(m_font), m_text, kDeviation,
                                           kExtrusion, &textMesh))) {
        constexpr uint32_t kTextFvf = gfx::kFvfXyz | gfx::kFvfNormal | gfx::kFvfTex1;
        textMesh->Clone(textMesh->GetOptions(), kTextFvf, m_device, &m_mesh);
    }
    if (!m_mesh) {
        m_outlineRecords.clear();
        m_planOutline.clear();
        return;
    }
    CentreMeshOnFloor();
    ComputeExtents();
    ComputeTextTextureCoords();
    SetPointRecords(BuildMeshEdgeRecords(*m_mesh));
}

void CText3DObject::ComputeTextTextureCoords() {
    if (!m_mesh) {
        return;
    }
    const float width = m_extent[0];
    const float depth = m_extent[1];
    const float height = m_extent[2];
    const float ru = Ratio(width, height);
    const float rv = Ratio(depth, height);
    for (MeshVertex& v : m_mesh->EditVerticesAs<MeshVertex>()) {
        if (v.nx == 0.0f && v.ny == 0.0f && v.nz == 1.0f) {
            v.u = ru * Ratio(m_boxMax.x - v.x, width);
            v.v = Ratio(m_boxMax.y - v.y, height);
        } else if (v.nx == 0.0f && v.ny == 0.0f && v.nz == -1.0f) {
            v.u = ru * Ratio(v.x - m_boxMin.x, width);
            v.v = Ratio(v.y - m_boxMin.y, height);
        } else {
            v.v = rv * Ratio(v.z - m_boxMin.z, depth);
            v.u = std::abs(v.ny) > std::abs(v.nx) ? ru * Ratio(v.x - m_boxMin.x, width)
                                                  : Ratio(v.y - m_boxMin.y, height);
        }
    }
}
