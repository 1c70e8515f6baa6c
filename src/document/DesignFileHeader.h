#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "document/DesignFileVersion.h"
#include "document/DesignFileView.h"

// The 200-byte header that starts every design file.
struct DesignFileHeader {
    static constexpr std::size_t kSize = 200;
    // Characters of the background picture's name the header has room for.
    static constexpr std::size_t kBackgroundFileBytes = 79;

    float version = DesignFileVersion::kCurrent;
    DesignViewState view;
    AmbientBytes ambient{};        // RED, GREEN, BLUE
    float farDistance = 0.0f;      // FAR_SHOW_3D_DISTANCE
    int32_t backgroundColor = 0;   // BG_COLOR
    std::string backgroundFile;    // 3DBGFILENAME
    int32_t backgroundRatio = 0;   // BG_RATIO
    double objectIdCounter = 0.0;  // the scene's last object number

    bool operator==(const DesignFileHeader&) const = default;
};

using DesignFileHeaderBytes = std::array<uint8_t, DesignFileHeader::kSize>;

// Every byte no field covers is zero.
DesignFileHeaderBytes EncodeDesignFileHeader(const DesignFileHeader& header);
DesignFileHeader DecodeDesignFileHeader(std::span<const uint8_t, DesignFileHeader::kSize> bytes);
