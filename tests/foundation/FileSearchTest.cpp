#include "foundation/FileSearch.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

// Each found entry as "name:kind", the kind f (folder), l (link) or - (other).
std::vector<std::string> Described(const std::vector<FoundEntry>& entries) {
    std::vector<std::string> out;
    for (const FoundEntry& e : entries) {
        out.push_back(e.name + ":" + (e.isFolder ? "f" : e.isLink ? "l" : "-"));
    }
    return out;
}

// Links are never folders, whatever they point at, so that a walk stays in
// its tree; a listing and a search for one name tell the same kinds.
TEST(FileSearch, LinksAreToldApartFromFoldersAndFiles) {
    TempFolder folder;
    folder.Write("Chair.qvx", "x");
    folder.Write("Beds/Bed.qvx", "x");
    fs::create_directory_symlink(folder.Path() / "Beds", folder.Path() / "beds-link");
    fs::create_symlink(folder.Path() / "Chair.qvx", folder.Path() / "chair-link.qvx");
    fs::create_symlink(folder.Path() / "missing", folder.Path() / "dangling");
    const std::string root = folder.Path().string() + "/";

    EXPECT_EQ(Described(FindFiles(root + "*")),
              (std::vector<std::string>{".:f", "..:f", "Beds:f", "beds-link:l", "chair-link.qvx:l",
                                        "Chair.qvx:-", "dangling:l"}));
    struct Case {
        const char* pattern;
        const char* found;
    };
    for (const Case& c :
         {Case{"Beds", "Beds:f"}, Case{"BEDS", "Beds:f"}, Case{"beds-link", "beds-link:l"},
          Case{"Chair.qvx", "Chair.qvx:-"}, Case{"dangling", "dangling:l"}}) {
        EXPECT_EQ(Described(FindFiles(root + c.pattern)), std::vector<std::string>{c.found})
            << c.pattern;
    }
}

}  // namespace
