#include "objects/PhotoObject.h"

#include <cmath>

#include "foundation/ApplicationValues.h"
#include "foundation/DCStateSaver.h"
#include "foundation/GeometryMath.h"
#include "foundation/MaterialPresets.h"
#include "foundation/PathUtils.h"
#include "foundation/TextFormat.h"
#include "objects/2DPhotoIconShape.h"
#include "objects/CatalogDatabase.h"
#include "objects/CostItemRecord.h"
#include "objects/DocumentServices.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/draw/DrawContext.h"
#include "platform/draw/Pen.h"

namespace {

// Position, normal and one pair of texture coordinates, as the walls have.
constexpr uint32_t kMeshVertexFvf = gfx::kFvfXyz | gfx::kFvfNormal | gfx::kFvfTex1;

bool FolderContains(const std::string& path, const char* name) {
    return GetPathFolder(path).find(name) != std::string::npos;
}

}  // namespace

CPhotoSnapshot::CPhotoSnapshot(const CPhotoObject& photo)
    : CWallSnapshot(photo), facingViewer(photo.IsFacingViewer()) {}

bool CPhotoSnapshot::IsEqual(const CObjectSnapshot& other) const {
    const auto* photo = dynamic_cast<const CPhotoSnapshot*>(&other);
    return photo != nullptr && CWallSnapshot::IsEqual(other) && facingViewer == photo->facingViewer;
}

CPhotoObject::CPhotoObject() {
    m_type = kPhotoObjectType;
    m_color = GetDocumentServices().GetPlanColor(PlanColorSetting::Photo);
}

CPhotoObject::CPhotoObject(const CPhotoObject& other)
    : CWallObject(other),
      m_mapKind(other.m_mapKind),
      m_facingViewer(other.m_facingViewer),
      m_cameraAttached(other.m_cameraAttached),
      m_pixelSize(other.m_pixelSize) {
    // The base copy leaves the blend flag out.
    m_blend = other.m_blend;
}

CPhotoObject::~CPhotoObject() = default;

std::unique_ptr<CDesignObject> CPhotoObject::Clone() const {
    return std::make_unique<CPhotoObject>(*this);
}

void CPhotoObject::SetNumber(int number) {
    m_number = number;
    m_name = FormatString("照片-%.0f", m_number);
}

void CPhotoObject::SetMapKind(int kind) {
    m_mapKind = kind;
    if (m_materialCount > 0) {
        const float power = m_materials[0].power;
        const gfx::Material* material = nullptr;
        gfx::Material photo = *GetDefaultMaterial();
        photo.diffuse.a = kPhotoAlpha;
        switch (kind) {
            case 0:
                material = &photo;
                break;
            case 1:
                material = GetLightMapMaterial();
                break;
            case 2:
                material = GetShadowMapMaterial();
                break;
            default:
                break;
        }
        if (material != nullptr) {
            m_objectMaterial = *material;
            m_materials[0] = *material;
        }
        m_materials[0].power = power;
    }
    m_blend = kind != 2 ? 1 : 0;
    m_planOutlineShown = kind != 0 ? 1 : 0;
    UpdatePlanOutline();
}

void CPhotoObject::BuildQuadGeometry() {
    m_baseVertices = {
        MakeVertex(-0.5f, 1.0f, 0.0f, 0.0f, 0.0f), MakeVertex(0.5f, 1.0f, 0.0f, 1.0f, 0.0f),
        MakeVertex(0.5f, 0.0f, 0.0f, 1.0f, 1.0f), MakeVertex(-0.5f, 0.0f, 0.0f, 0.0f, 1.0f)};
    m_baseIndices = {0, 1, 2, 0, 2, 3};
    m_baseAttributes = {0, 0};
    m_vertexTextureRecords.clear();
    for (const MeshVertex& vertex : m_baseVertices) {
        m_vertexTextureRecords.push_back({0, vertex.u, vertex.v});
    }
    m_meshVertices = m_baseVertices;
    m_meshIndices = m_baseIndices;
    m_meshAttributes = m_baseAttributes;
}

int CPhotoObject::BuildMesh() {
    BuildQuadGeometry();
    if (RebuildD3DMesh() == 0) {
        return 0;
    }
    std::unique_ptr<gfx::Mesh> plain;
    if (gfx::Failed(m_mesh->Clone(m_mesh->GetOptions(), kMeshVertexFvf, m_device, &plain))) {
        plain.reset();
    }
    SetSecondMesh(std::move(plain));

    ResizeMaterials(1);
    m_basePartCount = 1;
    m_refinementTriangles.assign(1, {});
    m_refinementVertexRanges.assign(1, {});
    m_cutVertexRanges.assign(1, {});
    m_splitRecords.assign(1, {});
    m_cellParts.assign(1, {});
    m_allocatedPartCount = 1;
    ComputeExtents();
    m_extent[1] = kDepth;
    m_refineRecords.assign(1, {0, 4});
    m_mappingRecords.assign(1, {});
    m_materials[0].diffuse.a = kPhotoAlpha;
    return 1;
}

