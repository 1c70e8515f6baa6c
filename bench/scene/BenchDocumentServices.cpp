#include "BenchDocumentServices.h"

#include "document/HousDoc.h"
#include "objects/HistoryRecord.h"

CBenchDocumentServices::CBenchDocumentServices(CHousDoc* doc)
    : m_doc(doc), m_previous(SetDocumentServices(this)) {}

CBenchDocumentServices::~CBenchDocumentServices() {
    SetDocumentServices(m_previous);
}

PlanDrawOrigin CBenchDocumentServices::GetPlanDrawOrigin(const draw::DrawContext& /*dc*/) const {
    return PlanDrawOrigin{0, 0, 100};
}

void CBenchDocumentServices::PushUndoRecord(std::unique_ptr<HistoryRecord> record) {
    if (m_doc != nullptr) {
        m_doc->PushUndoRecord(std::move(record));
    }
}
