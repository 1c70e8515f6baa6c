#include "shell/MissingFilesExport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/TempFolder.h"

TEST(MissingFilesExport, WritesOneCp950LinePerName) {
    TempFolder folder;
    const auto path = folder.Path() / kMissingFilesDefaultName;
    ASSERT_TRUE(WriteMissingFilesList(path, {"D:\\lib\\chair.x", "椅子.x", "許.x"}));
    EXPECT_EQ(folder.Read(kMissingFilesDefaultName),
              "D:\\lib\\chair.x\r\n\xB4\xC8\xA4\x6C.x\r\n\xB3\x5C.x\r\n");
}

TEST(MissingFilesExport, FailureLeavesTheOldFile) {
    TempFolder folder;
    folder.Write("missfile.txt", "old\r\n");
    const auto path = folder.Path() / "missfile.txt";

    pfs::Result<void> noCp950 = WriteMissingFilesList(path, {"a.x", "\xF0\x9F\x98\x80.x"});
    EXPECT_FALSE(noCp950);
    EXPECT_NE(noCp950.Error().find("Big5 無法表示"), std::string::npos);
    EXPECT_EQ(folder.Read("missfile.txt"), "old\r\n");

    EXPECT_FALSE(WriteMissingFilesList(folder.Path() / "no-such-folder" / "missfile.txt", {"a.x"}));
}
