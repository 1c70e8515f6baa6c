#include "foundation/EditValidation.h"
#include "foundation/TextFormat.h"

#include <gtest/gtest.h>
#include <locale.h>

namespace {

TEST(FormatNumberText, DropsTheDecimalOnlyForWholeNumbers) {
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {3.0, "3"},   {2.4, "2.4"}, {-0.5, "-0.5"}, {2.96, "3.0"},
        {-7.0, "-7"}, {0.0, "0"},   {0.04, "0.0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatNumberText(c.value), c.expected) << c.value;
    }
}

TEST(FormatPriceText, AskForThePriceUnlessAboveZero) {
    EXPECT_EQ(FormatPriceText(12.5), "價格:$12.50元");
    EXPECT_EQ(FormatPriceText(0.004), "價格:$0.00元");
    EXPECT_EQ(FormatPriceText(0.0), "價格:請洽詢廠商");
    EXPECT_EQ(FormatPriceText(-3.0), "價格:請洽詢廠商");
}

TEST(FormatString, FormatsLongTextsWhole) {
    std::string word(5000, 'x');
    EXPECT_EQ(FormatString("%s-%d", word.c_str(), 42), word + "-42");
    EXPECT_EQ(FormatString("%s", ""), "");
}

TEST(CLocaleNumbers, KeepTheDecimalPointInACommaLocale) {
    locale_t german = newlocale(LC_ALL_MASK, "de_DE.UTF-8", locale_t{});
    if (german == locale_t{}) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    locale_t previous = uselocale(german);
    std::string formatted = FormatString("%.2f", 1.5);
    std::string number = FormatNumberText(2.4);
    float parsed = ParseFloatText("0.5");
    uselocale(previous);
    freelocale(german);
    EXPECT_EQ(formatted, "1.50");
    EXPECT_EQ(number, "2.4");
    EXPECT_EQ(parsed, 0.5f);
}

}  // namespace
