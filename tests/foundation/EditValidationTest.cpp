#include "foundation/EditValidation.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

TEST(ParseIntText, ReadsAsAtoiDoes) {
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"42", 42},
        {"  -17", -17},
        {"+8", 8},
        {"12abc", 12},
        {"3.9", 3},
        {"abc", 0},
        {"", 0},
        {"- 5", 0},
        {"\t\n7", 7},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
        {"-2147483648", INT_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseIntText(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(ParseFloatText, ReadsAsAtofDoesWithAPoint) {
    EXPECT_FLOAT_EQ(ParseFloatText("0.5"), 0.5f);
    EXPECT_FLOAT_EQ(ParseFloatText(" -2.25cm"), -2.25f);
    EXPECT_FLOAT_EQ(ParseFloatText("1e2"), 100.0f);
    EXPECT_EQ(ParseFloatText("abc"), 0.0f);
    EXPECT_EQ(ParseFloatText("1,5"), 1.0f);
    EXPECT_TRUE(std::isinf(ParseFloatText("1e300")));
    EXPECT_LT(ParseFloatText("-1e300"), 0.0f);
}

TEST(CheckIntEdit, RefusalPutsTheCurrentValueBack) {
    IntEditCheck inside = CheckIntEdit("12", 5, 1, 20);
    EXPECT_TRUE(inside.accepted);
    EXPECT_EQ(inside.value, 12);

    IntEditCheck above = CheckIntEdit("21", 5, 1, 20);
    EXPECT_FALSE(above.accepted);
    EXPECT_EQ(above.resetText, "5");

    IntEditCheck below = CheckIntEdit("-3", -7, 1, 20);
    EXPECT_FALSE(below.accepted);
    EXPECT_EQ(below.resetText, "-7");

    EXPECT_TRUE(CheckIntEdit("20", 5, 1, 20).accepted);
    EXPECT_TRUE(CheckIntEdit("1", 5, 1, 20).accepted);
}

TEST(CheckIntEdit, TextWithoutDigitsIsZero) {
    IntEditCheck zeroInRange = CheckIntEdit("abc", 5, 0, 10);
    EXPECT_TRUE(zeroInRange.accepted);
    EXPECT_EQ(zeroInRange.value, 0);
    EXPECT_FALSE(CheckIntEdit("abc", 5, 1, 10).accepted);
}

TEST(CheckFloatEdit, AcceptsTheClosedRangeOnly) {
    EXPECT_EQ(CheckFloatEdit("0.5", 1.0f, 10.0f), std::nullopt);
    EXPECT_EQ(CheckFloatEdit("1", 1.0f, 10.0f), 1.0f);
    EXPECT_EQ(CheckFloatEdit("10", 1.0f, 10.0f), 10.0f);
    EXPECT_EQ(CheckFloatEdit("10.01", 1.0f, 10.0f), std::nullopt);
    EXPECT_EQ(CheckFloatEdit("nan", 0.0f, 10.0f), std::nullopt);
    EXPECT_EQ(CheckFloatEdit("1e300", 0.0f, 10.0f), std::nullopt);
}

TEST(CheckFloatEdit, TextThatIsNoNumberReadsAsZero) {
    EXPECT_EQ(CheckFloatEdit("x", 0.0f, 1.0f), 0.0f);
    EXPECT_EQ(CheckFloatEdit("x", 0.5f, 1.0f), std::nullopt);
}

}  // namespace
