#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "foundation/FileOperations.h"
#include "foundation/FileSearch.h"
#include "foundation/FolderOperations.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

class FolderOperations : public ::testing::Test {
protected:
    ~FolderOperations() override {
        // Read-only folders left by a test must not stop the clean-up.
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(m_folder.Path(), ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            if (it->is_directory() && !it->is_symlink()) {
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
            }
        }
    }

    std::string At(const std::string& relative) const {
        return (m_folder.Path() / relative).string();
    }

    void MakeFile(const std::string& relative, const std::string& content = "x") const {
        m_folder.Write(relative, content);
    }

    static bool IsWritable(const std::string& path) {
        struct stat info;
        return ::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IWUSR) != 0;
    }

    static void MakeReadOnly(const std::string& path) {
        fs::permissions(path,
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }

    TempFolder m_folder;
};

}  // namespace

TEST_F(FolderOperations, SearchListsDotEntriesFirstThenNamesInFoldedOrder) {
    for (const char* name : {"b.txt", "C.txt", "a.TXT", "s/x.txt"}) {
        MakeFile(name);
    }
    std::vector<std::string> names;
    for (const FoundEntry& entry : FindFiles(At("*"))) {
        names.push_back(entry.name + (entry.isFolder ? "/" : ""));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"./", "../", "a.TXT", "b.txt", "C.txt", "s/"}));
}

TEST_F(FolderOperations, TreeListingGivesRelativeNamesWithFolderMarks) {
    for (const char* name : {"z.txt", "a.txt", "s/b.txt", "s/t/c.txt", "s/t/d.dat"}) {
        MakeFile(name);
    }
    std::vector<std::string> names = {"stale"};
    EXPECT_TRUE(ListFolderTree(At("*.*"), names));
    EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "~D~s", "s/b.txt", "~D~s/t", "s/t/c.txt",
                                               "s/t/d.dat", "z.txt"}));

    EXPECT_FALSE(ListFolderTree(At("*.none"), names));
    EXPECT_TRUE(names.empty());
}

TEST_F(FolderOperations, TreeListingDropsThePatternExtensionInSubFolders) {
    MakeFile("a.txt");
    MakeFile("d.txt/x.dat");
    std::vector<std::string> names;
    EXPECT_TRUE(ListFolderTree(At("*.txt"), names));
    EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "~D~d.txt", "d.txt/x.dat"}));
}

TEST_F(FolderOperations, TreeListingNeverEntersSymlinks) {
    MakeFile("outside/secret.txt");
    MakeFile("tree/a.txt");
    fs::create_directory_symlink(At("outside"), At("tree/link"));
    std::vector<std::string> names;
    EXPECT_TRUE(ListFolderTree(At("tree/*.*"), names));
    EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "link"}));
}

TEST_F(FolderOperations, FolderExistsForFilesFoldersAndMatchingPatterns) {
    MakeFile("tex/Wood.jpg");
    const struct {
        std::string path;
        bool exists;
    } cases[] = {
        {At("tex"), true},
        {At("tex/"), true},
        {At("tex/Wood.jpg"), true},
        {At("TEX/wood.JPG"), true},
        {At("tex/*.jpg"), true},
        {At("tex/W?od.*"), true},
        {At("tex/*.bmp"), false},
        {At("missing"), false},
        {"", false},
        {"/", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderExists(c.path), c.exists) << c.path;
    }
}

TEST_F(FolderOperations, CreateFolderPathMakesEveryLevelAndClearsReadOnly) {
    EXPECT_TRUE(CreateFolderPath(At("a/b")));
    EXPECT_TRUE(fs::is_directory(At("a/b")));

    MakeReadOnly(At("a"));
    EXPECT_TRUE(CreateFolderPath(At("a/c/")));
    EXPECT_TRUE(fs::is_directory(At("a/c")));
    EXPECT_TRUE(IsWritable(At("a")));

    MakeFile("file");
    EXPECT_FALSE(CreateFolderPath(At("file/sub")));
    EXPECT_FALSE(CreateFolderPath(""));
}

TEST_F(FolderOperations, EnsureDirectoryExistsCreatesParentsFirst) {
    EXPECT_TRUE(EnsureDirectoryExists(At("x/y/z")));
    EXPECT_TRUE(fs::is_directory(At("x/y/z")));
    EXPECT_TRUE(EnsureDirectoryExists(At("x/y/z")));
    MakeFile("file");
    EXPECT_FALSE(EnsureDirectoryExists(At("file/sub")));
}

TEST_F(FolderOperations, DeleteFolderTreeRefusesPathsNeverMeant) {
    MakeFile("keep/a.txt");
    const fs::path previous = fs::current_path();
    fs::current_path(At("keep"));
    // The root is left out: a regression here must not be able to wipe the
    // machine.
    for (const std::string& path : std::vector<std::string>{
             "", ".", "./", "..", At("keep/."), At("keep/./"), At("keep/.."), At("keep/sub/..")}) {
        EXPECT_FALSE(DeleteFolderTree(path)) << path;
    }
    fs::current_path(previous);
    EXPECT_TRUE(fs::exists(At("keep/a.txt")));
}

