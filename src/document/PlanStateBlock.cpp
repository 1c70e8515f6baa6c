#include "document/PlanStateBlock.h"

#include "document/DesignFileFields.h"

namespace {

namespace F = DesignFileFields;

constexpr std::size_t kMusic = 0;
constexpr std::size_t kMusicField = PlanStateBlock::kMusicBytes + 1;
constexpr std::size_t kRulerShow = 100;
constexpr std::size_t kZoomIndex = 104;
constexpr std::size_t kExtent = 108;
constexpr std::size_t kOrigin = 116;
constexpr std::size_t kGroundSize = 124;

static_assert(kMusic + kMusicField == kRulerShow);
static_assert(kGroundSize + 8 == PlanStateBlock::kSize);

}  // namespace

PlanStateBlockBytes EncodePlanStateBlock(const PlanStateBlock& block) {
    PlanStateBlockBytes bytes{};
    F::PutStoredPath(std::span(bytes).subspan(kMusic, kMusicField), block.music);
    F::PutInt32(bytes, kRulerShow, block.rulerShow);
    F::PutInt32(bytes, kZoomIndex, block.zoomIndex);
    F::PutInt32(bytes, kExtent, block.extentX);
    F::PutInt32(bytes, kExtent + 4, block.extentY);
    F::PutInt32(bytes, kOrigin, block.originX);
    F::PutInt32(bytes, kOrigin + 4, block.originY);
    F::PutInt32(bytes, kGroundSize, block.length);
    F::PutInt32(bytes, kGroundSize + 4, block.width);
    return bytes;
}

PlanStateBlock DecodePlanStateBlock(std::span<const uint8_t, PlanStateBlock::kSize> bytes) {
    PlanStateBlock block;
    block.music = F::GetStoredPath(bytes.subspan(kMusic, kMusicField));
    block.rulerShow = F::GetInt32(bytes, kRulerShow);
    block.zoomIndex = F::GetInt32(bytes, kZoomIndex);
    block.extentX = F::GetInt32(bytes, kExtent);
    block.extentY = F::GetInt32(bytes, kExtent + 4);
    block.originX = F::GetInt32(bytes, kOrigin);
    block.originY = F::GetInt32(bytes, kOrigin + 4);
    block.length = F::GetInt32(bytes, kGroundSize);
    block.width = F::GetInt32(bytes, kGroundSize + 4);
    return block;
}
