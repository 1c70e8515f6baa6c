#include "plan2d/CoordInputText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

// The user's locale writes a comma for the decimal point.
class CommaLocale {
public:
    CommaLocale() : m_previous(std::setlocale(LC_ALL, nullptr)) {
        m_active = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
    ~CommaLocale() { std::setlocale(LC_ALL, m_previous.c_str()); }
    bool IsActive() const { return m_active; }

private:
    std::string m_previous;
    bool m_active = false;
};

TEST(CoordInputText, NumbersAreDigitsWithOnePointInEveryLocale) {
    CommaLocale locale;
    ASSERT_TRUE(locale.IsActive());
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    const struct {
        const char* text;
        bool number;
    } cases[] = {
        {"0", true},    {"250", true},    {"12.5", true}, {".5", true},     {"5.", true},
        {"", false},    {".", false},     {"1,5", false}, {"1.2.3", false}, {"-5", false},
        {"1e3", false}, {"1 000", false}, {"+5", false},  {"0x1A", false},  {"１２", false},
        {"inf", false}, {"nan", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsCoordNumber(c.text), c.number) << c.text;
    }
}

TEST(CoordInputText, TypedTextKeepsOneDecimalAndALeadingMinus) {
    CommaLocale locale;
    ASSERT_TRUE(locale.IsActive());
    const struct {
        const char* typed;
        const char* kept;  // null: the text stays
        int selectFrom;
    } cases[] = {
        {"", nullptr, 0},
        {"-", nullptr, 0},
        {"12.3", nullptr, 0},
        {"-5.5", nullptr, 0},
        {"-.5", nullptr, 0},
        {"250", nullptr, 0},
        {"12.34", "12.3", 4},
        {"1-", "1", 1},
        {"-12.34", "-12.3", 4},
        {"1,5", "1", 1},
        {"1.5.", "1.5", 3},
        {"--", "-", 0},
        {"12a", "12", 2},
        {"1e", "1", 1},
        // Pasted text loses its end until what is left is a number.
        {"3.14159", "3.1", 3},
        {"7 kg", "7", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::optional<CoordTextRepair> repair = RepairCoordText(c.typed);
        if (c.kept == nullptr) {
            EXPECT_FALSE(repair.has_value());
            continue;
        }
        ASSERT_TRUE(repair.has_value());
        EXPECT_EQ(repair->text, c.kept);
        EXPECT_EQ(repair->selectFrom, c.selectFrom);
    }
}

TEST(CoordInputText, ShownNumbersIgnoreTheLocale) {
    CommaLocale locale;
    ASSERT_TRUE(locale.IsActive());
    const CoordInputText text = FormatCoordSegment(POINT{1234567, 0}, POINT{0, 0});
    EXPECT_EQ(text.first, "1234567");
    EXPECT_EQ(text.second, "0");
}

}  // namespace