TEST_F(FolderOperations, DeleteFolderTreeRemovesReadOnlyContent) {
    MakeFile("tree/a.txt");
    MakeFile("tree/s/t/b.txt");
    MakeReadOnly(At("tree/s/t/b.txt"));
    MakeReadOnly(At("tree/s/t"));
    MakeReadOnly(At("tree/s"));
    EXPECT_TRUE(DeleteFolderTree(At("tree/")));
    EXPECT_FALSE(fs::exists(At("tree")));
    EXPECT_TRUE(DeleteFolderTree(At("tree")));  // nothing left to delete
}

TEST_F(FolderOperations, DeleteFolderTreeRemovesSymlinksButNotTheirTargets) {
    MakeFile("outside/folder/secret.txt");
    MakeFile("outside/file.txt");
    MakeFile("tree/a.txt");
    fs::create_directory_symlink(At("outside/folder"), At("tree/folder-link"));
    fs::create_symlink(At("outside/file.txt"), At("tree/file-link"));
    fs::create_directory_symlink(At("outside"), At("link-to-outside"));

    EXPECT_FALSE(DeleteFolderTree(At("link-to-outside")));
    EXPECT_FALSE(DeleteFolderTree(At("link-to-outside/")));
    EXPECT_TRUE(DeleteFolderTree(At("tree")));

    EXPECT_FALSE(fs::exists(fs::symlink_status(At("tree"))));
    EXPECT_TRUE(fs::is_symlink(At("link-to-outside")));
    EXPECT_EQ(m_folder.Read("outside/folder/secret.txt"), "x");
    EXPECT_EQ(m_folder.Read("outside/file.txt"), "x");
}

TEST_F(FolderOperations, DeleteMatchingFilesStopsAtTheFirstFolder) {
    for (const char* name : {"a.txt", "s/b.txt", "z.txt"}) {
        MakeFile(name);
    }
    EXPECT_FALSE(DeleteMatchingFiles(m_folder.Path().string(), "*.*"));
    EXPECT_FALSE(fs::exists(At("a.txt")));
    EXPECT_TRUE(fs::exists(At("s/b.txt")));
    EXPECT_TRUE(fs::exists(At("z.txt")));
}

TEST_F(FolderOperations, DeleteMatchingFilesDeletesOnlyMatches) {
    for (const char* name : {"S1_Show.ini", "S2_Show.ini", "Settings.ini"}) {
        MakeFile(name);
    }
    MakeReadOnly(At("S2_Show.ini"));
    EXPECT_TRUE(DeleteMatchingFiles(m_folder.Path().string() + "/", "s*_show.INI"));
    EXPECT_FALSE(fs::exists(At("S1_Show.ini")));
    EXPECT_FALSE(fs::exists(At("S2_Show.ini")));
    EXPECT_TRUE(fs::exists(At("Settings.ini")));
    EXPECT_FALSE(DeleteMatchingFiles("", "*.*"));
    EXPECT_FALSE(DeleteMatchingFiles(m_folder.Path().string(), ""));
}

TEST_F(FolderOperations, CopyReplacesAReadOnlyTargetAndLeavesItWritable) {
    MakeFile("source.dg6", "new design");
    MakeFile("backup.dg6", "old design");
    MakeReadOnly(At("source.dg6"));
    MakeReadOnly(At("backup.dg6"));

    EXPECT_FALSE(CopyFileClearReadOnly(At("source.dg6"), At("backup.dg6"), true));
    EXPECT_EQ(m_folder.Read("backup.dg6"), "old design");

    EXPECT_TRUE(CopyFileClearReadOnly(At("source.dg6"), At("backup.dg6"), false));
    EXPECT_EQ(m_folder.Read("backup.dg6"), "new design");
    EXPECT_TRUE(IsWritable(At("backup.dg6")));

    EXPECT_TRUE(CopyFileClearReadOnly(At("source.dg6"), At("new.dg6"), true));
    EXPECT_TRUE(IsWritable(At("new.dg6")));

    EXPECT_FALSE(CopyFileClearReadOnly(At("missing.dg6"), At("backup.dg6"), false));
    EXPECT_EQ(m_folder.Read("backup.dg6"), "new design");
    EXPECT_FALSE(CopyFileClearReadOnly("", At("x"), false));
}

TEST_F(FolderOperations, DeleteFileRemovesFilesOnly) {
    MakeFile("a.txt");
    MakeReadOnly(At("a.txt"));
    fs::create_directory(At("folder"));
    EXPECT_TRUE(DeleteFileClearReadOnly(At("a.txt")));
    EXPECT_FALSE(fs::exists(At("a.txt")));
    EXPECT_FALSE(DeleteFileClearReadOnly(At("a.txt")));
    EXPECT_FALSE(DeleteFileClearReadOnly(At("folder")));
    EXPECT_FALSE(DeleteFileClearReadOnly(""));
}
