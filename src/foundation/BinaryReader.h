#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "foundation/Result.h"

// Reads the primitive values of the design file (see CBinaryWriter). Numeric
// reads past the end yield 0, which the object readers rely on, and raise the
// error flag so that a caller can tell a short file from real zeros. No length
// stored in the file is trusted beyond the bytes that are left.
class CBinaryReader {
public:
    // Reads from the caller's stream, which it leaves open. The stream is
    // the reader's alone while it reads.
    explicit CBinaryReader(FILE* file);
    // Opens the UTF-8 path for reading and closes it at the end. When the open
    // fails, GetFile() is null and every read fails.
    explicit CBinaryReader(const std::string& path);
    ~CBinaryReader();

    CBinaryReader(const CBinaryReader&) = delete;
    CBinaryReader& operator=(const CBinaryReader&) = delete;

    FILE* GetFile() const { return m_file; }

    // A read that comes up short yields 0, even when some of its bytes were
    // there.
    unsigned char ReadByte();
    int32_t ReadInt();
    float ReadFloat();
    double ReadDouble();

    // Reads the int length n. For n <= 0 the result is E_UNEXPECTED and `out`
    // is left as it was: an empty string in a file, not a damage. A length
    // beyond the end of the file is refused with E_FAIL, the error flag set and
    // the stream left just after the length. Otherwise ReadChars(out, n).
    HRESULT ReadString(std::string& out);

    // n CP950 bytes as UTF-8 text that ends at the first zero byte; bytes that
    // are not valid CP950 become U+FFFD. More bytes than are left are refused
    // (E_FAIL, error flag, nothing read, `out` unchanged).
    HRESULT ReadChars(std::string& out, uint32_t n);

    // n raw bytes. A short read zeroes the rest of the buffer and fails.
    HRESULT ReadBytes(void* buffer, int n);

    // A block of the length the file states, read whole into `out`. A negative
    // length, or one beyond the bytes left, is refused before anything is
    // allocated (E_FAIL, error flag, nothing read); on any failure `out` is left
    // as it was.
    HRESULT ReadBlock(std::vector<uint8_t>& out, int32_t length);
    HRESULT ReadBlock(std::string& out, int32_t length);

    // File size minus the read position; -1 when the stream cannot tell.
    int64_t BytesLeft() const;

    // True once a read came up short or a stored length was refused.
    bool HasError() const { return m_error; }
    // Raises the error flag for damage a caller found in what it read, so
    // that the file is refused as one cut short would be.
    void MarkDamaged() { m_error = true; }

private:
    // Reads exactly size bytes into the buffer; what a short read leaves
    // unread is zeroed.
    bool ReadExactly(void* buffer, std::size_t size);

    template <typename Bytes>
    HRESULT ReadBlockInto(Bytes& out, int32_t length);

    FILE* m_file = nullptr;
    bool m_ownsFile = false;
    bool m_error = false;
    // The size of a regular file and the reader's place in it, taken once
    // and then counted: the records ask for the bytes left at every count.
    mutable int64_t m_regularFileSize = -1;
    mutable int64_t m_position = 0;
};
