#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

// Little-endian values taken in order from a block of bytes read at once, so
// that a record of many small fields costs one read. The caller sizes the
// block for every value it takes.
class LittleEndianCursor {
public:
    explicit LittleEndianCursor(const uint8_t* bytes) : m_next(bytes) {}

    int32_t Int() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value |= static_cast<uint32_t>(m_next[i]) << (8 * i);
        }
        m_next += 4;
        return static_cast<int32_t>(value);
    }
    float Float() { return std::bit_cast<float>(Int()); }
    double Double() {
        const auto low = static_cast<uint32_t>(Int());
        const auto high = static_cast<uint32_t>(Int());
        return std::bit_cast<double>(static_cast<uint64_t>(high) << 32 | low);
    }
    void Skip(std::size_t count) { m_next += count; }

private:
    const uint8_t* m_next;
};
