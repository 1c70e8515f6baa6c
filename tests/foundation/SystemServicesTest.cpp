#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/ParseUnsignedInt.h"
#include "foundation/SystemServices.h"

TEST(ParseUnsignedInt, AcceptsOnlyTheDigitsZeroToNine) {
    const struct {
        const char* text;
        bool ok;
        int value;
    } cases[] = {
        {"007", true, 7},
        {"0", true, 0},
        {"2147483647", true, 2147483647},
        {"99999999999", true, 2147483647},
        {"", false, -1},
        {"-3", false, -1},
        {"+3", false, -1},
        {" 3", false, -1},
        {"3a", false, -1},
        {"\xD9\xA3", false, -1},  // an Arabic-Indic digit
    };
    for (const auto& c : cases) {
        int value = -1;
        EXPECT_EQ(ParseUnsignedInt(c.text, value), c.ok) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

TEST(SystemServices, ModuleFilePathIsBesideTheRunningProgram) {
    const std::filesystem::path executable = GetModuleFileNameWide();
    EXPECT_EQ(executable.filename(), "test_foundation");
    EXPECT_EQ(MakeModuleFilePath("RIr6.db"), (executable.parent_path() / "RIr6.db").string());
}
