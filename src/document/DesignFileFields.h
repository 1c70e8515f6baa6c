#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/gfx/MathTypes.h"

// Fields of the fixed records at the front of a design file, put into and
// taken from byte buffers at their little-endian offsets, so that no record
// depends on how this machine lays out a struct. Every offset lies inside
// the record; the records' own tables guarantee it.
namespace DesignFileFields {

void PutInt32(std::span<uint8_t> record, std::size_t offset, int32_t value);
void PutUInt32(std::span<uint8_t> record, std::size_t offset, uint32_t value);
void PutFloat(std::span<uint8_t> record, std::size_t offset, float value);
void PutDouble(std::span<uint8_t> record, std::size_t offset, double value);
void PutVector3(std::span<uint8_t> record, std::size_t offset, const gfx::Vector3& value);

[[nodiscard]] int32_t GetInt32(std::span<const uint8_t> record, std::size_t offset);
[[nodiscard]] uint32_t GetUInt32(std::span<const uint8_t> record, std::size_t offset);
[[nodiscard]] float GetFloat(std::span<const uint8_t> record, std::size_t offset);
[[nodiscard]] double GetDouble(std::span<const uint8_t> record, std::size_t offset);
[[nodiscard]] gfx::Vector3 GetVector3(std::span<const uint8_t> record, std::size_t offset);

// A file path into a zeroed text field that keeps a terminating zero. A
// local path is stored as its Z: form in CP950. When that does not fit (a
// Linux path easily exceeds the field) or has no CP950 form, only the file
// name is stored, cut on a character boundary: the reader finds the file
// again by its name under the library folders.
void PutStoredPath(std::span<uint8_t> field, std::string_view path);

// The field's text up to its first zero byte (the whole field when there is
// none); a Z: path becomes the local path, any other name stays as stored.
[[nodiscard]] std::string GetStoredPath(std::span<const uint8_t> field);

// The field's bytes up to the first zero, decoded; bytes that are not CP950
// become U+FFFD.
[[nodiscard]] std::string GetText(std::span<const uint8_t> field);

}  // namespace DesignFileFields
