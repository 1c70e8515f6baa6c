#include "objects/ModelObject.h"

#include "foundation/GeometryMath.h"
#include "foundation/PathUtils.h"
#include "objects/2DPictureShape.h"
#include "objects/CatalogDatabase.h"
#include "objects/CostItemRecord.h"
#include "objects/DocumentServices.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/draw/DrawContext.h"

namespace {

// The catalogue key drops the extension with its dot.
constexpr std::size_t kExtensionLength = 4;

}  // namespace

CModelObject::CModelObject() {
    m_type = kModelObjectType;
    m_color = GetDocumentServices().GetPlanColor(PlanColorSetting::Furniture);
}

CModelObject::CModelObject(const CModelObject& other) : C3DObject(other) {
    m_mesh = CloneMesh(other.m_mesh.get());
}

CModelObject::~CModelObject() = default;

std::unique_ptr<CDesignObject> CModelObject::Clone() const {
    return std::make_unique<CModelObject>(*this);
}

void CModelObject::SetNumber(int number) {
    m_number = number;
}

void CModelObject::Draw(draw::DrawContext& dc, int rop2) const {
    if (m_planSymbolShown == 0) {
        return;
    }
    if (m_planOutlineShown == 0) {
        if (m_planIcon) {
            m_planIcon->Draw(dc, rop2);
        }
        return;
    }
    DrawPlanOutline(dc, rop2);
}

void CModelObject::PushUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list, int value,
                                    int groupCount, int type) {
    PushSnapshotRecord(list, value, groupCount, type, std::make_unique<CModelSnapshot>(*this));
}

void CModelObject::CommitUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list,
                                      std::unique_ptr<HistoryRecord> record, int groupCount) {
    CommitSnapshotRecord(list, std::move(record), groupCount,
                         std::make_unique<CModelSnapshot>(*this));
}

std::string CModelObject::GetCostKey(const std::string& path) {
    std::string name = GetPathFileName(path);
    name.resize(name.size() > kExtensionLength ? name.size() - kExtensionLength : 0);
    return name;
}

void CModelObject::FillLibraryRecord(CostItemRecord& item) const {
    if (!m_name.empty()) {
        item.name = m_name;
    }
    item.unitPrice = m_price;
    if (std::unique_ptr<CCatalogDatabase> catalogue = CreateCatalogDatabase()) {
        catalogue->LookupModelCostInfo(GetCostKey(m_filePath), item);
    }
}
