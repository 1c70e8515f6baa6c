#include "output/DesktopPaper.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

// Sets the process's LC_PAPER for one scope; false when the locale is not installed.
class ScopedPaperLocale {
public:
    explicit ScopedPaperLocale(const char* name)
        : m_saved(std::setlocale(LC_PAPER, nullptr)), m_set(std::setlocale(LC_PAPER, name)) {}
    ~ScopedPaperLocale() { std::setlocale(LC_PAPER, m_saved.c_str()); }
    bool IsSet() const { return m_set; }

private:
    std::string m_saved;
    bool m_set;
};

TEST(DesktopPaperTest, IsTheLocalesPaperUprightWithoutMargin) {
    const struct {
        const char* locale;
        POINT paper;
    } cases[] = {
        {"C", {2100, 2970}},            // A4
        {"de_DE.UTF-8", {2100, 2970}},  // A4
        {"en_US.UTF-8", {2159, 2794}},  // Letter, 215.9 x 279.4 mm
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        ScopedPaperLocale locale(c.locale);
        if (!locale.IsSet()) {
            ADD_FAILURE() << "locale missing: scripts/setup generates it";
            continue;
        }
        const PrinterPaperSettings settings = GetDesktopPaperSettings();
        EXPECT_EQ(settings.paperSize.x, c.paper.x);
        EXPECT_EQ(settings.paperSize.y, c.paper.y);
        EXPECT_EQ(settings.orientation, 1);
        EXPECT_EQ(settings.physicalOffset.x, 0);
        EXPECT_EQ(settings.physicalOffset.y, 0);
    }
}

}  // namespace
