#pragma once

#include <cstdint>
#include <string>

#include "support/ScopedEnvironment.h"

// Sound files and audio drivers for the sound tests, which never need a sound
// card: SDL's dummy driver plays in real time into nothing, its disk driver
// into a file.

// A 16-bit mono PCM WAV of a square wave at full scale / 2, 22050 samples a
// second.
inline std::string MakeSquareWav(int milliseconds) {
    constexpr std::uint32_t kRate = 22050;
    const std::uint32_t samples = kRate * static_cast<std::uint32_t>(milliseconds) / 1000;
    std::string bytes;
    auto put32 = [&bytes](std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
        }
    };
    auto put16 = [&bytes](std::uint16_t value) {
        bytes.push_back(static_cast<char>(value & 0xFF));
        bytes.push_back(static_cast<char>(value >> 8));
    };
    bytes += "RIFF";
    put32(36 + samples * 2);
    bytes += "WAVEfmt ";
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(kRate);
    put32(kRate * 2);
    put16(2);
    put16(16);
    bytes += "data";
    put32(samples * 2);
    for (std::uint32_t i = 0; i < samples; ++i) {
        put16(static_cast<std::uint16_t>((i / 25) % 2 == 0 ? 16000 : -16000));
    }
    return bytes;
}
