#include "foundation/RefineLevelPrompt.h"

#include <utility>

namespace {

RefineLevelHandler& CurrentHandler() {
    static RefineLevelHandler handler;
    return handler;
}

}  // namespace

std::optional<int> AskRefineLevel(int faceWidth, int faceHeight) {
    if (const RefineLevelHandler& handler = CurrentHandler()) {
        return handler(faceWidth, faceHeight);
    }
    return std::nullopt;
}

void SetRefineLevelHandler(RefineLevelHandler handler) {
    CurrentHandler() = std::move(handler);
}

CScopedRefineLevelHandler::CScopedRefineLevelHandler(RefineLevelHandler handler)
    : m_previous(std::exchange(CurrentHandler(), std::move(handler))) {}

CScopedRefineLevelHandler::~CScopedRefineLevelHandler() {
    CurrentHandler() = std::move(m_previous);
}
