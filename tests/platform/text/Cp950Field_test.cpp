#include "platform/text/Cp950Field.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;
using text::FieldEnd;

TEST(Cp950Field, ReadStopsAtFirstZeroOrAtWidth) {
    EXPECT_EQ(text::DecodeFixedField("\xB3\x5C"
                                     "a\0garbage"s),
              "許a");
    EXPECT_EQ(text::DecodeFixedField("\xB3\x5C\xA5\x5C"), "許功");
    EXPECT_EQ(text::DecodeFixedField("\0\xFF"s), "");
    EXPECT_EQ(text::FixedFieldBytes("ab\0\0"s), "ab");
}

TEST(Cp950Field, ReadOfDamagedBytesFails) {
    EXPECT_EQ(text::DecodeFixedField("ab\xB3\0"s), std::nullopt);
}

TEST(Cp950Field, WritePadsWithZeroBytes) {
    EXPECT_EQ(text::EncodeFixedField("許a", 6, FieldEnd::kNulTerminated),
              "\xB3\x5C"
              "a\0\0\0"s);
    EXPECT_EQ(text::EncodeFixedField("", 3, FieldEnd::kNulTerminated), "\0\0\0"s);
}

TEST(Cp950Field, TextMayFillTheFieldOnlyWhenNoTerminatorIsNeeded) {
    EXPECT_EQ(text::EncodeFixedField("許a", 3, FieldEnd::kMayFill),
              "\xB3\x5C"
              "a");
    EXPECT_EQ(text::EncodeFixedField("許a", 3, FieldEnd::kNulTerminated), std::nullopt);
    EXPECT_EQ(text::EncodeFixedField("許a", 2, FieldEnd::kMayFill), std::nullopt);
}

TEST(Cp950Field, WriteRefusesTextThatWouldNotReadBack) {
    EXPECT_EQ(text::EncodeFixedField("😀", 10, FieldEnd::kMayFill), std::nullopt);
    EXPECT_EQ(text::EncodeFixedField("a\0b"s, 10, FieldEnd::kMayFill), std::nullopt);
}

TEST(Cp950Field, WrittenFieldReadsBack) {
    const std::optional<std::string> field =
        text::EncodeFixedField("C:\\許\\功.x", 100, FieldEnd::kNulTerminated);
    ASSERT_TRUE(field);
    EXPECT_EQ(field->size(), 100u);
    EXPECT_EQ(text::DecodeFixedField(*field), "C:\\許\\功.x");
}

}  // namespace
