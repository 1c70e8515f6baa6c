#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "foundation/Result.h"

namespace pfs {
class AtomicFileWriter;
}

// Writes the primitive values of the design file: little-endian 32-bit ints,
// floats and doubles, length-prefixed CP950 strings and zero padding. The
// caller owns the sink. Every failure is remembered, so a save can check
// HasError() once before it commits the file.
class CBinaryWriter {
public:
    explicit CBinaryWriter(FILE* file);
    explicit CBinaryWriter(pfs::AtomicFileWriter& sink);

    CBinaryWriter(const CBinaryWriter&) = delete;
    CBinaryWriter& operator=(const CBinaryWriter&) = delete;

    // n zero bytes; nothing for n < 1.
    HRESULT WriteZeros(int n);

    // The int byte count of the text's CP950 form, then those bytes without a
    // terminating zero; an empty text is the int 0 alone. A text with no CP950
    // form, or holding a zero byte, would not read back as written: nothing is
    // written and the writer fails.
    HRESULT WriteString(std::string_view utf8);

    HRESULT WriteByte(uint8_t value);
    HRESULT WriteInt(int32_t value);
    HRESULT WriteFloat(float value);
    HRESULT WriteDouble(double value);
    HRESULT WriteBytes(const void* data, std::size_t size);

    // Pushes buffered bytes of a FILE* sink to the file, so that a full disk
    // shows up here rather than at the caller's fclose.
    HRESULT Flush();

    // True once any write has failed.
    bool HasError() const;

private:
    FILE* m_file = nullptr;
    pfs::AtomicFileWriter* m_sink = nullptr;
    bool m_error = false;
};
