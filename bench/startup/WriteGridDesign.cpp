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
    // Standing in a corner room, as a designer would have left the camera.
    DesignViewState view;
    view.eye = {200.0f, 160.0f, -200.0f};  // plan (200, 200)
    view.direction = {0.0f, 0.0f, -1.0f};
    view.up = {0.0f, 1.0f, 0.0f};
    view.stepLength = 30.0f;
    view.turnStep = 15.0f;
    view.gridShown = 1;
    view.grid = {4000.0f, 4000.0f, 100.0f, 0.5f, 0.5f, 0.5f, 1.0f};
    design.SetViewState(view);
    if (!design.Save(path)) {
        std::fprintf(stderr, "write_grid_design: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
