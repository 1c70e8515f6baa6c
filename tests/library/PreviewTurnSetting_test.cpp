#include "library/PreviewTurnSetting.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "support/TempFolder.h"

namespace {

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(PreviewTurnSetting, WritesTheKeyAndKeepsTheFilesOtherLines) {
    TempFolder folder;
    const std::filesystem::path path = folder.Path() / "zadivav.ini";
    std::ofstream(path, std::ios::binary)
        << "; kept\r\n[3DView]\r\nHARDWARE=64\r\nPREVIEWTURN=0\r\n";
    ASSERT_TRUE(WritePreviewTurnSetting(path.string(), true));
    EXPECT_EQ(ReadText(path), "; kept\r\n[3DView]\r\nHARDWARE=64\r\nPREVIEWTURN=1\r\n");
    ASSERT_TRUE(WritePreviewTurnSetting(path.string(), false));
    EXPECT_EQ(ReadText(path), "; kept\r\n[3DView]\r\nHARDWARE=64\r\nPREVIEWTURN=0\r\n");
}

TEST(PreviewTurnSetting, AMissingFileGetsTheSection) {
    TempFolder folder;
    const std::filesystem::path path = folder.Path() / "zadivav.ini";
    ASSERT_TRUE(WritePreviewTurnSetting(path.string(), true));
    EXPECT_EQ(ReadText(path), "[3DView]\r\nPREVIEWTURN=1\r\n");
    EXPECT_FALSE(WritePreviewTurnSetting((folder.Path() / "missing/zadivav.ini").string(), true));
}

}  // namespace
