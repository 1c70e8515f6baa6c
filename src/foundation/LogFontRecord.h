#pragma once

#include <cstddef>
#include <cstdint>

// A font description in the 60-byte layout of the Windows LOGFONTA record,
// which design files store for text notes and 3D text. The face name is
// CP950, zero-terminated.
struct LogFontRecord {
    int32_t height = 0;
    int32_t width = 0;
    int32_t escapement = 0;  // tenths of a degree
    int32_t orientation = 0;
    int32_t weight = 0;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;
    char faceName[32] = {};
};

static_assert(sizeof(LogFontRecord) == 60);
static_assert(offsetof(LogFontRecord, italic) == 20);
static_assert(offsetof(LogFontRecord, faceName) == 28);
