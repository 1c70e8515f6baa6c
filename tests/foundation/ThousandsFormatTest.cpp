#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "foundation/ThousandsFormat.h"

namespace {

TEST(FormatThousands, CommaBeforeEveryGroupOfThreeButNotInFront) {
    struct Case {
        long value;
        std::string text;
    };
    const Case cases[] = {
        {0, "0"},
        {999, "999"},
        {1000, "1,000"},
        {100000, "100,000"},
        {1234567, "1,234,567"},
        {LONG_MAX, "9,223,372,036,854,775,807"},
        {-999, "-999"},
        {-1234, "-1,234"},
        {-123456, "-123,456"},
        {LONG_MIN, "-9,223,372,036,854,775,808"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatThousands(c.value), c.text) << c.value;
    }
}

}  // namespace
