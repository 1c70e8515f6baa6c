#include "platform/desktop/DesktopEntry.h"

#include <gtest/gtest.h>

namespace {

// What the Exec line holds in the file: quoting first, then the string
// escape that doubles backslashes.
TEST(DesktopEntryTest, ExecArgumentQuotesAndEscapes) {
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"/usr/bin/velmora", "/usr/bin/velmora"},
        {"/opt/my apps/velmora", "\"/opt/my apps/velmora\""},
        {"/opt/100%/velmora", "/opt/100%%/velmora"},
        {"/opt/$HOME/velmora", "\"/opt/\\\\$HOME/velmora\""},
        {"/opt/a\"b/velmora", "\"/opt/a\\\\\"b/velmora\""},
        {"/opt/a\\b/velmora", "\"/opt/a\\\\\\\\b/velmora\""},
        {"/opt/家/velmora", "/opt/家/velmora"},
        {"/opt/line\nbreak/velmora", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(desktop::ExecArgument(c.path), c.expected) << c.path;
    }
}

TEST(DesktopEntryTest, OnlyTheExecLineChanges) {
    const std::string entry =
        "[Desktop Entry]\nName=Velmora創業版\nExec=velmora %f\nIcon=velmora\n";
    EXPECT_EQ(desktop::WithExecutable(entry, "/opt/v m/velmora"),
              "[Desktop Entry]\nName=Velmora創業版\nExec=\"/opt/v m/velmora\" %f\nIcon=velmora\n");
    EXPECT_EQ(desktop::WithExecutable(entry, ""), entry);
    EXPECT_EQ(desktop::WithExecutable(entry, "/bad\npath"), entry);
}

}  // namespace