void CPhotoObject::SetPictureSize(float width, float height) {
    m_realSize[0] = width;
    m_realSize[2] = height;
    m_scale[0] = width / m_extent[0];
    m_scale[1] = height / m_extent[2];
}

std::array<double, 2> CPhotoObject::GetPictureSize() const {
    return {m_realSize[0], m_realSize[2]};
}

CIntBoundingBox2D CPhotoObject::GetBoundingBox() const {
    if (m_cameraAttached != 0) {
        return {};
    }
    return C3DObject::GetBoundingBox();
}

std::string CPhotoObject::GetTextureFolder() const {
    return GetDocumentServices().GetPictureFolder();
}

std::string CPhotoObject::GetTextureKey(const std::string& path) {
    return GetPathFileName(path);
}

void CPhotoObject::FillLibraryRecord(CostItemRecord& item) const {
    item = CostItemRecord{};
    if (!m_name.empty()) {
        item.name = m_name;
    }
    item.unitPrice = m_price;
    if (std::unique_ptr<CCatalogDatabase> catalogue = CreateCatalogDatabase()) {
        catalogue->LookupPictureCostInfo(GetPathFileName(m_filePath), item);
    }
}

void CPhotoObject::RebuildPlanIcon() {
    auto icon = std::make_unique<C2DPhotoIconShape>();
    icon->LoadSymbolFile(GetProgramFilePath("2DIcon\\100-1.dxf"));
    icon->SetAngle(m_heading);
    icon->SetPosition(m_position[0], m_position[2]);
    const int width = RoundToInt(m_realSize[0]);
    icon->SetSize(width, width);
    icon->SetLevelHeight(m_position[1]);
    icon->SetColor(m_color);
    SetPlanIcon(std::move(icon));
}

void CPhotoObject::Draw(draw::DrawContext& dc, int rop2) const {
    if (m_planSymbolShown == 0 || !m_planIcon) {
        return;
    }
    if (m_planOutlineShown == 0) {
        m_planIcon->Draw(dc, draw::R2_COPYPEN);
        return;
    }
    const draw::COLORREF colour =
        IsSelected() != 0 && !dc.IsPrinting() ? draw::Rgb(255, 0, 0) : m_color;
    const PlanDrawOrigin origin = GetDocumentServices().GetPlanDrawOrigin(dc);
    CDCStateSaver saver(dc);
    saver.SelectPen(draw::Pen::Create(draw::PS_SOLID, 0, colour));
    saver.SetROP2(rop2);

    const CVector2D m = m_planIcon->GetPosition() - CVector2D(origin.x, origin.y);
    const double angle = -m_planIcon->GetAngle();
    const double halfWidth = m_planIcon->GetWidth() / 2.0;
    const CVector2D h(halfWidth * std::cos(angle), halfWidth * std::sin(angle));
    const CVector2D a = m - h;
    const CVector2D b = m + h;
    const auto line = [&dc](const CVector2D& from, const CVector2D& to) {
        dc.MoveTo(RoundToInt(from.x), RoundToInt(from.y));
        dc.LineTo(RoundToInt(to.x), RoundToInt(to.y));
    };
    line(a, b);
    const double length = std::hypot(h.x, h.y);
    if (m_elevation == 0.0f || length == 0.0) {
        return;
    }
    // The tilted picture's footprint reaches out along the line's normal.
    const double reach = m_realSize[2] * std::sin(m_elevation) / length;
    const CVector2D d(-h.y * reach, h.x * reach);
    line(a + d, b + d);
    line(a, a + d);
    line(b, b + d);
}

void CPhotoObject::PushUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list, int value,
                                    int groupCount, int type) {
    PushSnapshotRecord(list, value, groupCount, type, std::make_unique<CPhotoSnapshot>(*this));
}

void CPhotoObject::CommitUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list,
                                      std::unique_ptr<HistoryRecord> record, int groupCount) {
    CommitSnapshotRecord(list, std::move(record), groupCount,
                         std::make_unique<CPhotoSnapshot>(*this));
}

void CPhotoObject::RestoreTransformFromSnapshot(const CObjectSnapshot& snapshot) {
    CWallObject::RestoreTransformFromSnapshot(snapshot);
    if (const auto* photo = dynamic_cast<const CPhotoSnapshot*>(&snapshot)) {
        m_facingViewer = photo->facingViewer;
    }
}

int GetPictureMapKind(const std::string& path) {
    if (FolderContains(path, "光圖")) {
        return 1;
    }
    return FolderContains(path, "A02陰影圖") ? 2 : 0;
}

int IsPlainPicture(const std::string& path) {
    for (const char* folder : {"光圖", "A02陰影圖", "窗簾", "地毯", "地磚"}) {
        if (FolderContains(path, folder)) {
            return 0;
        }
    }
    return 1;
}
