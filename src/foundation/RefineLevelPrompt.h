#pragma once

#include <functional>
#include <optional>

// The question how finely a face is refined, asked with the face's size in
// centimetres: the shell answers with its level dialog, tests answer
// themselves. Without a handler the question is answered with Cancel, which
// changes nothing.

// The chosen level, or nothing when the user cancelled.
using RefineLevelHandler = std::function<std::optional<int>(int faceWidth, int faceHeight)>;

std::optional<int> AskRefineLevel(int faceWidth, int faceHeight);

void SetRefineLevelHandler(RefineLevelHandler handler);

// Installs a handler for the lifetime of a scope, restoring the previous one
// afterwards.
class CScopedRefineLevelHandler {
public:
    explicit CScopedRefineLevelHandler(RefineLevelHandler handler);
    ~CScopedRefineLevelHandler();
    CScopedRefineLevelHandler(const CScopedRefineLevelHandler&) = delete;
    CScopedRefineLevelHandler& operator=(const CScopedRefineLevelHandler&) = delete;

private:
    RefineLevelHandler m_previous;
};
