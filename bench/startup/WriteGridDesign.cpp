// Writes the start-up benchmark's design: a 10 x 10 grid of rooms, 220
// walls, 100 floors and 100 ceilings, built as the plan tools build them.

#include <cstdio>
#include <filesystem>

#include "BenchDesign.h"
#include "foundation/ApplicationValues.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_grid_design FILE.dg6\n");
        return 2;
    }
    const std::filesystem::path path = std::filesystem::absolute(argv[1]);
    // The settings of the folder the design goes to, never of the working folder.
    SetProgramFolder(path.parent_path().string());
    CBenchDesign design;
    BuildDesign(design, GridOfRooms());
    if (!design.Save(path)) {
        std::fprintf(stderr, "write_grid_design: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
