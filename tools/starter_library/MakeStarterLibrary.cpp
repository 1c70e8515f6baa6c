// Writes the starter library that a new program folder is filled with:
//   make_starter_library <output folder>
// The same build always writes the same bytes.

#include <cstdio>

#include "LibraryOutput.h"
#include "StarterLibrary.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_starter_library <output folder>\n");
        return 2;
    }
    LibraryOutput output(argv[1]);
    WriteStarterLibrary(output);
    if (!output.Ok()) {
        std::fprintf(stderr, "make_starter_library: %s\n", output.Error().c_str());
        return 1;
    }
    return 0;
}
