#include "platform/desktop/WebLink.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

TEST(WebLink, OnlyWebAddressesAreAccepted) {
    struct Case {
        const char* text;
        std::optional<std::string> url;
    };
    const std::vector<Case> cases = {
        {"http://example.org/chair", "http://example.org/chair"},
        {"HTTPS://example.org", "HTTPS://example.org"},
        {"www.example.org", "http://www.example.org"},
        {"WWW.example.org/a?b=1", "http://WWW.example.org/a?b=1"},
        {"", std::nullopt},
        {"http://", std::nullopt},
        {"www.", std::nullopt},
        {"file:///etc/passwd", std::nullopt},
        {"javascript:alert(1)", std::nullopt},
        {"/usr/bin/xterm", std::nullopt},
        {"--new-window=http://example.org", std::nullopt},
        {"-http://example.org", std::nullopt},
        {"example.org", std::nullopt},
        {"http://example.org/a b", std::nullopt},
        {"http://example.org/\n--x", std::nullopt},
        {" http://example.org", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(desktop::GetWebLinkUrl(c.text), c.url) << c.text;
    }
}

TEST(WebLink, TheLauncherGetsTheAddressAsOneArgument) {
    std::vector<std::string> launched;
    desktop::SetWebLinkLauncher([&](const std::string& url) {
        launched.push_back(url);
        return url != "http://www.refused.example";
    });
    EXPECT_TRUE(desktop::OpenWebLink("www.example.org"));
    EXPECT_FALSE(desktop::OpenWebLink("-www.example.org"));
    EXPECT_FALSE(desktop::OpenWebLink("www.refused.example"));
    desktop::SetWebLinkLauncher(nullptr);
    EXPECT_EQ(launched,
              (std::vector<std::string>{"http://www.example.org", "http://www.refused.example"}));
}

}  // namespace
