#include "shell/FileDialogFilter.h"

#include <gtest/gtest.h>

TEST(FileDialogFilter, WildcardDropsTheClosingBars) {
    EXPECT_EQ(ToDialogWildcard("txt File (*.txt)|*.txt||"), "txt File (*.txt)|*.txt");
    EXPECT_EQ(ToDialogWildcard("A (*.a)|*.a|B (*.b;*.c)|*.b;*.c||"),
              "A (*.a)|*.a|B (*.b;*.c)|*.b;*.c");
    EXPECT_EQ(ToDialogWildcard(""), "");
}

TEST(FileDialogFilter, SavedNameWithoutExtensionGetsTheFilters) {
    struct Case {
        const char* path;
        const char* filter;
        const char* expected;
    };
    const Case cases[] = {
        {"/home/u/missfile", "txt File (*.txt)|*.txt||", "/home/u/missfile.txt"},
        {"/home/u/list.log", "txt File (*.txt)|*.txt||", "/home/u/list.log"},
        {"/home/u.d/list", "dqv6 File (*.dqv6)|*.dqv6||", "/home/u.d/list.dqv6"},
        {"/home/u/pic", "Images|*.bmp;*.jpg||", "/home/u/pic"},
        {"/home/u/any", "All|*.*||", "/home/u/any"},
        {"/home/u/none", "", "/home/u/none"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AddDefaultExtension(c.path, c.filter), c.expected) << c.path << " " << c.filter;
    }
}
