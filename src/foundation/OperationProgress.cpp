#include "foundation/OperationProgress.h"

#include <utility>

namespace {

ProgressWindowFactory& CurrentFactory() {
    static ProgressWindowFactory factory;
    return factory;
}

class CSilentProgress : public IOperationProgress {
public:
    void StepIt() override {}
};

}  // namespace

std::unique_ptr<IOperationProgress> OpenProgressWindow(const ProgressRequest& request) {
    if (const ProgressWindowFactory& factory = CurrentFactory()) {
        if (std::unique_ptr<IOperationProgress> window = factory(request)) {
            return window;
        }
    }
    return std::make_unique<CSilentProgress>();
}

void SetProgressWindowFactory(ProgressWindowFactory factory) {
    CurrentFactory() = std::move(factory);
}

CScopedProgressWindowFactory::CScopedProgressWindowFactory(ProgressWindowFactory factory)
    : m_previous(std::exchange(CurrentFactory(), std::move(factory))) {}

CScopedProgressWindowFactory::~CScopedProgressWindowFactory() {
    CurrentFactory() = std::move(m_previous);
}
