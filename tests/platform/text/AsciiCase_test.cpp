#include "platform/text/AsciiCase.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(AsciiCase, LowersOnlyAsciiLetters) {
    EXPECT_EQ(text::AsciiToLower("2DIcon\\Wall.X"), "2dicon\\wall.x");
    // Bytes from 0x80 up pass through, whatever a locale would make of them.
    const std::string high = "\x80\xA5\xC4\xD6\xDD\xFE\xFF";
    EXPECT_EQ(text::AsciiToLower(high), high);
    EXPECT_EQ(text::AsciiToLower("ÄÉ牆"), "ÄÉ牆");
}

TEST(AsciiCase, EqualsIgnoresAsciiCaseOnly) {
    EXPECT_TRUE(text::EqualsIgnoreAsciiCase("2DIcon", "2Dicon"));
    EXPECT_TRUE(text::EqualsIgnoreAsciiCase("牆.DG6", "牆.dg6"));
    EXPECT_FALSE(text::EqualsIgnoreAsciiCase("Ä", "ä"));
    EXPECT_FALSE(text::EqualsIgnoreAsciiCase("wall", "wall "));
    EXPECT_FALSE(text::EqualsIgnoreAsciiCase("[", "{"));
}

}  // namespace
