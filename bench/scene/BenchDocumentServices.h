#pragma once

// The document services of a benchmark: there is always an open design, so
// 3D objects draw, and their undo records go to the document given.

#include <memory>
#include <string>
#include <string_view>

#include "objects/DocumentServices.h"

class CHousDoc;

class CBenchDocumentServices final : public IDocumentServices {
public:
    // Installs itself for its lifetime; doc may be null when nothing records.
    explicit CBenchDocumentServices(CHousDoc* doc = nullptr);
    ~CBenchDocumentServices() override;
    CBenchDocumentServices(const CBenchDocumentServices&) = delete;
    CBenchDocumentServices& operator=(const CBenchDocumentServices&) = delete;

    PlanDrawOrigin GetPlanDrawOrigin(const draw::DrawContext& dc) const override;
    bool Get2DViewFullDrawFlag() const override { return true; }
    draw::COLORREF GetPlanColor(PlanColorSetting /*setting*/) const override { return 0; }
    std::string Get2DIconFolder() const override { return {}; }
    void AddMissingFile(std::string_view /*path*/) override {}
    bool HasActiveDocument() const override { return true; }
    void PushUndoRecord(std::unique_ptr<HistoryRecord> record) override;

private:
    CHousDoc* m_doc;
    IDocumentServices* m_previous;
};
