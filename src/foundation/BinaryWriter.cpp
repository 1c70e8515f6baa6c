#include "foundation/BinaryWriter.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <optional>
#include <string>

#include "platform/fs/AtomicFileWriter.h"
#include "platform/text/Cp950.h"

namespace {

template <typename T>
void StoreLittleEndian(T value, uint8_t* bytes) {
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

}  // namespace

CBinaryWriter::CBinaryWriter(FILE* file) : m_file(file), m_error(file == nullptr) {}

CBinaryWriter::CBinaryWriter(pfs::AtomicFileWriter& sink) : m_sink(&sink) {}

HRESULT CBinaryWriter::WriteBytes(const void* data, std::size_t size) {
    bool written = false;
    if (m_sink != nullptr) {
        written = m_sink->Write(data, size);
    } else if (m_file != nullptr) {
        written = std::fwrite(data, 1, size, m_file) == size;
    }
    if (!written) {
        m_error = true;
        return E_FAIL;
    }
    return S_OK;
}

HRESULT CBinaryWriter::WriteZeros(int n) {
    static constexpr uint8_t kZeros[256] = {};
    HRESULT result = S_OK;
    for (int left = n; left > 0;) {
        const int chunk = std::min(left, static_cast<int>(sizeof(kZeros)));
        if (FAILED(WriteBytes(kZeros, static_cast<std::size_t>(chunk)))) {
            result = E_FAIL;
        }
        left -= chunk;
    }
    return result;
}

HRESULT CBinaryWriter::WriteString(std::string_view utf8) {
    const std::optional<std::string> bytes = text::Utf8ToCp950(utf8);
    if (!bytes || bytes->find('\0') != std::string::npos ||
        bytes->size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) {
        m_error = true;
        return E_FAIL;
    }
    HRESULT result = WriteInt(static_cast<int32_t>(bytes->size()));
    if (SUCCEEDED(result) && !bytes->empty()) {
        result = WriteBytes(bytes->data(), bytes->size());
    }
    return result;
}

HRESULT CBinaryWriter::WriteByte(uint8_t value) {
    return WriteBytes(&value, 1);
}

HRESULT CBinaryWriter::WriteInt(int32_t value) {
    uint8_t bytes[4];
    StoreLittleEndian(static_cast<uint32_t>(value), bytes);
    return WriteBytes(bytes, sizeof(bytes));
}

HRESULT CBinaryWriter::WriteFloat(float value) {
    uint8_t bytes[4];
    StoreLittleEndian(std::bit_cast<uint32_t>(value), bytes);
    return WriteBytes(bytes, sizeof(bytes));
}

HRESULT CBinaryWriter::WriteDouble(double value) {
    uint8_t bytes[8];
    StoreLittleEndian(std::bit_cast<uint64_t>(value), bytes);
    return WriteBytes(bytes, sizeof(bytes));
}

HRESULT CBinaryWriter::Flush() {
    if (m_file != nullptr && std::fflush(m_file) != 0) {
        m_error = true;
    }
    return HasError() ? E_FAIL : S_OK;
}

bool CBinaryWriter::HasError() const {
    if (m_sink != nullptr && !m_sink->Ok()) {
        return true;
    }
    return m_error || (m_file != nullptr && std::ferror(m_file) != 0);
}
