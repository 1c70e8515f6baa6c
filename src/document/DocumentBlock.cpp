#include "document/DocumentBlock.h"

#include "document/DesignFileFields.h"

namespace {

namespace F = DesignFileFields;

constexpr std::size_t kNameField = DocumentBlock::kNameBytes + 1;
constexpr std::size_t kBaseDrawingFile = 0;
constexpr std::size_t kBaseDrawingValue = 100;
constexpr std::size_t kBaseDrawingWords = 104;
constexpr std::size_t kTitleFrameFile = 112;
constexpr std::size_t kShadowColor = 212;
constexpr std::size_t kMirrorTolerance = 232;  // after a reserved int at 228

static_assert(kBaseDrawingFile + kNameField == kBaseDrawingValue);
static_assert(kTitleFrameFile + kNameField == kShadowColor);
static_assert(kShadowColor + 4 * 4 + 4 == kMirrorTolerance);

}  // namespace

DocumentBlockBytes EncodeDocumentBlock(const DocumentBlock& block) {
    DocumentBlockBytes bytes{};
    F::PutStoredPath(std::span(bytes).subspan(kBaseDrawingFile, kNameField),
                     block.baseDrawing.fileName);
    F::PutFloat(bytes, kBaseDrawingValue, block.baseDrawing.value);
    F::PutUInt32(bytes, kBaseDrawingWords, block.baseDrawing.words[0]);
    F::PutUInt32(bytes, kBaseDrawingWords + 4, block.baseDrawing.words[1]);
    F::PutStoredPath(std::span(bytes).subspan(kTitleFrameFile, kNameField), block.titleFrameFile);
    for (std::size_t i = 0; i < block.shadowColor.size(); ++i) {
        F::PutFloat(bytes, kShadowColor + 4 * i, block.shadowColor[i]);
    }
    F::PutInt32(bytes, kMirrorTolerance, block.mirrorTolerance);
    return bytes;
}

DocumentBlock DecodeDocumentBlock(std::span<const uint8_t, DocumentBlock::kSize> bytes) {
    DocumentBlock block;
    block.baseDrawing.fileName = F::GetStoredPath(bytes.subspan(kBaseDrawingFile, kNameField));
    block.baseDrawing.value = F::GetFloat(bytes, kBaseDrawingValue);
    block.baseDrawing.words = {F::GetUInt32(bytes, kBaseDrawingWords),
                               F::GetUInt32(bytes, kBaseDrawingWords + 4)};
    block.titleFrameFile = F::GetStoredPath(bytes.subspan(kTitleFrameFile, kNameField));
    for (std::size_t i = 0; i < block.shadowColor.size(); ++i) {
        block.shadowColor[i] = F::GetFloat(bytes, kShadowColor + 4 * i);
    }
    block.mirrorTolerance = F::GetInt32(bytes, kMirrorTolerance);
    return block;
}
