#include "objects/TextureMappingRecord.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

namespace {

bool AllZero(const TextureMappingRecord& record) {
    std::array<unsigned char, sizeof(TextureMappingRecord)> bytes;
    std::memcpy(bytes.data(), &record, bytes.size());
    return bytes == decltype(bytes){};
}

TEST(TextureMappingRecordTest, StartsAndClearsToFiftySixZeroBytes) {
    TextureMappingRecord record;
    EXPECT_TRUE(AllZero(record));
    record.offsetU = 1.5f;
    record.flipV = 1;
    record.bumpAmplitude = 0.3f;
    record.seam = {1, 2.0f, 2.0f, 0x808080};
    record.Clear();
    EXPECT_TRUE(AllZero(record));
}

}  // namespace
