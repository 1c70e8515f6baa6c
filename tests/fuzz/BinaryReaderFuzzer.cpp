// The design file's strings and blocks, in an order the input chooses: each
// step is one byte naming the read, then what that read takes.
#include <stdio.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/BinaryReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    std::unique_ptr<FILE, int (*)(FILE*)> file(
        fmemopen(const_cast<std::uint8_t*>(data), size, "rb"), &fclose);
    if (!file) {
        return 0;
    }
    CBinaryReader reader(file.get());
    while (!reader.HasError()) {
        std::string text;
        std::vector<std::uint8_t> block;
        switch (reader.ReadByte() % 4) {
            case 0:
                reader.ReadString(text);
                break;
            case 1:
                reader.ReadChars(text, static_cast<std::uint32_t>(reader.ReadInt()));
                break;
            case 2:
                reader.ReadBlock(text, reader.ReadInt());
                break;
            default:
                reader.ReadBlock(block, reader.ReadInt());
                break;
        }
    }
    return 0;
}
