#include "foundation/ActiveDocument.h"
#include "foundation/ApplicationValues.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempFolder.h"

// The real document lives in a higher layer; the accessor only passes pointers.
class CHousDoc {};

namespace {

namespace fs = std::filesystem;

TEST(GetPi, IsTheFloatHalfTurn) {
    EXPECT_EQ(GetPi(), 3.1415927f);
    EXPECT_EQ(GetPi(), static_cast<float>(3.141592653589793));
}

TEST(ProgramFolder, FilePathsResolveBackslashesAndCase) {
    TempFolder home;
    const fs::path& root = home.Path();
    home.Write("2dicon/L1.dxf", "0");

    SetProgramFolder(root);
    const std::string folder = root.string() + "/";
    EXPECT_EQ(GetProgramFolder(), folder);
    EXPECT_EQ(GetProgramFilePath("2DIcon\\l1.DXF"), folder + "2dicon/L1.dxf");
    EXPECT_EQ(GetProgramFilePath("2dicon\\L1.dxf"), folder + "2dicon/L1.dxf");
    EXPECT_EQ(GetProgramFilePath("Sound\\new.wav"), folder + "Sound/new.wav");

    SetProgramFolder(folder);
    EXPECT_EQ(GetProgramFolder(), folder);  // no second slash
}

TEST(ActiveDocument, NullUnlessTheShellFindsOne) {
    EXPECT_EQ(GetActiveHousDoc(), nullptr);
    CHousDoc document;
    SetActiveHousDocAccessor([&document] { return &document; });
    EXPECT_EQ(GetActiveHousDoc(), &document);
    SetActiveHousDocAccessor([] { return static_cast<CHousDoc*>(nullptr); });
    EXPECT_EQ(GetActiveHousDoc(), nullptr);
    SetActiveHousDocAccessor({});
    EXPECT_EQ(GetActiveHousDoc(), nullptr);
}

}  // namespace
