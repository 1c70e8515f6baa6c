#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

// Records of the design file laid out byte by byte in a test, from the
// published offsets, without the program's own writers.
class DesignFileBytes {
public:
    explicit DesignFileBytes(std::size_t size) : m_bytes(size, '\0') {}

    DesignFileBytes& Int(std::size_t offset, uint32_t value) {
        for (std::size_t i = 0; i < 4; ++i) {
            m_bytes.at(offset + i) = static_cast<char>((value >> (8 * i)) & 0xFF);
        }
        return *this;
    }
    DesignFileBytes& Float(std::size_t offset, float value) {
        return Int(offset, std::bit_cast<uint32_t>(value));
    }
    DesignFileBytes& Floats(std::size_t offset, std::initializer_list<float> values) {
        for (float value : values) {
            Float(offset, value);
            offset += 4;
        }
        return *this;
    }
    DesignFileBytes& Double(std::size_t offset, double value) {
        const auto bits = std::bit_cast<uint64_t>(value);
        Int(offset, static_cast<uint32_t>(bits));
        return Int(offset + 4, static_cast<uint32_t>(bits >> 32));
    }
    DesignFileBytes& Byte(std::size_t offset, uint8_t value) {
        m_bytes.at(offset) = static_cast<char>(value);
        return *this;
    }
    // Raw bytes, CP950 text included.
    DesignFileBytes& Raw(std::size_t offset, std::string_view bytes) {
        m_bytes.replace(offset, bytes.size(), bytes);
        return *this;
    }

    const std::string& Str() const { return m_bytes; }
    template <std::size_t N>
    std::span<const uint8_t, N> Span() const {
        return std::span<const uint8_t, N>(reinterpret_cast<const uint8_t*>(m_bytes.data()), N);
    }

private:
    std::string m_bytes;
};
