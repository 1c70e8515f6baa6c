#pragma once

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/text/Cp950.h"

// Little-endian fields of a file appended in order, laid out by hand in a
// test without the program's own writers.
class ByteSink {
public:
    ByteSink& Int(int32_t value) {
        for (int i = 0; i < 4; ++i) {
            m_bytes.push_back(static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF));
        }
        return *this;
    }
    ByteSink& Ints(std::initializer_list<int32_t> values) {
        for (const int32_t value : values) {
            Int(value);
        }
        return *this;
    }
    ByteSink& Byte(uint8_t value) {
        m_bytes.push_back(static_cast<char>(value));
        return *this;
    }
    ByteSink& Float(float value) { return Int(std::bit_cast<int32_t>(value)); }
    ByteSink& Floats(std::initializer_list<float> values) {
        for (const float value : values) {
            Float(value);
        }
        return *this;
    }
    ByteSink& Double(double value) {
        const auto bits = std::bit_cast<uint64_t>(value);
        Int(static_cast<int32_t>(bits & 0xFFFFFFFFu));
        return Int(static_cast<int32_t>(bits >> 32));
    }
    ByteSink& Zeros(std::size_t count) {
        m_bytes.append(count, '\0');
        return *this;
    }
    ByteSink& Raw(std::string_view bytes) {
        m_bytes.append(bytes);
        return *this;
    }
    // A stored string: its CP950 byte count, then the bytes.
    ByteSink& Text(std::string_view utf8) {
        const std::string bytes = text::Utf8ToCp950(utf8).value();
        Int(static_cast<int32_t>(bytes.size()));
        return Raw(bytes);
    }
    // A 100-byte name field, zero-filled.
    ByteSink& NameField(std::string_view utf8) {
        const std::string bytes = text::Utf8ToCp950(utf8).value();
        Raw(bytes);
        return Zeros(100 - bytes.size());
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};
