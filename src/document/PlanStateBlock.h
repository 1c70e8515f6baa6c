#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// The 132-byte block after the header (from version 6.02): the background
// music and the state of the plan.
struct PlanStateBlock {
    static constexpr std::size_t kSize = 132;
    static constexpr std::size_t kMusicBytes = 99;

    std::string music;      // MUSIC
    int32_t rulerShow = 0;  // RULER_SHOW
    // The plan zoom combo's selection, 0..31 (-1: none). The plan fields
    // below apply only from 1 on.
    int32_t zoomIndex = 0;
    int32_t extentX = 0;  // the plan extent, drawing units
    int32_t extentY = 0;
    int32_t originX = 0;  // the plan view origin
    int32_t originY = 0;
    int32_t length = 0;  // LENGTH and WIDTH, centimetres
    int32_t width = 0;

    bool operator==(const PlanStateBlock&) const = default;
};

using PlanStateBlockBytes = std::array<uint8_t, PlanStateBlock::kSize>;

// Every byte no field covers is zero.
PlanStateBlockBytes EncodePlanStateBlock(const PlanStateBlock& block);
PlanStateBlock DecodePlanStateBlock(std::span<const uint8_t, PlanStateBlock::kSize> bytes);
