#include "objects/DocumentServices.h"

#include "foundation/ApplicationValues.h"
#include "objects/HistoryRecord.h"

namespace {

class CDefaultDocumentServices final : public IDocumentServices {
public:
    PlanDrawOrigin GetPlanDrawOrigin(const draw::DrawContext& /*dc*/) const override {
        return PlanDrawOrigin{0, 0, 100};
    }
    bool Get2DViewFullDrawFlag() const override { return true; }
    draw::COLORREF GetPlanColor(PlanColorSetting /*setting*/) const override { return 0; }
    std::string Get2DIconFolder() const override { return GetProgramFilePath("2Dicon"); }
    void AddMissingFile(std::string_view /*path*/) override {}
};

CDefaultDocumentServices g_defaultServices;
IDocumentServices* g_services = nullptr;

}  // namespace

std::string IDocumentServices::GetTextureFolder() const {
    return GetProgramFilePath("STexture");
}

std::string IDocumentServices::GetPictureFolder() const {
    return GetProgramFilePath("STPicture");
}

void IDocumentServices::PushUndoRecord(std::unique_ptr<HistoryRecord> /*record*/) {}

IDocumentServices& GetDocumentServices() {
    return g_services != nullptr ? *g_services : g_defaultServices;
}

IDocumentServices* SetDocumentServices(IDocumentServices* services) {
    IDocumentServices* previous = g_services;
    g_services = services;
    return previous;
}
