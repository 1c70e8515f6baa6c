#include "platform/text/Cp950.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "support/ResourceUse.h"

namespace {

using namespace std::string_literals;

struct EncodingCase {
    std::string utf8;
    std::string cp950;
};

// Test names stay ASCII: a case shows as its CP950 bytes in hex.
std::string Hex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex = bytes.empty() ? "empty" : "";
    for (unsigned char b : bytes) {
        hex += kDigits[b >> 4];
        hex += kDigits[b & 15];
    }
    return hex;
}

void PrintTo(const EncodingCase& c, std::ostream* os) {
    *os << Hex(c.cp950);
}

class Cp950Encoding : public testing::TestWithParam<EncodingCase> {};

TEST_P(Cp950Encoding, EncodesToExpectedBytesAndDecodesBack) {
    const EncodingCase& c = GetParam();
    EXPECT_EQ(text::Utf8ToCp950(c.utf8), c.cp950);
    EXPECT_EQ(text::Cp950ToUtf8(c.cp950), c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Cp950Encoding,
    testing::Values(EncodingCase{"", ""}, EncodingCase{"Wall\\a~b", "Wall\\a~b"},
                    EncodingCase{"室內設計", "\xAB\xC7\xA4\xBA\xB3\x5D\xAD\x70"},
                    EncodingCase{"牆-1", "\xC0\xF0-1"},
                    // Trail bytes that are an ASCII backslash.
                    EncodingCase{"許", "\xB3\x5C"}, EncodingCase{"功", "\xA5\x5C"},
                    EncodingCase{"C:\\許\\功.x", "C:\\\xB3\x5C\\\xA5\x5C.x"},
                    EncodingCase{"　", "\xA1\x40"}, EncodingCase{"€", "\xA3\xE1"},
                    EncodingCase{"a\0b"s, "a\0b"s}));

TEST(Cp950, LongTextRoundTrips) {
    std::string utf8;
    for (int i = 0; i < 2000; ++i) {
        utf8 += "室內設計許功a\\";
    }
    const std::optional<std::string> cp950 = text::Utf8ToCp950(utf8);
    ASSERT_TRUE(cp950);
    EXPECT_EQ(cp950->size(), 2000u * 14);
    EXPECT_EQ(text::Cp950ToUtf8(*cp950), utf8);
    EXPECT_EQ(text::Cp950ToUtf8Lenient(*cp950), utf8);
}

TEST(Cp950, TextWithoutCp950FormIsRefused) {
    for (std::string_view utf8 : {"😀", "牆😀", "𠀋", "許•", "¢"}) {
        EXPECT_EQ(text::Utf8ToCp950(utf8), std::nullopt) << utf8;
        EXPECT_EQ(text::Cp950Length(utf8), std::nullopt) << utf8;
        EXPECT_FALSE(text::FitsInCp950Bytes(utf8, 100)) << utf8;
        EXPECT_EQ(text::TruncateToCp950Bytes(utf8, 100), std::nullopt) << utf8;
    }
}

TEST(Cp950, MalformedUtf8IsRefused) {
    // Stray continuation byte, bad continuation, overlong slash, surrogate, cut
    // three-byte sequence, byte that never occurs in UTF-8.
    for (std::string_view utf8 :
         {"a\x80", "\xC3\x28", "\xC0\xAF", "\xED\xA0\x80", "\xE8\xA8", "許\xFF"}) {
        EXPECT_EQ(text::Utf8ToCp950(utf8), std::nullopt);
    }
}

TEST(Cp950, InvalidOrIncompleteCp950IsRefused) {
    // Lone lead byte at the end, lead byte followed by a byte that is no trail
    // byte, undefined code, and a byte that never starts a character.
    for (std::string_view cp950 : {"\xB3", "\xB3\x5C\xB3", "\xB3\x0A", "\x81\x40", "a\xFF"}) {
        EXPECT_EQ(text::Cp950ToUtf8(cp950), std::nullopt);
    }
}

TEST(Cp950, LenientDecodeReplacesOnlyTheBadBytes) {
    EXPECT_EQ(text::Cp950ToUtf8Lenient("\xB3\x5C\xFF\xA5\x5C"), "許\uFFFD功");
    EXPECT_EQ(text::Cp950ToUtf8Lenient("ab\xB3"), "ab\uFFFD");
    EXPECT_EQ(text::Cp950ToUtf8Lenient("\xFF\xFF"), "\uFFFD\uFFFD");
    EXPECT_EQ(text::Cp950ToUtf8Lenient("\xB3\x5C\\x"), "許\\x");
}

struct LenientCase {
    std::string cp950;
    std::string utf8;
};

void PrintTo(const LenientCase& c, std::ostream* os) {
    *os << Hex(c.cp950);
}

class Cp950Lenient : public testing::TestWithParam<LenientCase> {};

TEST_P(Cp950Lenient, ReplacesEachByteThatStartsNoCharacter) {
    const LenientCase& c = GetParam();
    EXPECT_EQ(text::Cp950ToUtf8Lenient(c.cp950), c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Mixed, Cp950Lenient,
    testing::Values(LenientCase{"", ""}, LenientCase{"plain", "plain"},
                    // A lead byte whose next byte is no trail byte: only the lead is
                    // replaced, and the next byte starts afresh, even as a lead itself.
                    LenientCase{"\xB3\x0A", "\uFFFD\n"}, LenientCase{"\xB3\x7F", "\uFFFD\x7F"},
                    LenientCase{"\xB3\x30", "\uFFFD0"}, LenientCase{"\xA1?", "\uFFFD?"},
                    LenientCase{"\xB3\xFF", "\uFFFD\uFFFD"}, LenientCase{"\xB3\xB3\x5C", "陶\\"},
                    LenientCase{"ab\xB3", "ab\uFFFD"},
                    // Codes CP950 leaves undefined, and 0x80, which is a character.
                    LenientCase{"\x81\x40", "\uFFFD@"}, LenientCase{"\xFA\x40", "\uFFFD@"},
                    LenientCase{"\xFE\xFE", "\uFFFD\uFFFD"},
                    LenientCase{"a\x80\x80\x0B", "a\xC2\x80\xC2\x80\x0B"},
                    // CP950's additions to Big5 and its private-use codes.
                    LenientCase{"\xA3\xE1", "€"}, LenientCase{"\xF9\xF9", "═"},
                    LenientCase{"\xC8\x40", "\uF7AC"}, LenientCase{"\xC6\xA1", "\uF6B1"},
                    LenientCase{"\xA4\x40\xFF\xA4", "一\uFFFD\uFFFD"},
                    LenientCase{"\xFF\xB3\x5C\x80", "\uFFFD許\xC2\x80"},
                    LenientCase{"a\0\xB3\x5C\0"s, "a\0許\0"s}));

TEST(Cp950, LenientDecodeOfLongTextKeepsEveryPiece) {
    std::string cp950;
    std::string utf8;
    for (int i = 0; i < 3000; ++i) {
        cp950 += "\xAB\xC7\xA4\xBA\xB3\x5D\xAD\x70\xFF\xB3\x5C\x81";
        utf8 += "室內設計\uFFFD許\uFFFD";
    }
    EXPECT_EQ(text::Cp950ToUtf8Lenient(cp950), utf8);
    cp950 += "\xB3";
    EXPECT_EQ(text::Cp950ToUtf8Lenient(cp950), utf8 + "\uFFFD");
}

// A damaged string field can be all bad bytes; each must cost no more than a
// good one.
TEST(Cp950, LenientDecodeOfManyBadBytesTakesLinearTime) {
    const std::size_t count = 640'000;
    std::string decoded;
    const ResourceUse use =
        MeasureResourceUse([&] { decoded = text::Cp950ToUtf8Lenient(std::string(count, '\xFF')); });
    EXPECT_EQ(decoded.size(), count * 3);
    EXPECT_LT(use.seconds, 5.0);
    EXPECT_LT(use.peakGrowthBytes, std::int64_t{64} << 20);
}

TEST(Cp950, LengthCountsCp950Bytes) {
    EXPECT_EQ(text::Cp950Length("許a"), 3u);
    EXPECT_EQ(text::Cp950Length("室內設計.x"), 10u);
    EXPECT_EQ(text::Cp950Length(""), 0u);
}

TEST(Cp950, FitsAtTheByteLimitAndNotOneBelow) {
    EXPECT_TRUE(text::FitsInCp950Bytes("許a", 3));
    EXPECT_FALSE(text::FitsInCp950Bytes("許a", 2));
    EXPECT_TRUE(text::FitsInCp950Bytes("", 0));
}

struct TruncateCase {
    std::string_view utf8;
    std::size_t maxBytes;
    std::string_view expected;
};

void PrintTo(const TruncateCase& c, std::ostream* os) {
    *os << Hex(text::Utf8ToCp950(c.utf8).value_or("?")) << "_max" << c.maxBytes;
}

class Cp950Truncate : public testing::TestWithParam<TruncateCase> {};

TEST_P(Cp950Truncate, CutsOnCharacterBoundary) {
    const TruncateCase& c = GetParam();
    EXPECT_EQ(text::TruncateToCp950Bytes(c.utf8, c.maxBytes), std::string(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Texts, Cp950Truncate,
                         testing::Values(TruncateCase{"許許", 3, "許"},
                                         TruncateCase{"許許", 4, "許許"},
                                         TruncateCase{"a許", 2, "a"}, TruncateCase{"許", 1, ""},
                                         TruncateCase{"abc", 0, ""},
                                         TruncateCase{"牆-1許", 4, "牆-1"},
                                         TruncateCase{"室內設計", 100, "室內設計"}));

}  // namespace
