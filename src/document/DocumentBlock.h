#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "document/BaseDrawingReference.h"
#include "document/DesignFileView.h"

// The 968-byte block after the plan-state block (from version 6.02): the
// document's base drawing and title frame, the shadow colour and the
// scene's mirror tolerance.
struct DocumentBlock {
    static constexpr std::size_t kSize = 968;
    static constexpr std::size_t kNameBytes = 99;

    BaseDrawingReference baseDrawing;
    std::string titleFrameFile;
    ShadowColor shadowColor{};
    int32_t mirrorTolerance = 0;

    bool operator==(const DocumentBlock&) const = default;
};

using DocumentBlockBytes = std::array<uint8_t, DocumentBlock::kSize>;

// Every byte no field covers is zero, the reserved int at 228 included.
DocumentBlockBytes EncodeDocumentBlock(const DocumentBlock& block);
DocumentBlock DecodeDocumentBlock(std::span<const uint8_t, DocumentBlock::kSize> bytes);
