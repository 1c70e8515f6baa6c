#include "document/DesignFileFields.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <optional>

#include "foundation/PathUtils.h"
#include "platform/fs/StoredPath.h"
#include "platform/text/Cp950.h"
#include "platform/text/Cp950Field.h"

namespace DesignFileFields {

namespace {

template <typename Unsigned>
void PutLittleEndian(std::span<uint8_t> record, std::size_t offset, Unsigned value) {
    assert(offset + sizeof(Unsigned) <= record.size());
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
        record[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

template <typename Unsigned>
Unsigned GetLittleEndian(std::span<const uint8_t> record, std::size_t offset) {
    assert(offset + sizeof(Unsigned) <= record.size());
    Unsigned value = 0;
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
        value |= static_cast<Unsigned>(record[offset + i]) << (8 * i);
    }
    return value;
}

std::string_view AsChars(std::span<const uint8_t> field) {
    return {reinterpret_cast<const char*>(field.data()), field.size()};
}

}  // namespace

void PutInt32(std::span<uint8_t> record, std::size_t offset, int32_t value) {
    PutLittleEndian(record, offset, static_cast<uint32_t>(value));
}

void PutUInt32(std::span<uint8_t> record, std::size_t offset, uint32_t value) {
    PutLittleEndian(record, offset, value);
}

void PutFloat(std::span<uint8_t> record, std::size_t offset, float value) {
    PutLittleEndian(record, offset, std::bit_cast<uint32_t>(value));
}

void PutDouble(std::span<uint8_t> record, std::size_t offset, double value) {
    PutLittleEndian(record, offset, std::bit_cast<uint64_t>(value));
}

void PutVector3(std::span<uint8_t> record, std::size_t offset, const gfx::Vector3& value) {
    PutFloat(record, offset, value.x);
    PutFloat(record, offset + 4, value.y);
    PutFloat(record, offset + 8, value.z);
}

int32_t GetInt32(std::span<const uint8_t> record, std::size_t offset) {
    return static_cast<int32_t>(GetLittleEndian<uint32_t>(record, offset));
}

uint32_t GetUInt32(std::span<const uint8_t> record, std::size_t offset) {
    return GetLittleEndian<uint32_t>(record, offset);
}

float GetFloat(std::span<const uint8_t> record, std::size_t offset) {
    return std::bit_cast<float>(GetLittleEndian<uint32_t>(record, offset));
}

double GetDouble(std::span<const uint8_t> record, std::size_t offset) {
    return std::bit_cast<double>(GetLittleEndian<uint64_t>(record, offset));
}

gfx::Vector3 GetVector3(std::span<const uint8_t> record, std::size_t offset) {
    return {GetFloat(record, offset), GetFloat(record, offset + 4), GetFloat(record, offset + 8)};
}

void PutStoredPath(std::span<uint8_t> field, std::string_view path) {
    assert(!field.empty());
    const std::size_t capacity = field.size() - 1;
    const std::string stored = pfs::ToStoredPath(path);
    std::optional<std::string> bytes = text::Utf8ToCp950(stored);
    if (!bytes || bytes->size() > capacity) {
        const std::optional<std::string> name =
            text::TruncateToCp950Bytes(GetPathFileName(stored), capacity);
        bytes = name ? text::Utf8ToCp950(*name) : std::nullopt;
    }
    if (bytes) {
        std::copy_n(bytes->begin(), std::min(bytes->size(), capacity), field.begin());
    }
}

std::string GetStoredPath(std::span<const uint8_t> field) {
    const std::string name = GetText(field);
    const pfs::MappedPath mapped = pfs::FromStoredPath(name);
    return mapped.kind == pfs::StoredPathKind::Local ? mapped.path : name;
}

std::string GetText(std::span<const uint8_t> field) {
    return text::Cp950ToUtf8Lenient(text::FixedFieldBytes(AsChars(field)));
}

}  // namespace DesignFileFields
