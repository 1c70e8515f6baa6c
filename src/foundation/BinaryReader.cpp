#include "foundation/BinaryReader.h"

#include <sys/stat.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

#include "platform/fs/RegularFile.h"
#include "platform/text/Cp950.h"

namespace {

template <typename T>
T LoadLittleEndian(const uint8_t* bytes) {
    T value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        value |= static_cast<T>(bytes[i]) << (8 * i);
    }
    return value;
}

}  // namespace

CBinaryReader::CBinaryReader(FILE* file) : m_file(file) {}

CBinaryReader::CBinaryReader(const std::string& path) {
    pfs::Result<pfs::RegularFile> opened = pfs::OpenRegularFile(path, pfs::kBinaryFileLimit);
    if (opened) {
        const auto size = static_cast<int64_t>(opened.Value().Size());
        m_file = opened.Value().ReleaseToStream();
        m_ownsFile = m_file != nullptr;
        // The open measured the file already; no need to ask again.
        if (m_ownsFile) {
            m_regularFileSize = size;
        }
    }
}

CBinaryReader::~CBinaryReader() {
    if (m_ownsFile) {
        std::fclose(m_file);
    }
}

bool CBinaryReader::ReadExactly(void* buffer, std::size_t size) {
    // No other thread reads the stream while the reader does: no lock per
    // value.
    const std::size_t done = m_file != nullptr ? fread_unlocked(buffer, 1, size, m_file) : 0;
    m_position += static_cast<int64_t>(done);
    if (m_file == nullptr || done != size) {
        if (done < size) {
            std::memset(static_cast<uint8_t*>(buffer) + done, 0, size - done);
        }
        m_error = true;
        return false;
    }
    return true;
}

unsigned char CBinaryReader::ReadByte() {
    uint8_t byte;
    return ReadExactly(&byte, 1) ? byte : 0;
}

int32_t CBinaryReader::ReadInt() {
    uint8_t bytes[4];
    if (!ReadExactly(bytes, sizeof(bytes))) {
        return 0;
    }
    return static_cast<int32_t>(LoadLittleEndian<uint32_t>(bytes));
}

float CBinaryReader::ReadFloat() {
    uint8_t bytes[4];
    if (!ReadExactly(bytes, sizeof(bytes))) {
        return 0;
    }
    return std::bit_cast<float>(LoadLittleEndian<uint32_t>(bytes));
}

double CBinaryReader::ReadDouble() {
    uint8_t bytes[8];
    if (!ReadExactly(bytes, sizeof(bytes))) {
        return 0;
    }
    return std::bit_cast<double>(LoadLittleEndian<uint64_t>(bytes));
}

HRESULT CBinaryReader::ReadString(std::string& out) {
    const int32_t length = ReadInt();
    if (length <= 0) {
        return E_UNEXPECTED;
    }
    return ReadChars(out, static_cast<uint32_t>(length));
}

HRESULT CBinaryReader::ReadChars(std::string& out, uint32_t n) {
    const int64_t left = BytesLeft();
    if (left < 0 || n > static_cast<uint64_t>(left)) {
        m_error = true;
        return E_FAIL;
    }
    std::string bytes(n, '\0');
    if (!ReadExactly(bytes.data(), n)) {
        return E_FAIL;
    }
    bytes.resize(std::strlen(bytes.c_str()));
    out = text::Cp950ToUtf8Lenient(bytes);
    return S_OK;
}

HRESULT CBinaryReader::ReadBytes(void* buffer, int n) {
    if (n < 0) {
        m_error = true;
        return E_FAIL;
    }
    return ReadExactly(buffer, static_cast<std::size_t>(n)) ? S_OK : E_FAIL;
}

template <typename Bytes>
HRESULT CBinaryReader::ReadBlockInto(Bytes& out, int32_t length) {
    const int64_t left = BytesLeft();
    if (length < 0 || left < 0 || length > left) {
        m_error = true;
        return E_FAIL;
    }
    Bytes block(static_cast<std::size_t>(length), 0);
    if (length > 0 && !ReadExactly(block.data(), block.size())) {
        return E_FAIL;
    }
    out = std::move(block);
    return S_OK;
}

HRESULT CBinaryReader::ReadBlock(std::vector<uint8_t>& out, int32_t length) {
    return ReadBlockInto(out, length);
}

HRESULT CBinaryReader::ReadBlock(std::string& out, int32_t length) {
    return ReadBlockInto(out, length);
}

int64_t CBinaryReader::BytesLeft() const {
    if (m_file == nullptr) {
        return -1;
    }
    if (m_regularFileSize >= 0) {
        return std::max<int64_t>(0, m_regularFileSize - m_position);
    }
    const long position = std::ftell(m_file);
    if (position < 0) {
        return -1;
    }
    // fstat keeps the stream as it is; a stream without a descriptor
    // (fmemopen) is measured by seeking to its end and back.
    struct stat info;
    const int fd = fileno(m_file);
    if (fd >= 0 && fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        m_regularFileSize = static_cast<int64_t>(info.st_size);
        m_position = position;
        return std::max<int64_t>(0, m_regularFileSize - m_position);
    }
    if (std::fseek(m_file, 0, SEEK_END) != 0) {
        return -1;
    }
    const long end = std::ftell(m_file);
    std::fseek(m_file, position, SEEK_SET);
    return end < 0 ? -1 : std::max<int64_t>(0, end - position);
}
