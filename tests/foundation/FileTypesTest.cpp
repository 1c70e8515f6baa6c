#include <gtest/gtest.h>

#include "foundation/FileTypes.h"

TEST(FileTypes, CodeComesFromTheLastExtensionIgnoringAsciiCase) {
    const struct {
        const char* path;
        int code;
    } cases[] = {
        {"PLAN.DXF", 121},
        {"/home/u/designs/house.Dg6", 115},
        {"movie.mpeg2", 3},
        {"movie.mpeg", 2},
        {"rec.DVR-MS", 32},
        {"wood.JPG", 48},
        {"wood.jpeg", 49},
        {"C:\\lib\\tex\\marble.QVP", 123},
        {"sofa.qvx", 122},
        {"pack.sca6", 124},
        {"old.dsg", 114},
        {".dg6", 115},
        {"archive.dg6.bak", 0},
        {"folder.dg6/readme", 0},
        {"folder.dg6\\readme", 0},
        {"noextension", 0},
        {"clip.mp", 0},
        {"", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetFileTypeByExtension(c.path), c.code) << c.path;
    }
}
