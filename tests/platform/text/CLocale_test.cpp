#include "platform/text/CLocale.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

TEST(CScopedCLocale, NumbersUseThePointInsideAndTheUserLocaleComesBack) {
    locale_t german = newlocale(LC_ALL_MASK, "de_DE.UTF-8", locale_t{});
    if (german == locale_t{}) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    const locale_t previous = uselocale(german);
    char inside[16];
    char after[16];
    {
        const text::CScopedCLocale cLocale;
        std::snprintf(inside, sizeof(inside), "%.1f", 2.5);
    }
    std::snprintf(after, sizeof(after), "%.1f", 2.5);
    const locale_t restored = uselocale(previous);
    freelocale(german);
    EXPECT_STREQ(inside, "2.5");
    EXPECT_STREQ(after, "2,5");
    EXPECT_EQ(restored, german);
}

}  // namespace
